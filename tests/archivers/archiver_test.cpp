// The archiver DLLs through their exported interface: listing, extraction
// (all, below a base folder, one item, to memory), notifications,
// cancellation, recognition and command-line errors.
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include "archiver_lib.h"

namespace {

struct Case {
    const char* dll;
    const char* prefix;
    const char* archive;
};

// Every format variant the fixtures hold, self-extracting programs included.
const Case kCases[] = {
    {"UnLha32.DLL", "Unlha", "level0_lh0.lzh"}, {"UnLha32.DLL", "Unlha", "level1_lh5.lzh"},
    {"UnLha32.DLL", "Unlha", "level2_lh6.lzh"}, {"UnLha32.DLL", "Unlha", "level2_lh7.lzh"},
    {"UnLha32.DLL", "Unlha", "sfx_lzh.exe"},    {"UnZip32.DLL", "UnZip", "stored.zip"},
    {"UnZip32.DLL", "UnZip", "deflate.zip"},    {"UnZip32.DLL", "UnZip", "sfx_zip.exe"},
    {"Cab32.DLL", "Cab", "stored.cab"},         {"Cab32.DLL", "Cab", "gcab_stored.cab"},
    {"Cab32.DLL", "Cab", "mszip.cab"},          {"Cab32.DLL", "Cab", "sfx_cab.exe"},
    {"Cab32.DLL", "Cab", "lzx.cab"},
};

class Archiver : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        lib_.reset(new ArchiverLib(GetParam().dll, GetParam().prefix));
        ASSERT_TRUE(lib_->module) << GetParam().dll;
        archive_ = fixture(GetParam().archive);
        std::string name = GetParam().archive;
        for (char& c : name)
            if (c == '.') c = '_';
        work_ = e2e::freshFolder("archivers\\" + name);
    }
    std::unique_ptr<ArchiverLib> lib_;
    std::string archive_, work_;
};

