#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <random>
#include <string>
#include <vector>
#include "doc_test_support.h"
#include "code_conv.h"
#include "loader.h"
#include "row_store.h"
#include "settings.h"

using namespace viewer;
using namespace kvtest;

namespace {

unsigned sjisToJis(unsigned s) {
    unsigned s1 = s >> 8, s2 = s & 0xFF;
    s1 -= s1 >= 0xE0 ? 0xB0 : 0x70;
    unsigned j1 = s1 * 2, j2;
    if (s2 >= 0x9F) {
        j2 = s2 - 0x7E;
    } else {
        --j1;
        j2 = s2 - 0x1F;
        if (s2 >= 0x80) --j2;
    }
    return (j1 << 8) | j2;
}

bool lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

std::string toEuc(const std::string& sjis) {
    std::string out;
    for (size_t i = 0; i < sjis.size(); ++i) {
        unsigned char c = (unsigned char)sjis[i];
        if (lead(c) && i + 1 < sjis.size()) {
            unsigned j = sjisToJis((c << 8) | (unsigned char)sjis[++i]);
            out += char((j >> 8) | 0x80);
            out += char((j & 0xFF) | 0x80);
        } else if (c >= 0xA1 && c <= 0xDF) {
            out += '\x8E';
            out += char(c);
        } else {
            out += char(c);
        }
    }
    return out;
}

std::string toJis(const std::string& sjis) {
    std::string out;
    int state = 0;
    auto to = [&](int st) {
        if (st == state) return;
        out += st == 0 ? "\x1B(B" : st == 1 ? "\x1B(I" : "\x1B$B";
        state = st;
    };
    for (size_t i = 0; i < sjis.size(); ++i) {
        unsigned char c = (unsigned char)sjis[i];
        if (lead(c) && i + 1 < sjis.size()) {
            to(2);
            unsigned j = sjisToJis((c << 8) | (unsigned char)sjis[++i]);
            out += char(j >> 8);
            out += char(j & 0xFF);
        } else if (c >= 0xA1 && c <= 0xDF) {
            to(1);
            out += char(c & 0x7F);
        } else {
            to(0);
            out += char(c);
        }
    }
    to(0);
    return out;
}

std::string toUtf16(const std::string& sjis, bool mark) {
    int n = MultiByteToWideChar(932, 0, sjis.data(), int(sjis.size()), nullptr, 0);
    std::wstring w(size_t(n), L'\0');
    MultiByteToWideChar(932, 0, sjis.data(), int(sjis.size()), &w[0], n);
    std::string out = mark ? "\xFF\xFE" : "";
    out.append(reinterpret_cast<const char*>(w.data()), w.size() * 2);
    return out;
}

// A double-byte character that survives the trip through UTF-16 unchanged.
bool roundTrips(unsigned s) {
    char b[2] = {char(s >> 8), char(s & 0xFF)};
    wchar_t w[2];
    if (MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, b, 2, w, 2) != 1) return false;
    char back[4];
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(932, 0, w, 1, back, 4, nullptr, &usedDefault);
    return n == 2 && !usedDefault && back[0] == b[0] && back[1] == b[1];
}

class LoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        s.fillDefaults();
        dir = workDir("loader");
        ASSERT_TRUE(store.reserve());
    }
    // Loads the bytes from a file of this name with the requested code.
    bool load(const std::string& name, const std::string& bytes, unsigned char request = 0) {
        writeFile(dir + "\\" + name, bytes);
        return loadNamed(name, request);
    }
    bool loadNamed(const std::string& name, unsigned char request = 0) {
        doc = Document();
        std::strcpy(doc.folder, dir.c_str());
        std::strcpy(doc.fileName, name.c_str());
        doc.requestedCode = request;
        return openAndLoad(doc, store, s, sink);
    }
    std::vector<std::string> lines() { return logicalLines(store); }
    // The last line of a file that ends with a line end.
    std::string lastLine() {
        auto l = lines();
        return l.size() >= 2 ? l[l.size() - 2] : std::string("(none)");
    }

    ViewerSettings s;
    CollectSink sink;
    RowStore store{s};
    Document doc;
    std::string dir;
};

}  // namespace

