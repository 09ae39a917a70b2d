// The native build's loader calls and the archiver libraries linked behind
// them, driven through the installer's own library object on a mounted disc.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "archive_library.h"
#include "host_disc.h"

namespace {

TEST(HostModules, LoadsOnlyTheArchiverLibrariesByTheirLastName) {
    struct Case {
        const char* path;
        bool loads;
    };
    const Case cases[] = {
        {"C:\\WINDOWS\\SYSTEM32\\UnLha32.DLL", true},  {"D:\\DISC\\unzip32.dll", true},   {"Cab32.DLL", true},
        {"C:\\WINDOWS\\SYSTEM32\\Other32.DLL", false}, {"C:\\UnLha32.DLL\\x.dll", false}, {"", false},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        HMODULE m = LoadLibraryExA(c.path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        EXPECT_EQ(m != nullptr, c.loads) << c.path;
        if (!c.loads) EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND) << c.path;
        if (m) EXPECT_TRUE(FreeLibrary(m));
    }
    EXPECT_FALSE(FreeLibrary(reinterpret_cast<HMODULE>(uintptr_t(0x1234))));
}

TEST(HostModules, AnswersEachLibrarysOwnNamesOnly) {
    HMODULE lzh = LoadLibraryA("UnLha32.DLL"), zip = LoadLibraryA("UnZip32.DLL");
    ASSERT_TRUE(lzh && zip);
    EXPECT_NE(lzh, zip);
    EXPECT_NE(GetProcAddress(lzh, "Unlha"), nullptr);
    EXPECT_NE(GetProcAddress(lzh, "UnlhaFindFirst"), nullptr);
    EXPECT_NE(GetProcAddress(zip, "UnZipSetBackGroundMode"), nullptr);
    EXPECT_NE(GetProcAddress(lzh, "UnlhaFindFirst"), GetProcAddress(zip, "UnZipFindFirst"));
    EXPECT_EQ(GetProcAddress(lzh, "UnZipFindFirst"), nullptr);
    EXPECT_EQ(GetProcAddress(lzh, "unlhafindfirst"), nullptr);  // export names are exact
    EXPECT_EQ(GetProcAddress(reinterpret_cast<HMODULE>(uintptr_t(0x1234)), "Unlha"), nullptr);
}

// The fixture disc's archives through the installer's library object: the
// library is found in the system folder, a ZIP lists its items, a broken LZH
// is refused.
TEST(HostModules, ListsAndRefusesArchivesOfAMountedDisc) {
    ASSERT_TRUE(hostdisc::mount(FIXTURE_DISC));
    installer::ArchiveLibrary& lib = installer::ArchiveLibrary::instance();
    ASSERT_TRUE(lib.open(nullptr, "D:\\INST\\item.zip", 0)) << lib.text;
    std::vector<std::string> names;
    ArcItemInfo info;
    for (bool more = lib.findFirst("*.*", &info); more; more = lib.findNext(&info))
        names.push_back(info.fileName);
    lib.close();
    EXPECT_EQ(names, (std::vector<std::string>{"readme.txt", "app\\tool.exe"}));
    EXPECT_FALSE(lib.open(nullptr, "D:\\INST\\bad.lzh", 0));
    EXPECT_FALSE(lib.text.empty());
    lib.release();
}

}  // namespace
