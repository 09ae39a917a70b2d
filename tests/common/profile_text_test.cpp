// The in-memory profile reader against the system's GetPrivateProfileStringA
// and GetPrivateProfileIntA: every question asked of a table of awkward files
// and of random files must get the same answer from both, and a ProfileFile
// reading from memory must read as one calling the system.
#include <windows.h>

#include "driver.h"
#include "profile.h"
#include "profile_text.h"
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using namespace common;

namespace {

struct Question {
    const char* section;
    const char* key;
    const char* defaultValue;
};

// Both answers to one question, with a buffer of `size` bytes.
void expectSameString(const std::string& path, const ProfileText& text, const char* section, const char* key,
                      const char* defaultValue, DWORD size, const std::string& where) {
    std::vector<char> system(size + 2, '\x7f'), memory(size + 2, '\x7f');
    DWORD n = GetPrivateProfileStringA(section, key, defaultValue, system.data(), size, path.c_str());
    size_t m = text.readString(section, key, defaultValue, memory.data(), size);
    SCOPED_TRACE(where + " [" + (section ? section : "(null)") + "] " + (key ? key : "(null)") +
                 " default '" + (defaultValue ? defaultValue : "(null)") + "' size " + std::to_string(size));
    if (section && key && n == size - 1 && m + 1 == n) {
        // A double-byte character cut by the buffer: the system counts the
        // byte it leaves unwritten, the in-memory reader leaves the whole
        // character out.
        EXPECT_EQ(std::string(system.data(), m), std::string(memory.data(), m));
        EXPECT_EQ('\0', memory[m]);
        return;
    }
    ASSERT_EQ(n, m);
    // Lists hold terminators; compare the bytes written, terminators
    // included (the system leaves the last byte of a cut list, and the second
    // terminator of an empty one, unwritten).
    size_t used = (section && key) || n == 0 || n + 2 >= size ? n + 1 : n + 2;
    EXPECT_EQ(std::string(system.data(), used), std::string(memory.data(), used));
}

void expectSameInt(const std::string& path, const ProfileText& text, const char* section, const char* key,
                   int defaultValue, const std::string& where) {
    SCOPED_TRACE(where + " int [" + std::string(section) + "] " + key);
    EXPECT_EQ(GetPrivateProfileIntA(section, key, defaultValue, path.c_str()),
              text.readInt(section, key, defaultValue));
}

std::string writeProfile(const std::string& name, const std::string& bytes) {
    std::string path = e2e::freshFolder("common\\profile_text_" + name) + "\\TEST.INI";
    EXPECT_TRUE(e2e::writeFile(path, bytes));
    return path;
}

struct AwkwardFile {
    const char* name;
    std::string bytes;
    std::vector<Question> questions;
};

// "表" and "ソ" end in 0x5C, "ゼ" and "ゾ" in '[' and ']'; "ａ"/"Ａ" and
// "α"/"Α" differ only in case, which the system does not ignore; the
// ideographic space is no blank to it.
const std::vector<AwkwardFile>& awkwardFiles() {
    static const std::vector<AwkwardFile> files = {
        {"duplicates",
         "[A]\r\nk=first\r\nk=second\r\n[a]\r\nk=later section\r\nonly=later\r\n",
         {{"A", "k", ""}, {"a", "K", ""}, {"A", "only", "dflt"}}},
        {"blanks",
         "  [S]  \r\n  key one  =  value one  \r\n\tk2\t=\tv2\t\r\n[ T ]\r\nx=1\r\nk3=\r\n",
         {{"S", "key one", ""},
          {" S ", " key one ", ""},
          {"S", "k2", ""},
          {"T", "x", "no"},
          {" T ", "x", "no"},
          {"S", "k3", "d"},
          {"T", "k3", "d"}}},
        {"quotes",
         "[Q]\r\na=\"quoted\"\r\nb='single'\r\nc=\"mixed'\r\nd=\"\r\ne=\"\"\r\nf= \" spaced \" \r\n"
         "g=\"in\"side\"\r\n",
         {{"Q", "a", ""},
          {"Q", "b", ""},
          {"Q", "c", ""},
          {"Q", "d", ""},
          {"Q", "e", "x"},
          {"Q", "f", ""},
          {"Q", "g", ""},
          {"Q", "none", "\"def\""},
          {"Q", "none", "def   "},
          {"Q", "none", "   "}}},
        {"comments",
         "; leading\r\n[C]\r\n;k=commented\r\nk=real\r\n# hash=1\r\nnoequals\r\n=empty name\r\n",
         {{"C", ";k", ""},
          {"C", "k", ""},
          {"C", "# hash", ""},
          {"C", "noequals", "dflt"},
          {"C", "", "d"},
          {"X", "k", "missing section"}}},
        {"before_section", "top=1\r\n[S]\r\nk=v\r\n", {{"", "top", ""}, {"S", "top", "no"}}},
        {"line_ends",
         "[L]\nunix=1\rmac=2\r\n\r\nwin=3",
         {{"L", "unix", ""}, {"L", "mac", ""}, {"L", "win", ""}}},
        {"brackets",
         "[a]b]\r\nk=1\r\n[open\r\nk=2\r\n[z] trailing\r\nk=3\r\n[]\r\nk=4\r\n",
         {{"a]b", "k", ""}, {"a", "k", ""}, {"[open", "k", ""}, {"z", "k", ""}, {"", "k", ""}}},
        {"shift_jis",
         "[表示]\r\nソフト=表\r\n[ゼ]\r\nk=ゼ]\r\n[ゾ\r\nk=no "
         "bracket\r\n[ゾ]ゾ\r\nk=last\r\n[ｓｊｉｓ]\r\nα=1\r\n[値]\r\n名前　=　全角空白　\r\n",
         {{"表示", "ソフト", ""},
          {"ゼ", "k", ""},
          {"ゾ", "k", ""},
          {"[ゾ", "k", ""},
          {"ＳＪＩＳ", "Α", ""},
          {"ｓｊｉｓ", "α", ""},
          {"値", "名前", ""}}},
        {"long_line",
         "[L]\r\nlong=" + std::string(3000, 'x') + "\r\nafter=1\r\njp=" + std::string(200, 'a') +
             "日本語の長い値日本語の長い値\r\n",
         {{"L", "long", ""}, {"L", "after", ""}, {"L", "jp", ""}}},
        {"numbers",
         "[N]\r\na=42\r\nb=-7\r\nc= "
         "+12abc\r\nd=0x1F\r\ne=0X1F\r\nf=abc\r\ng=\r\nh=\"15\"\r\ni=99999999999\r\n"
         "j=0b101\r\nk=0o17\r\nl=--3\r\n",
         {{"N", "a", ""}, {"N", "b", ""}}},
    };
    return files;
}

}  // namespace