TEST_F(LoaderTest, EmptyFileIsOneEofRow) {
    ASSERT_TRUE(load("empty.txt", ""));
    EXPECT_EQ(store.rowCount(), 1);
    EXPECT_EQ(std::string(store.text(0), 5), "[EOF]");
    EXPECT_EQ(doc.loadedCode, kCodeSjis);
    EXPECT_EQ(doc.file, nullptr);  // closed after loading with lockMode 0
}

TEST_F(LoaderTest, FinalLineGoesInFrontOfTheMark) {
    ASSERT_TRUE(load("abc.txt", "abc"));
    ASSERT_EQ(store.rowCount(), 1);
    EXPECT_EQ(std::string(store.text(0), size_t(store.length(0))), "abc[EOF]");
    ASSERT_TRUE(load("abc2.txt", "abc\r\n"));
    ASSERT_EQ(store.rowCount(), 2);
    EXPECT_EQ(std::string(store.text(0), 3), "abc");
    EXPECT_EQ(std::string(store.text(1), size_t(store.length(1))), "[EOF]");
}

TEST_F(LoaderTest, LineEndSequence) {
    ASSERT_TRUE(load("ends.txt", "a\r\nb\n\rc\r\rd"));
    EXPECT_EQ(texts(store), (std::vector<std::string>{"a", "b", "c", "", "d"}));
    EXPECT_EQ(doc.loadedCode, kCodeSjis);  // mixed: no line-end bits
    ASSERT_TRUE(load("lf.txt", "a\nb\n"));
    EXPECT_EQ(doc.loadedCode, kCodeSjis | kLineEndLfOnly);
    ASSERT_TRUE(load("cr.txt", "a\rb\r"));
    EXPECT_EQ(doc.loadedCode, kCodeSjis | kLineEndCrOnly);
}

TEST_F(LoaderTest, TabsAndWrapping) {
    ASSERT_TRUE(load("tab.txt", "x\ty\r\n" + std::string(76, 'a') + "\tb\r\n"));
    auto rows = texts(store);
    EXPECT_EQ(rows[0], std::string("x\t\0\0\0\0\0\0y", 9));
    EXPECT_EQ(rows[1], std::string(76, 'a') + std::string("\t\0\0\0", 4));
    EXPECT_EQ(rows[2], "b");
    ASSERT_TRUE(load("wrap.txt", std::string(200, 'a') + "\n" + std::string(80, 'b') + "\n" +
                                     std::string(79, 'c') + "\n" + std::string(79, 'd') + "\x82\xA0\n"));
    std::vector<int> lens;
    for (int r = 0; r < store.lastRow(); ++r) lens.push_back(store.length(r));
    EXPECT_EQ(lens, (std::vector<int>{80, 80, 40, 80, 0, 79, 79, 2}));
}

TEST_F(LoaderTest, CtrlZInTheMiddleIsShownAtTheEndDropped) {
    ASSERT_TRUE(load("z.txt", "a\x1A"
                              "b\r\nc\x1A"));
    EXPECT_EQ(texts(store), (std::vector<std::string>{"a\x1A"
                                                      "b",
                                                      "c"}));
    s.fileType.ctrlZAsText = false;
    ASSERT_TRUE(load("z2.txt", "a\r\nb\x1A"
                               "c\r\nd"));
    EXPECT_EQ(texts(store), (std::vector<std::string>{"a", "b"}));
}

TEST_F(LoaderTest, LongLineWithoutLineEndIsOneLogicalLine) {
    std::string big;
    for (int i = 0; i < 20000; ++i) big += char('a' + i % 26);
    ASSERT_TRUE(load("long.txt", big));
    auto l = lines();
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0], big);
    EXPECT_EQ(store.lineNumberOfRow(store.lastRow()), 1);
    for (int r = 0; r <= store.lastRow(); ++r) EXPECT_LE(store.textLength(r), 80);
    EXPECT_EQ(checkStore(store), "");
}