TEST_P(Archiver, ListsEveryFileWithItsSize) {
    HARCHIVE h = lib_->openArchive(nullptr, archive_.c_str(), 0);
    ASSERT_TRUE(h);
    std::set<std::string> seen;
    ArcItemInfo info;
    for (int r = lib_->findFirst(h, "*.*", &info); r == 0; r = lib_->findNext(h, &info)) {
        if (info.attributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        seen.insert(info.fileName);
        EXPECT_EQ(expectedBytes(info.fileName).size(), info.originalSize) << info.fileName;
    }
    EXPECT_EQ(std::set<std::string>(fixtureFiles().begin(), fixtureFiles().end()), seen);
    // A name looked for directly, with the size of what was found.
    ASSERT_EQ(0, lib_->findFirst(h, "sub\\big.txt", &info));
    EXPECT_STREQ("sub\\big.txt", info.fileName);
    EXPECT_EQ(static_cast<int>(expectedBytes("sub\\big.txt").size()), lib_->getOriginalSize(h));
    EXPECT_NE(0, lib_->findFirst(h, "missing.txt", &info));
    EXPECT_EQ(0, lib_->closeArchive(h));
}

TEST_P(Archiver, ExtractsEveryFileByteForByte) {
    std::string dest = work_ + "\\all";
    ASSERT_EQ(0, lib_->command(nullptr, lib_->extractAll(archive_, dest).c_str(), nullptr, 0));
    for (const std::string& name : fixtureFiles()) {
        std::string bytes;
        ASSERT_TRUE(e2e::readFile(dest + "\\" + name, &bytes)) << name;
        EXPECT_EQ(expectedBytes(name), bytes) << name;
    }
}

TEST_P(Archiver, TakesAnUnquotedArchivePathWithBlanks) {
    // The extract-all command names the archive without quotes.
    std::string copy = work_ + "\\my disc\\an archive " + GetParam().archive;
    ASSERT_TRUE(e2e::copyFile(archive_, copy));
    std::string dest = work_ + "\\blanks";
    ASSERT_EQ(0, lib_->command(nullptr, lib_->extractAll(copy, dest).c_str(), nullptr, 0));
    EXPECT_EQ(expectedBytes("readme.txt"), readAll(dest + "\\readme.txt"));
}

TEST_P(Archiver, ExtractsBelowABaseFolderAndSingleItems) {
    std::string below = work_ + "\\below";
    ASSERT_EQ(0, lib_->command(nullptr, lib_->extractBelow(archive_, below, "sub").c_str(), nullptr, 0));
    EXPECT_TRUE(e2e::fileExists(below + "\\sub\\note.txt"));
    EXPECT_TRUE(e2e::fileExists(below + "\\sub\\big.txt"));
    EXPECT_FALSE(e2e::fileExists(below + "\\readme.txt"));
    EXPECT_FALSE(e2e::fileExists(below + "\\表示.txt"));

    std::string one = work_ + "\\one";
    ASSERT_EQ(
        0, lib_->command(nullptr, lib_->extractOne(archive_, one, "ソフト\\説明.txt").c_str(), nullptr, 0));
    std::string bytes;
    EXPECT_TRUE(e2e::readFile(one + "\\ソフト\\説明.txt", &bytes));
    EXPECT_EQ(expectedBytes("ソフト\\説明.txt"), bytes);
    EXPECT_FALSE(e2e::fileExists(one + "\\readme.txt"));
    EXPECT_EQ(ARC_ERROR_NOT_FOUND,
              lib_->command(nullptr, lib_->extractOne(archive_, one, "missing.txt").c_str(), nullptr, 0));
}

TEST_P(Archiver, ExtractsToMemory) {
    std::string cmd = "\"" + archive_ + "\" \"表示.txt\"";
    std::vector<BYTE> buffer(0x20000);
    DWORD written = 0;
    ASSERT_EQ(0, lib_->extractMem(nullptr, cmd.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                  nullptr, nullptr, &written));
    EXPECT_EQ(expectedBytes("表示.txt"), std::string(buffer.begin(), buffer.begin() + written));
    // A buffer smaller than the file takes what fits.
    std::string big = expectedBytes("sub\\big.txt");
    cmd = "\"" + archive_ + "\" \"sub\\big.txt\"";
    ASSERT_EQ(0, lib_->extractMem(nullptr, cmd.c_str(), buffer.data(), 1000, nullptr, nullptr, &written));
    EXPECT_EQ(big.substr(0, 1000), std::string(buffer.begin(), buffer.begin() + written));
    cmd = "\"" + archive_ + "\" \"missing.txt\"";
    EXPECT_EQ(ARC_ERROR_NOT_FOUND,
              lib_->extractMem(nullptr, cmd.c_str(), buffer.data(), 1000, nullptr, nullptr, &written));
    EXPECT_EQ(0u, written);
}

// A window that records the notifications it is sent and answers 1 (stop)
// at the first progress notification of the file written to stopAt.
struct Recorder {
    struct Event {
        WPARAM type;
        std::string stored, dest, archive;
        DWORD size, written;
    };
    std::vector<Event> events;
    std::string stopAt;
    UINT message = RegisterWindowMessageA(ARC_EXTRACT_MESSAGE_NAME);
    HWND hwnd = nullptr;

    static LRESULT CALLBACK proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
        Recorder* self = reinterpret_cast<Recorder*>(GetWindowLongPtrA(w, GWLP_USERDATA));
        if (self && m == self->message) {
            const ArcExtractInfo* info = reinterpret_cast<const ArcExtractInfo*>(lp);
            self->events.push_back({wp, info->storedName, info->destName, info->archiveName, info->fileSize,
                                    info->bytesWritten});
            return (wp == ARC_NOTIFY_PROGRESS && self->stopAt == info->destName) ? 1 : 0;
        }
        return DefWindowProcA(w, m, wp, lp);
    }
    Recorder() {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ArchiverTestOwner";
        RegisterClassA(&wc);
        hwnd = CreateWindowA("ArchiverTestOwner", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                             wc.hInstance, nullptr);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Recorder() { DestroyWindow(hwnd); }
};

TEST_P(Archiver, NotifiesBeginProgressAndEndForEveryFile) {
    Recorder owner;
    ASSERT_TRUE(lib_->setOwnerWindow(owner.hwnd));
    std::string dest = work_ + "\\notify";
    ASSERT_EQ(0, lib_->command(owner.hwnd, lib_->extractAll(archive_, dest).c_str(), nullptr, 0));
    lib_->clearOwnerWindow();

    ASSERT_FALSE(owner.events.empty());
    EXPECT_EQ(static_cast<WPARAM>(ARC_NOTIFY_ARCHIVE), owner.events[0].type);
    EXPECT_EQ(archive_, owner.events[0].archive);
    // Per file: one begin, progress up to its size, one end, never interleaved.
    std::set<std::string> ended;
    const Recorder::Event* begin = nullptr;
    for (size_t i = 1; i < owner.events.size(); ++i) {
        const Recorder::Event& e = owner.events[i];
        if (e.type == ARC_NOTIFY_BEGIN) {
            EXPECT_EQ(nullptr, begin) << e.stored;
            begin = &e;
            EXPECT_EQ(0u, e.written);
            std::string name = e.dest.substr(dest.size() + 1);
            EXPECT_EQ(expectedBytes(name).size(), e.size) << name;
        } else {
            ASSERT_NE(nullptr, begin);
            EXPECT_EQ(begin->stored, e.stored);
            EXPECT_EQ(begin->dest, e.dest);
            if (e.type == ARC_NOTIFY_END) {
                EXPECT_EQ(e.size, e.written);
                ended.insert(e.dest.substr(dest.size() + 1));
                begin = nullptr;
            } else {
                EXPECT_EQ(static_cast<WPARAM>(ARC_NOTIFY_PROGRESS), e.type);
            }
        }
    }
    EXPECT_EQ(std::set<std::string>(fixtureFiles().begin(), fixtureFiles().end()), ended);
    // Without an owner nothing is sent.
    size_t count = owner.events.size();
    ASSERT_EQ(0, lib_->command(nullptr, lib_->extractAll(archive_, dest).c_str(), nullptr, 0));
    EXPECT_EQ(count, owner.events.size());
}

TEST_P(Archiver, AnswerOneStopsAndRemovesThePartFile) {
    Recorder owner;
    ASSERT_TRUE(lib_->setOwnerWindow(owner.hwnd));
    std::string dest = work_ + "\\cancel";
    owner.stopAt = dest + "\\sub\\big.txt";
    int r = lib_->command(owner.hwnd, lib_->extractAll(archive_, dest).c_str(), nullptr, 0);
    lib_->clearOwnerWindow();
    EXPECT_EQ(ARC_ERROR_USER_CANCEL, r);
    ASSERT_FALSE(owner.events.empty());
    EXPECT_EQ(static_cast<WPARAM>(ARC_NOTIFY_PROGRESS), owner.events.back().type);
    // What came before the stop is complete; the file being written is gone
    // and nothing after it was started.
    EXPECT_EQ(expectedBytes("readme.txt"), readAll(dest + "\\readme.txt"));
    EXPECT_EQ(expectedBytes("sub\\note.txt"), readAll(dest + "\\sub\\note.txt"));
    EXPECT_FALSE(e2e::fileExists(dest + "\\sub\\big.txt"));
    EXPECT_FALSE(e2e::fileExists(dest + "\\表示.txt"));
}

TEST_P(Archiver, RecognisesItsOwnKindOnly) {
    EXPECT_TRUE(lib_->checkArchive(archive_.c_str(), ARC_CHECK_HEADERS));
    EXPECT_TRUE(lib_->checkArchive(archive_.c_str(), ARC_CHECK_FULL));
    const char* others[] = {"deflate.zip", "level1_lh5.lzh", "mszip.cab"};
    for (const char* other : others) {
        bool own = std::string(other).substr(std::string(other).size() - 3) ==
                   std::string(lib_->kind() == 1   ? "lzh"
                               : lib_->kind() == 2 ? "zip"
                                                   : "cab");
        EXPECT_EQ(own, lib_->checkArchive(fixture(other).c_str(), 0) != FALSE) << other;
    }
    EXPECT_FALSE(lib_->checkArchive(fixture("random.bin").c_str(), 0));
    EXPECT_FALSE(lib_->checkArchive(fixture("plain.exe").c_str(), 0));
    EXPECT_FALSE(lib_->checkArchive(fixture("missing.lzh").c_str(), 0));
    EXPECT_EQ(nullptr, lib_->openArchive(nullptr, fixture("random.bin").c_str(), 0));
}

TEST_P(Archiver, RefusesUnknownSwitchesAndMissingArchives) {
    std::string dest = work_ + "\\errors";
    std::string good = lib_->extractAll(archive_, dest);
    // An unknown switch placed before the archive name.
    std::string unknown = good;
    unknown.insert(unknown.find(' '), " -q9");
    EXPECT_EQ(ARC_ERROR_UNKNOWN_SWITCH, lib_->command(nullptr, unknown.c_str(), nullptr, 0));
    EXPECT_EQ(ARC_ERROR_UNKNOWN_COMMAND,
              lib_->command(nullptr, ("\"" + archive_ + "\"").c_str(), nullptr, 0));
    EXPECT_EQ(ARC_ERROR_ARCHIVE_MISSING,
              lib_->command(nullptr, lib_->extractAll(fixture("missing.bin"), dest).c_str(), nullptr, 0));
    EXPECT_EQ(ARC_ERROR_NOT_ARCHIVE,
              lib_->command(nullptr, lib_->extractAll(fixture("random.bin"), dest).c_str(), nullptr, 0));
    EXPECT_FALSE(e2e::fileExists(dest + "\\readme.txt"));
}

INSTANTIATE_TEST_SUITE_P(Formats, Archiver, ::testing::ValuesIn(kCases));

TEST(ArchiverExports, EveryEntryPointIsExportedUnderItsPrefix) {
    const char* suffixes[] = {"",
                              "ClearOwnerWindow",
                              "SetOwnerWindow",
                              "SetOwnerWindowEx",
                              "KillOwnerWindowEx",
                              "OpenArchive",
                              "FindFirst",
                              "FindNext",
                              "CloseArchive",
                              "GetRunning",
                              "SetCursorMode",
                              "SetBackGroundMode",
                              "ExtractMem",
                              "GetOriginalSize",
                              "GetCompressedSize",
                              "CheckArchive"};
    const Case libs[] = {
        {"UnLha32.DLL", "Unlha", ""}, {"UnZip32.DLL", "UnZip", ""}, {"Cab32.DLL", "Cab", ""}};
    for (const Case& c : libs) {
        ArchiverLib lib(c.dll, c.prefix);
        ASSERT_TRUE(lib.module) << c.dll;
        for (const char* s : suffixes) EXPECT_TRUE(lib.proc(s)) << c.prefix << s;
    }
}

}  // namespace

