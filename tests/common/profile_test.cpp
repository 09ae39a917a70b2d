// Profile file reader: choosing the file beside the program, typed reads,
// defaults for a missing file, and cut values that never overrun buffers.
#include "profile.h"
#include "driver.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace common;

namespace {
const char* const kChildOutput = "COMMON_LOCATE_OUT";

std::string folderWith(const std::string& name) { return e2e::freshFolder("common\\" + name); }
}  // namespace

TEST(ProfileLocate, BareNameIsTakenFromTheModuleFolder) {
    std::string folder = folderWith("locate_bare");
    ASSERT_TRUE(e2e::writeFile(folder + "\\MENU.INI", "[OSTREL]\r\n"));
    ProfileFile p;
    EXPECT_TRUE(p.locateFrom((folder + "\\Ostrel.exe").c_str(), "MENU.INI"));
    EXPECT_EQ(folder + "\\MENU.INI", p.getPath());
    EXPECT_FALSE(p.locateFrom((folder + "\\Ostrel.exe").c_str(), "MENU.DAT"));
    EXPECT_EQ(folder + "\\MENU.DAT", p.getPath());
}

TEST(ProfileLocate, NoNamePrefersDatOverLstWhenThereIsNoIni) {
    std::string folder = folderWith("locate_default");
    ASSERT_TRUE(e2e::writeFile(folder + "\\X.dat", "[a]\r\nk=v\r\n"));
    ASSERT_TRUE(e2e::writeFile(folder + "\\X.lst", "[a]\r\n"));
    ProfileFile p;
    EXPECT_TRUE(p.locateFrom((folder + "\\X.exe").c_str()));
    EXPECT_EQ(folder + "\\X.dat", p.getPath());
    ASSERT_TRUE(e2e::writeFile(folder + "\\X.ini", "[a]\r\n"));
    EXPECT_TRUE(p.locateFrom((folder + "\\X.exe").c_str()));
    EXPECT_EQ(folder + "\\X.ini", p.getPath());
}

TEST(ProfileLocate, NoNameAndNoFileEndsInIni) {
    std::string folder = folderWith("locate_none");
    ProfileFile p;
    EXPECT_FALSE(p.locateFrom((folder + "\\X.exe").c_str()));
    EXPECT_EQ(folder + "\\X.ini", p.getPath());
    EXPECT_FALSE(p.exists());
}

TEST(ProfileLocate, ExtensionAloneAndFullPath) {
    std::string folder = folderWith("locate_ext");
    ASSERT_TRUE(e2e::writeFile(folder + "\\X.dat", "[a]\r\n"));
    ProfileFile p;
    EXPECT_TRUE(p.locateFrom((folder + "\\X.exe").c_str(), ".dat"));
    EXPECT_EQ(folder + "\\X.dat", p.getPath());
    EXPECT_TRUE(p.locateFrom("C:\\elsewhere\\Y.exe", (folder + "\\X.dat").c_str()));
    EXPECT_EQ(folder + "\\X.dat", p.getPath());
    char copy[ProfileFile::kPathSize];
    EXPECT_STREQ(p.getPath(), p.getPath(copy));
    EXPECT_STREQ(p.getPath(), copy);
}

TEST(ProfileLocate, DoubleByteFolderAndDottedFolderAreNotCut) {
    std::string folder = folderWith("locate_sjis") + "\\ソ表示.v2";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(e2e::writeFile(folder + "\\MENU.DAT", "[MENU]\r\n"));
    ProfileFile p;
    EXPECT_TRUE(p.locateFrom((folder + "\\Ostrel.exe").c_str(), "MENU.DAT"));
    EXPECT_EQ(folder + "\\MENU.DAT", p.getPath());
    // No extension on the program: the whole path gets ".ini".
    EXPECT_FALSE(p.locateFrom((folder + "\\Ostrel").c_str()));
    EXPECT_EQ(folder + "\\Ostrel.ini", p.getPath());
}

// Runs only inside the copy of this executable started by the test below: it
// writes what locate found for the running module.
TEST(ProfileLocateChild, Report) {
    const char* out = std::getenv(kChildOutput);
    if (!out || !*out) GTEST_SKIP() << "only run as a child";
    ProfileFile p;
    bool found = p.locate(nullptr);
    e2e::writeFile(out, std::string(found ? "1" : "0") + p.getPath());
}

TEST(ProfileLocate, RunningProgramFindsItsDatBesideIt) {
    if (std::getenv(kChildOutput)) GTEST_SKIP();
    std::string folder = folderWith("locate_module") + "\\ソ表示";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    char self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, self, sizeof self), 0u);
    std::string exe = folder + "\\X.exe";
    ASSERT_TRUE(CopyFileA(self, exe.c_str(), FALSE));
    ASSERT_TRUE(e2e::writeFile(folder + "\\X.dat", "[a]\r\n"));
    ASSERT_TRUE(e2e::writeFile(folder + "\\X.lst", "[a]\r\n"));
    std::string out = folder + "\\located.txt";
    SetEnvironmentVariableA(kChildOutput, out.c_str());
    std::string command = "\"" + exe + "\" --gtest_filter=ProfileLocateChild.*";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    BOOL started =
        CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi);
    SetEnvironmentVariableA(kChildOutput, nullptr);
    ASSERT_TRUE(started);
    DWORD waited = WaitForSingleObject(pi.hProcess, 30000);
    if (waited != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    ASSERT_EQ(WAIT_OBJECT_0, waited);
    std::string found;
    ASSERT_TRUE(e2e::readFile(out, &found));
    EXPECT_EQ("1" + folder + "\\X.dat", found);
}