TEST_F(LoaderTest, UnicodeMarkAndRequests) {
    const std::string body = toUtf16("AB\x82\xA0\r\n", false);
    ASSERT_TRUE(load("bom.txt", "\xFF\xFE" + body));
    EXPECT_EQ(texts(store), (std::vector<std::string>{"AB\x82\xA0", ""}));
    EXPECT_EQ(codeOf(doc.loadedCode), kCodeUnicode);
    EXPECT_EQ(doc.requestedCode, kCodeAuto);
    // Requested Unicode without a mark: the first two bytes are text.
    ASSERT_TRUE(load("nobom.txt", body, kCodeUnicode));
    EXPECT_EQ(texts(store), (std::vector<std::string>{"AB\x82\xA0", ""}));
    // Automatic without a mark is Shift-JIS.
    ASSERT_TRUE(load("nobom2.txt", body));
    EXPECT_EQ(codeOf(doc.loadedCode), kCodeSjis);
    // Odd length: the last byte is ignored.
    ASSERT_TRUE(load("odd.txt", "\xFF\xFE" + toUtf16("xy", false) + "z", kCodeUnicode));
    EXPECT_EQ(texts(store), (std::vector<std::string>{"xy"}));
}

TEST_F(LoaderTest, EucIsOnlyTakenWhenAskedOrDetected) {
    const std::string eucText = toEuc("\x88\x9F\x82\xA0\r\n");  // 亜あ
    ASSERT_TRUE(load("euc.txt", eucText));
    EXPECT_EQ(codeOf(doc.loadedCode), kCodeSjis);
    EXPECT_EQ(texts(store)[0], eucText.substr(0, 4));
    ASSERT_TRUE(load("euc.txt", eucText, kCodeEuc));
    EXPECT_EQ(codeOf(doc.loadedCode), kCodeEuc);
    EXPECT_EQ(texts(store)[0], "\x88\x9F\x82\xA0");
    // The document's drive is listed in eucDrives.
    std::strcpy(s.eucDrives, "Z");
    ASSERT_TRUE(load("euc.txt", eucText));
    EXPECT_EQ(codeOf(doc.loadedCode), kCodeEuc);
    s.eucDrives[0] = 0;
    s.detectEucJis = true;
    ASSERT_TRUE(load("euc.txt", eucText));
    EXPECT_EQ(codeOf(doc.loadedCode), kCodeEuc);
    EXPECT_EQ(texts(store)[0], "\x88\x9F\x82\xA0");
}

TEST_F(LoaderTest, DetectionVerdictsFromFiles) {
    s.detectEucJis = true;
    ASSERT_TRUE(load("ascii.txt", "just ascii\r\n"));
    EXPECT_EQ(doc.loadedCode, kCodeSjis);
    ASSERT_TRUE(load("mail.txt", "Subject: x\r\n\r\n" + toJis("\x82\xB1\x82\xF1\r\n")));
    EXPECT_EQ(codeOf(doc.loadedCode), kCodeJis);
    EXPECT_EQ(texts(store)[2], "\x82\xB1\x82\xF1");
    ASSERT_TRUE(load("sjis.txt", "x\x82\xA0y\r\n"));
    EXPECT_EQ(codeOf(doc.loadedCode), kCodeSjis);
    // A window of the second pass straddles the first two reads and is
    // judged whole: the EUC scan's bad pair C1 20 comes first.
    ASSERT_TRUE(load("straddle.txt", std::string(16383, 'a') + "\xFD\xA1\xC1\x20\r\n"));
    EXPECT_EQ(codeOf(doc.loadedCode), kCodeSjis);
    // The verdict may lie far into the file: detection reads past the first chunk.
    ASSERT_TRUE(load("late.txt", std::string(40000, 'a') + "\r\n" + toEuc("\x82\xA0")));
    EXPECT_EQ(codeOf(doc.loadedCode), kCodeEuc);
    EXPECT_EQ(texts(store).back(), "\x82\xA0");
}