namespace {

// The sample disc's archives, written at build time for the installer, are
// read by the libraries that will unpack them.
TEST(SampleDiscArchives, HoldTheirFilesForTheirLibraries) {
    const struct {
        const char* dll;
        const char* prefix;
        const char* archive;
        const char* item;
    } cases[] = {{"UnLha32.DLL", "Unlha", "item.lzh", "app\\説明書.txt"},
                 {"UnZip32.DLL", "UnZip", "item.zip", "app\\説明書.txt"},
                 {"Cab32.DLL", "Cab", "item.cab", "app\\説明書.txt"},
                 {"UnLha32.DLL", "Unlha", "setup.lzh", "setup.exe"},
                 {"UnLha32.DLL", "Unlha", "docs.lzh", "manual.rtf"}};
    for (const auto& c : cases) {
        ArchiverLib lib(c.dll, c.prefix);
        std::string archive = e2e::winPath(SAMPLE_ARCHIVE_DIR) + "\\" + c.archive;
        HARCHIVE h = lib.openArchive(nullptr, archive.c_str(), 0);
        ASSERT_TRUE(h) << c.archive;
        ArcItemInfo info;
        EXPECT_EQ(0, lib.findFirst(h, c.item, &info)) << c.archive << " " << c.item;
        lib.closeArchive(h);
    }
    ArchiverLib lzh("UnLha32.DLL", "Unlha");
    std::vector<BYTE> buffer(0x20000);
    DWORD written = 0;
    std::string cmd = "\"" + e2e::winPath(SAMPLE_ARCHIVE_DIR) + "\\docs.lzh\" \"manual.rtf\"";
    ASSERT_EQ(0, lzh.extractMem(nullptr, cmd.c_str(), buffer.data(), 0x20000, nullptr, nullptr, &written));
    EXPECT_EQ("{\\rtf1", std::string(buffer.begin(), buffer.begin() + 6));
}

}  // namespace