TEST(ProfileText, AnswersAsTheSystemForAwkwardFiles) {
    for (const AwkwardFile& file : awkwardFiles()) {
        std::string path = writeProfile(file.name, file.bytes);
        ProfileText text(file.bytes);
        for (const Question& q : file.questions)
            // No buffer exactly one byte longer than a quoted value: there
            // Wine drops the value's last character as well as the quote, a
            // fault of its own the in-memory reader does not copy.
            for (DWORD size : {4096u, 5u, 2u, 1u})
                expectSameString(path, text, q.section, q.key, q.defaultValue, size, file.name);
        // Section names and the keys of each section, as lists.
        expectSameString(path, text, nullptr, nullptr, nullptr, 4096, file.name);
        // (A list cut within a double-byte name is cut where the system
        // would leave half a character, so only ASCII lists are cut here.)
        bool ascii = true;
        for (char c : file.bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        if (ascii) expectSameString(path, text, nullptr, nullptr, nullptr, 5, file.name);
        for (const std::string& section : text.sectionNames())
            expectSameString(path, text, section.c_str(), nullptr, "", 4096, file.name);
    }
}

TEST(ProfileText, NumbersReadAsTheSystemReadsThem) {
    const AwkwardFile& file = awkwardFiles().back();
    std::string path = writeProfile("numbers_int", file.bytes);
    ProfileText text(file.bytes);
    for (const char* key : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "missing"})
        for (int defaultValue : {0, -5, 9}) expectSameInt(path, text, "N", key, defaultValue, file.name);
}