TEST_F(LoaderTest, JisWithoutLineEndsGetsLfBit) {
    ASSERT_TRUE(load("jis.txt", toJis("\x82\xA0"), kCodeJis));
    EXPECT_EQ(doc.loadedCode, kCodeJis | kLineEndLfOnly);
    EXPECT_EQ(texts(store), (std::vector<std::string>{"\x82\xA0"}));
}

namespace {
// Lines of 99 bytes up to exactly n bytes.
std::string filler(size_t n) {
    std::string f(n, 'x');
    for (size_t i = 99; i < n; i += 100) f[i] = '\n';
    return f;
}
}  // namespace

TEST_F(LoaderTest, JisEscapeSplitAcrossTheChunkBoundary) {
    for (size_t cut = 1; cut <= 4; ++cut) {
        std::string pre = filler(16384 - cut);
        std::string bytes = pre + "\x1B$B$\"$$\x1B(Bend\n";
        ASSERT_TRUE(load("jsplit.txt", bytes, kCodeJis)) << cut;
        const std::string want = std::string(16384 - cut - pre.rfind('\n') - 1, 'x') + "\x82\xA0\x82\xA2"
                                                                                       "end";
        EXPECT_EQ(lastLine(), want) << cut;
    }
    // The closing escape split too.
    for (size_t cut = 1; cut <= 3; ++cut) {
        // ESC $ B at 16384 - 5 - cut, the pair, then ESC ( B across the boundary.
        std::string bytes = filler(16384 - 6 - cut) + "\n\x1B$B$\"\x1B(Bz\n";
        ASSERT_EQ(bytes.find("\x1B(B"), 16384 - cut);
        ASSERT_TRUE(load("jsplit2.txt", bytes, kCodeJis)) << cut;
        EXPECT_EQ(lastLine(), "\x82\xA0z") << cut;
    }
}

TEST_F(LoaderTest, EucPairSplitAcrossTheChunkBoundary) {
    std::string bytes = filler(16383) + "\xA4\xA2\xA4\xA4"
                                        "e\n";
    ASSERT_TRUE(load("esplit.txt", bytes, kCodeEuc));
    EXPECT_EQ(lastLine().substr(lastLine().size() - 5), "\x82\xA0\x82\xA2"
                                                        "e");
    // A lead byte at the very end of the file does not hang the load.
    ASSERT_TRUE(load("etrunc.txt", "ab\xA4", kCodeEuc));
    EXPECT_EQ(texts(store), (std::vector<std::string>{"ab"}));
}

TEST_F(LoaderTest, CorpusInFourCodesLoadsToTheSameRows) {
    // All JIS X 0208 rows, half-width katakana, ASCII, tabs, mixed line ends.
    std::string sjis = "ASCII line with\ttabs\tand more\r\n";
    int kanji = 0;
    for (unsigned j1 = 0x21; j1 <= 0x7E; ++j1) {
        std::string line;
        for (unsigned j2 = 0x21; j2 <= 0x7E; ++j2) {
            unsigned sc = jisToSjis((j1 << 8) | j2);
            if (!roundTrips(sc)) continue;
            line += char(sc >> 8);
            line += char(sc & 0xFF);
            ++kanji;
        }
        if (line.empty()) continue;
        sjis += line;
        sjis += j1 % 3 == 0 ? "\r\n" : j1 % 3 == 1 ? "\n" : "\r";
        if (j1 % 7 == 0) sjis += "\tx\t" + line.substr(0, 10) + "\r\n";
    }
    ASSERT_GT(kanji, 6800);
    for (unsigned c = 0xA1; c <= 0xDF; ++c) sjis += char(c);
    sjis += "\r\nlast line \xB1\x82\xA0";

    ASSERT_TRUE(load("corpus-sjis.txt", sjis, kCodeSjis));
    const auto want = snapshot(store);
    ASSERT_GT(want.size(), 200u);
    EXPECT_EQ(checkStore(store), "");

    ASSERT_TRUE(load("corpus-euc.txt", toEuc(sjis), kCodeEuc));
    EXPECT_TRUE(snapshot(store) == want);
    ASSERT_TRUE(load("corpus-jis.txt", toJis(sjis), kCodeJis));
    EXPECT_TRUE(snapshot(store) == want);
    ASSERT_TRUE(load("corpus-u16.txt", toUtf16(sjis, true)));
    EXPECT_EQ(codeOf(doc.loadedCode), kCodeUnicode);
    EXPECT_TRUE(snapshot(store) == want);

    // With detection on, EUC and JIS are recognised.
    s.detectEucJis = true;
    ASSERT_TRUE(load("corpus-euc.txt", toEuc(sjis)));
    EXPECT_EQ(codeOf(doc.loadedCode), kCodeEuc);
    EXPECT_TRUE(snapshot(store) == want);
    ASSERT_TRUE(load("corpus-jis.txt", toJis(sjis)));
    EXPECT_EQ(codeOf(doc.loadedCode), kCodeJis);
    EXPECT_TRUE(snapshot(store) == want);
}