class ProfileRead : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = e2e::freshFolder("common\\profile_read");
        std::string text = "[S]\r\n"
                           "Empty=\r\n"
                           "Zero=0\r\n"
                           "Name=ソ表示\r\n"
                           "Num=-12abc\r\n"
                           "B1=TRUE\r\nB2=Yes\r\nB3=yes\r\nB4=1\r\nB5=on\r\nB6=truex\r\n"
                           "Long=" +
                           std::string(5000, 'L') +
                           "\r\n"
                           "[Other]\r\n"
                           "Name=other\r\n";
        ASSERT_TRUE(e2e::writeFile(folder_ + "\\MENU.INI", text));
        ASSERT_TRUE(profile_.locateFrom((folder_ + "\\Ostrel.exe").c_str(), "MENU.INI"));
        profile_.setSection("S");
    }
    std::string folder_;
    ProfileFile profile_;
};

TEST_F(ProfileRead, HasValueCountsEmptyValuesAsAbsent) {
    EXPECT_FALSE(profile_.hasValue("Empty"));
    EXPECT_FALSE(profile_.hasValue("Missing"));
    EXPECT_TRUE(profile_.hasValue("Zero"));
    EXPECT_TRUE(profile_.hasValue("Long"));  // longer than the probe buffer
}

TEST_F(ProfileRead, ReadBoolAcceptsOnlyTrueAndYes) {
    EXPECT_TRUE(profile_.readBool("B1"));
    EXPECT_TRUE(profile_.readBool("B2"));
    EXPECT_TRUE(profile_.readBool("B3"));
    EXPECT_FALSE(profile_.readBool("B4"));
    EXPECT_FALSE(profile_.readBool("B5"));
    EXPECT_FALSE(profile_.readBool("B6"));
    EXPECT_FALSE(profile_.readBool("Missing"));
}

TEST_F(ProfileRead, StringsIntsAndSections) {
    char buf[80];
    EXPECT_EQ(6, profile_.readString("Name", buf, sizeof buf));
    EXPECT_STREQ("ソ表示", buf);
    EXPECT_EQ(5, profile_.readString("Other", "Name", buf, sizeof buf));
    EXPECT_STREQ("other", buf);
    EXPECT_STREQ("S", profile_.section());  // the explicit section left it alone
    EXPECT_EQ(0, profile_.readString("Missing", buf, sizeof buf));
    EXPECT_STREQ("", buf);
    EXPECT_EQ(3, profile_.readString("Missing", buf, sizeof buf, "def"));
    EXPECT_STREQ("def", buf);
    EXPECT_EQ(-12, profile_.readInt("Num"));
    EXPECT_EQ(0, profile_.readInt("Name"));
    EXPECT_EQ(0, profile_.readInt("Missing"));
}

TEST_F(ProfileRead, OverlongValuesAreCutInsideTheBuffer) {
    for (int size : {300, 16, 2, 1}) {
        std::string buffer(size + 64, '\x5A');
        int n = profile_.readString("Long", &buffer[0], size);
        EXPECT_EQ(size - 1, n) << size;
        EXPECT_EQ('\0', buffer[size - 1]) << size;
        EXPECT_EQ(std::string(size - 1, 'L'), buffer.substr(0, size - 1)) << size;
        EXPECT_EQ(std::string(64, '\x5A'), buffer.substr(size)) << size;
    }
}

TEST_F(ProfileRead, OverlongSectionNameIsCut) {
    profile_.setSection(std::string(5000, 'S').c_str());
    EXPECT_EQ(std::string(ProfileFile::kSectionSize - 1, 'S'), profile_.section());
}

TEST(ProfileMissing, EveryReadYieldsItsDefault) {
    std::string folder = folderWith("profile_missing");
    ProfileFile p;
    EXPECT_FALSE(p.locateFrom((folder + "\\Ostrel.exe").c_str(), "MENU.INI"));
    p.setSection("S");
    char buf[16] = "junk";
    EXPECT_EQ(0, p.readString("k", buf, sizeof buf));
    EXPECT_STREQ("", buf);
    EXPECT_EQ(2, p.readString("k", buf, sizeof buf, "dv"));
    EXPECT_STREQ("dv", buf);
    EXPECT_EQ(0, p.readInt("k"));
    EXPECT_FALSE(p.readBool("k"));
    EXPECT_FALSE(p.hasValue("k"));
    // A file appearing later is seen only after the next check.
    ASSERT_TRUE(e2e::writeFile(folder + "\\MENU.INI", "[S]\r\nk=5\r\n"));
    EXPECT_EQ(0, p.readInt("k"));
    EXPECT_TRUE(p.checkExists());
    EXPECT_EQ(5, p.readInt("k"));
}

TEST(ProfileAttributes, ReadOnlyFileAndFolderOfThatName) {
    std::string folder = folderWith("profile_readonly");
    std::string file = folder + "\\MENU.DAT";
    ASSERT_TRUE(e2e::writeFile(file, "[MENU]\r\nk=1\r\n"));
    ProfileFile p;
    ASSERT_TRUE(p.locateFrom((folder + "\\Ostrel.exe").c_str(), "MENU.DAT"));
    EXPECT_FALSE(p.readOnly());
    ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(p.checkExists());
    EXPECT_TRUE(p.readOnly());
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(CreateDirectoryA((folder + "\\MENU.INI").c_str(), nullptr));
    EXPECT_FALSE(p.locateFrom((folder + "\\Ostrel.exe").c_str(), "MENU.INI"));
}