// Random files built from the fragments that matter (blanks, quotes,
// brackets, '=', ';', case, Shift-JIS with awkward second bytes, line ends),
// questioned with names from the same pool.
TEST(ProfileText, RandomFilesAnswerAsTheSystem) {
    const char* const names[] = {"a", "A", " a", "b ", "表", "ソ", "ゼ]", "ａ", "Ａ", ";a", "[a", ""};
    const char* const values[] = {"1", "\"q\"", "'q", " v ", "", "表示", "x=y", "ゾ", "0x10", "-3"};
    const char* const ends[] = {"\r\n", "\n", "\r", "\r\n\r\n", "  \r\n"};
    std::mt19937 random(20261209);
    auto pick = [&random](size_t n) { return static_cast<size_t>(random() % n); };
    for (int round = 0; round < 12; ++round) {
        std::string bytes;
        for (int line = 0; line < 14; ++line) {
            std::string name = names[pick(sizeof names / sizeof *names)];
            switch (pick(4)) {
            case 0:
                bytes += (pick(2) ? " [" : "[") + name + (pick(4) ? "]" : "") + (pick(3) ? "" : " x");
                break;
            case 1:
                bytes += name;
                break;
            default:
                bytes += name + (pick(2) ? "=" : " = ") + values[pick(sizeof values / sizeof *values)];
            }
            bytes += ends[pick(sizeof ends / sizeof *ends)];
        }
        std::string path = writeProfile("random" + std::to_string(round), bytes);
        ProfileText text(bytes);
        for (int q = 0; q < 30; ++q) {
            const char* section = names[pick(sizeof names / sizeof *names)];
            const char* key = names[pick(sizeof names / sizeof *names)];
            expectSameString(path, text, section, key, "dflt", 64, "random " + bytes);
            expectSameInt(path, text, section, key, 5, "random " + bytes);
        }
    }
}

// The same reads through ProfileFile, once with system calls and once from
// the in-memory copy; and a copy is dropped when its scope ends.
TEST(ProfileText, ProfileFileFromMemoryReadsAsFromTheSystem) {
    const std::string bytes = "[OSTREL]\r\nCaption=\"メニュー\"\r\nSize= 12 \r\nOn=Yes\r\nOff=nope\r\n";
    std::string path = writeProfile("profile_file", bytes);
    auto readAll = [&path]() {
        ProfileFile p;
        p.locateFrom("C:\\x.exe", path.c_str());
        p.setSection("ostrel");
        char caption[5];
        p.readString("Caption", caption, sizeof caption);
        char missing[32];
        p.readString("Missing", missing, sizeof missing, "default ");
        return std::string(caption) + "|" + missing + "|" + std::to_string(p.readInt("Size")) + "|" +
               std::to_string(p.readBool("On")) + std::to_string(p.readBool("Off")) +
               std::to_string(p.hasValue("Caption")) + std::to_string(p.hasValue("Missing"));
    };
    std::string system = readAll();
    EXPECT_EQ("メニ|default|12|101"
              "0",
              system);
    {
        ProfileFile::FilesReadOnce once;
        EXPECT_EQ(system, readAll());
        // Within the scope the first read stands, even when the file changes.
        ASSERT_TRUE(e2e::writeFile(path, "[OSTREL]\r\nSize=3\r\n"));
        EXPECT_EQ(system, readAll());
    }
    ProfileFile::FilesReadOnce again;
    EXPECT_EQ("|default|3|0000", readAll());
}