TEST_F(LoaderTest, RandomAndTruncatedInputInEveryCode) {
    std::mt19937 rng(4242);
    for (int round = 0; round < 12; ++round) {
        std::string bytes(size_t(rng() % 60000), '\0');
        for (auto& b : bytes) b = char(rng());
        for (unsigned char code : {kCodeSjis, kCodeUnicode, kCodeEuc, kCodeJis}) {
            ASSERT_TRUE(load("random.bin", bytes, code)) << round << " " << int(code);
            ASSERT_EQ(checkStore(store), "");
            for (int r = 0; r <= store.lastRow(); ++r) ASSERT_LE(store.length(r), kMaxRowBytes);
        }
    }
    // Truncated multi-byte sequences at the end in every code.
    for (const std::string& tail : {std::string("\x82"), std::string("\xA4"), std::string("\x1B"),
                                    std::string("\x1B$"), std::string("\x1B$B$")}) {
        for (unsigned char code : {kCodeSjis, kCodeUnicode, kCodeEuc, kCodeJis}) {
            ASSERT_TRUE(load("trunc.txt", "abc\r\n" + tail, code));
            ASSERT_EQ(checkStore(store), "");
            if (code != kCodeUnicode) {
                EXPECT_EQ(texts(store)[0], "abc");
            }
        }
    }
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(LoaderTest, TenMegabyteFileKeepsAt32KbInMemory) {
    std::string bytes;
    std::vector<std::string> want;
    for (int i = 0; bytes.size() < 10u * 1024 * 1024; ++i) {
        std::string line =
            "row " + std::to_string(i) + " " + std::string(size_t(i % 120), char('a' + i % 26));
        bytes += line + "\r\n";
        want.push_back(line);
    }
    ASSERT_TRUE(load("ten.txt", bytes));
    EXPECT_LE(store.windowUsed(), kTextWindowSize);
    EXPECT_GT(store.pages().fileEnd(), 9u * 1024 * 1024);
    const uint64_t reads = store.pages().reads();
    ASSERT_FALSE(store.resident(0));
    EXPECT_EQ(std::string(store.text(0), size_t(store.length(0))),
              want[0].substr(0, size_t(store.length(0))));
    EXPECT_EQ(store.pages().reads(), reads + 1);
    EXPECT_LE(store.windowUsed(), kTextWindowSize);
    auto l = lines();
    ASSERT_EQ(l.size(), want.size() + 1);
    for (size_t i = 0; i < want.size(); ++i) ASSERT_EQ(l[i], want[i]) << i;
    EXPECT_EQ(checkStore(store), "");
}

TEST_F(LoaderTest, RowLimitStopsTheLoadWithMessage18) {
    ASSERT_TRUE(load("rows-ok.txt", std::string(999990, '\n')));
    EXPECT_EQ(store.lastRow(), 999990);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_FALSE(load("rows-over.txt", std::string(1000000, '\n')));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], docText(kTextRowLimit));
    EXPECT_TRUE(store.rowLimitHit());
    // The failed load leaves an empty document.
    EXPECT_EQ(store.rowCount(), 1);
    EXPECT_EQ(checkStore(store), "");
    // And the next load works.
    ASSERT_TRUE(load("after.txt", "fine\r\n"));
    EXPECT_EQ(texts(store)[0], "fine");
    EXPECT_FALSE(store.rowLimitHit());
}

TEST_F(LoaderTest, PageFileThatCannotBeCreatedFailsTheLoadOnce) {
    std::string bytes;
    for (int i = 0; i < 3000; ++i) bytes += "some text of a line number " + std::to_string(i) + "\r\n";
    {
        TempFolder tmp(dir + "\\missing folder");
        RowStore fresh(s);
        ASSERT_TRUE(fresh.reserve());
        writeFile(dir + "\\paged.txt", bytes);
        doc = Document();
        std::strcpy(doc.folder, dir.c_str());
        std::strcpy(doc.fileName, "paged.txt");
        EXPECT_FALSE(openAndLoad(doc, fresh, s, sink));
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].find(docText(kTextPageFileCreate)), 0u);
        EXPECT_EQ(fresh.rowCount(), 1);
        EXPECT_EQ(checkStore(fresh), "");
        EXPECT_FALSE(fresh.errorReported());  // cleared after the failed load
    }
}

TEST_F(LoaderTest, OpeningRules) {
    // A name that does not exist is a new document that keeps its name.
    doc = Document();
    std::strcpy(doc.folder, dir.c_str());
    std::strcpy(doc.fileName, "does-not-exist.txt");
    EXPECT_EQ(openDocument(doc, store, s, sink), OpenResult::NewFile);
    EXPECT_TRUE(doc.newFile);
    EXPECT_STREQ(doc.fileName, "does-not-exist.txt");
    EXPECT_TRUE(sink.messages.empty());

    // A read-only file opens read-only without a word.
    std::string ro = dir + "\\readonly.txt";
    SetFileAttributesA(ro.c_str(), FILE_ATTRIBUTE_NORMAL);
    writeFile(ro, "ro\r\n");
    SetFileAttributesA(ro.c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(loadNamed("readonly.txt"));
    EXPECT_TRUE(doc.readOnly);
    EXPECT_TRUE(sink.messages.empty());
    SetFileAttributesA(ro.c_str(), FILE_ATTRIBUTE_NORMAL);

    // Another process keeps others from writing: read-only, message 274.
    std::string locked = dir + "\\locked.txt";
    writeFile(locked, "locked\r\n");
    HANDLE other =
        CreateFileA(locked.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(loadNamed("locked.txt"));
    EXPECT_TRUE(doc.readOnly);
    EXPECT_EQ(texts(store)[0], "locked");
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], std::string("locked.txt") + docText(kTextWriteDenied));
    CloseHandle(other);

    // Held exclusively: message 105, the name is cleared, nothing loaded.
    sink.messages.clear();
    other = CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(loadNamed("locked.txt"));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], std::string("locked.txt") + docText(kTextCannotOpen));
    EXPECT_STREQ(doc.fileName, "");
    EXPECT_EQ(store.rowCount(), 1);
    CloseHandle(other);
}

TEST_F(LoaderTest, LockModeKeepsOthersFromWriting) {
    s.lockMode = 32;
    writeFile(dir + "\\held.txt", "held\r\n");
    ASSERT_TRUE(loadNamed("held.txt"));
    ASSERT_NE(doc.file, nullptr);
    std::string path = dir + "\\held.txt";
    HANDLE w = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(w, INVALID_HANDLE_VALUE);
    if (w != INVALID_HANDLE_VALUE) CloseHandle(w);
    closeDocumentFile(doc);
    w = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                    0, nullptr);
    EXPECT_NE(w, INVALID_HANDLE_VALUE);
    CloseHandle(w);
}

TEST_F(LoaderTest, ReloadKeepsTheCodeAndThePlace) {
    const std::string eucText = toEuc("\x88\x9F\r\n\x82\xA0\r\nthird line\r\n");
    ASSERT_TRUE(load("re.txt", eucText, kCodeEuc));
    store.currentRow = 2;
    store.currentColumn = 4;
    ASSERT_TRUE(reloadDocument(doc, store, s, sink));
    EXPECT_EQ(codeOf(doc.loadedCode), kCodeEuc);
    EXPECT_EQ(texts(store)[1], "\x82\xA0");
    EXPECT_EQ(store.currentRow, 2);
    EXPECT_EQ(store.currentColumn, 4);
    // Now shorter: the caret goes to the end of the last row's text.
    writeFile(dir + "\\re.txt", toEuc("one\r\nxy"));
    store.currentRow = 5;
    ASSERT_TRUE(reloadDocument(doc, store, s, sink));
    EXPECT_EQ(store.currentRow, 1);
    EXPECT_EQ(store.currentColumn, 2);
    // Nothing loaded: no reload.
    Document none;
    EXPECT_FALSE(reloadDocument(none, store, s, sink));
}

TEST_F(LoaderTest, ReloadPutsTheCaretAtTheEndOfARowThatBecameShorter) {
    ASSERT_TRUE(load("shrink.txt", "abcdefgh\r\nxyz\r\n"));
    store.currentRow = 0;
    store.currentColumn = 7;
    writeFile(dir + "\\shrink.txt", "ab\r\nxyz\r\n");
    ASSERT_TRUE(reloadDocument(doc, store, s, sink));
    EXPECT_EQ(store.currentRow, 0);
    EXPECT_EQ(store.currentColumn, 2);
    // On the end-of-file row the caret stays in front of the mark.
    store.currentRow = 2;
    store.currentColumn = 4;
    ASSERT_TRUE(reloadDocument(doc, store, s, sink));
    EXPECT_EQ(store.currentRow, 2);
    EXPECT_EQ(store.currentColumn, 0);
}

TEST_F(LoaderTest, FailedReloadLeavesAnEmptyUntitledDocument) {
    ASSERT_TRUE(load("grows.txt", "one\r\ntwo\r\n", kCodeEuc));
    ASSERT_EQ(codeOf(doc.loadedCode), kCodeEuc);
    // The file has grown past the row limit since it was loaded.
    s.maxRows = 100;
    store.release();
    ASSERT_TRUE(store.reserve());
    writeFile(dir + "\\grows.txt", std::string(500, '\n'));
    EXPECT_FALSE(reloadDocument(doc, store, s, sink));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], docText(kTextRowLimit));
    EXPECT_STREQ(doc.fileName, "");
    EXPECT_FALSE(doc.hasFile());
    EXPECT_FALSE(doc.newFile);
    EXPECT_EQ(doc.loadedCode, kCodeSjis);
    EXPECT_EQ(doc.file, nullptr);
    EXPECT_EQ(store.rowCount(), 1);
    // Nothing left to reload.
    EXPECT_FALSE(reloadDocument(doc, store, s, sink));
}

TEST_F(LoaderTest, ReloadOfAVanishedFileIsANewDocumentWithoutCode) {
    ASSERT_TRUE(load("gone.txt", toEuc("\x82\xA0\r\n"), kCodeEuc));
    ASSERT_EQ(codeOf(doc.loadedCode), kCodeEuc);
    ASSERT_TRUE(DeleteFileA((dir + "\\gone.txt").c_str()));
    ASSERT_TRUE(reloadDocument(doc, store, s, sink));
    EXPECT_TRUE(doc.newFile);
    EXPECT_STREQ(doc.fileName, "gone.txt");
    EXPECT_EQ(doc.loadedCode, kCodeSjis);
    EXPECT_EQ(store.rowCount(), 1);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(LoaderTest, OpeningTakesTheLongFormsOfTheName) {
    const std::string sub = workDir("loader\\Long Folder Name");
    const std::string longName = "A Rather Long Document Name.txt";
    writeFile(sub + "\\" + longName, "long\r\n");
    char shortPath[MAX_PATH];
    DWORD n = GetShortPathNameA((sub + "\\" + longName).c_str(), shortPath, MAX_PATH);
    ASSERT_GT(n, 0u);
    ASSERT_LT(n, DWORD(MAX_PATH));
    std::string shortFull = shortPath;
    ASSERT_NE(shortFull, sub + "\\" + longName) << "no short names to test with";
    const size_t sep = shortFull.rfind('\\');
    doc = Document();
    std::strcpy(doc.folder, shortFull.substr(0, sep).c_str());
    std::strcpy(doc.fileName, shortFull.substr(sep + 1).c_str());
    ASSERT_TRUE(openAndLoad(doc, store, s, sink));
    EXPECT_STREQ(doc.fileName, longName.c_str());
    EXPECT_STREQ(doc.folder, sub.c_str());
    EXPECT_EQ(texts(store)[0], "long");
    // A name typed in another case takes the case found on disk.
    doc = Document();
    std::strcpy(doc.folder, sub.c_str());
    std::strcpy(doc.fileName, "a rather long DOCUMENT name.TXT");
    ASSERT_TRUE(openAndLoad(doc, store, s, sink));
    EXPECT_STREQ(doc.fileName, longName.c_str());
    // A whole path in the name stays whole.
    doc = Document();
    std::strcpy(doc.fileName, shortFull.c_str());
    ASSERT_TRUE(openAndLoad(doc, store, s, sink));
    EXPECT_EQ(std::string(doc.fileName), sub + "\\" + longName);
    // A name that does not exist is kept as typed.
    doc = Document();
    std::strcpy(doc.folder, sub.c_str());
    std::strcpy(doc.fileName, "New Name.TXT");
    ASSERT_TRUE(openAndLoad(doc, store, s, sink));
    EXPECT_TRUE(doc.newFile);
    EXPECT_STREQ(doc.fileName, "New Name.TXT");
    EXPECT_TRUE(sink.messages.empty());
}

namespace {
bool othersCanWrite(const std::string& path) {
    HANDLE w = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (w == INVALID_HANDLE_VALUE) return false;
    CloseHandle(w);
    return true;
}
}  // namespace

TEST_F(LoaderTest, ReadOnlyRequestAndWinIniNeverKeepOthersFromWriting) {
    s.lockMode = 32;
    writeFile(dir + "\\asked.txt", "asked\r\n");
    doc = Document();
    std::strcpy(doc.folder, dir.c_str());
    std::strcpy(doc.fileName, "asked.txt");
    doc.readOnlyRequest = true;
    ASSERT_TRUE(openAndLoad(doc, store, s, sink));
    EXPECT_TRUE(doc.readOnly);
    EXPECT_NE(doc.file, nullptr);  // lockMode 32 keeps it open
    EXPECT_TRUE(othersCanWrite(dir + "\\asked.txt"));
    EXPECT_TRUE(sink.messages.empty());  // asked for: nothing said
    closeDocumentFile(doc);

    char windows[MAX_PATH];
    UINT n = GetWindowsDirectoryA(windows, MAX_PATH);
    ASSERT_GT(n, 0u);
    const std::string winIni = std::string(windows) + "\\win.ini";
    if (GetFileAttributesA(winIni.c_str()) == INVALID_FILE_ATTRIBUTES) writeFile(winIni, "[windows]\r\n");
    doc = Document();
    std::strcpy(doc.folder, windows);
    std::strcpy(doc.fileName, "WIN.INI");
    ASSERT_TRUE(openAndLoad(doc, store, s, sink));
    EXPECT_NE(doc.file, nullptr);
    EXPECT_TRUE(othersCanWrite(winIni));
    closeDocumentFile(doc);
    EXPECT_TRUE(sink.messages.empty());
}
