// The hostile-archive corpus: ZIP, LZH and CAB archives whose entries try to
// leave the destination folder (.. steps, absolute, drive and UNC names,
// device names) beside legitimate entries, Shift-JIS names ending in a 0x5C
// byte among them. Nothing may land outside the destination, every refusal
// is reported, and the legitimate entries are extracted.
#include <gtest/gtest.h>
#include <cstring>
#include <set>
#include "archiver_lib.h"

namespace {

// Every file below folder, as paths relative to root.
void listFiles(const std::string& root, const std::string& rel, std::set<std::string>& out) {
    WIN32_FIND_DATAA fd;
    std::string folder = rel.empty() ? root : root + "\\" + rel;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        std::string path = rel.empty() ? name : rel + "\\" + name;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            listFiles(root, path, out);
        else
            out.insert(path);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
}

int countLines(const char* text, const char* prefix) {
    int n = 0;
    for (const char* p = text; (p = std::strstr(p, prefix)) != nullptr; p += std::strlen(prefix)) ++n;
    return n;
}

TEST(HostileArchives, NothingLeavesTheDestinationAndNeighboursAreExtracted) {
    const struct {
        const char* dll;
        const char* prefix;
        const char* archive;
    } corpus[] = {{"UnZip32.DLL", "UnZip", "hostile.zip"},
                  {"UnLha32.DLL", "Unlha", "hostile.lzh"},
                  {"Cab32.DLL", "Cab", "hostile.cab"}};
    // Places an escaping entry could reach from the work folder or the drive.
    const char* outside[] = {"Z:\\x", "C:\\x"};
    for (const char* p : outside) ASSERT_FALSE(e2e::fileExists(p)) << p << " exists before the test";

    for (const auto& c : corpus) {
        SCOPED_TRACE(c.archive);
        ArchiverLib lib(c.dll, c.prefix);
        ASSERT_TRUE(lib.module);
        std::string work = e2e::freshFolder(std::string("archivers\\") + c.prefix + "_hostile");
        std::string dest = work + "\\a\\b\\dest";
        // The current folder is the destination, as when the installer
        // extracts into a temporary folder it entered.
        SetCurrentDirectoryA(work.c_str());
        char output[4096];
        int r = lib.command(nullptr, lib.extractAll(fixture(c.archive), dest).c_str(), output, sizeof output);
        EXPECT_EQ(ARC_ERROR_UNSAFE_NAME, r);
        // Eight entries are refused, each with its own line.
        EXPECT_EQ(8, countLines(output, "展開先の外を指すため展開しません: ")) << output;

        std::set<std::string> files;
        listFiles(work, "", files);
        std::set<std::string> expected = {"a\\b\\dest\\good.txt", "a\\b\\dest\\ソ",
                                          "a\\b\\dest\\表\\inner.txt"};
        EXPECT_EQ(expected, files);
        EXPECT_EQ("good\r\n", readAll(dest + "\\good.txt"));
        EXPECT_EQ("trail byte 5C at the end\r\n", readAll(dest + "\\ソ"));
        EXPECT_EQ("inside a folder named with a 5C byte\r\n", readAll(dest + "\\表\\inner.txt"));
        for (const char* p : outside) EXPECT_FALSE(e2e::fileExists(p)) << p;

        // Memory extraction never touches the disk, and names it nothing.
        std::vector<BYTE> buffer(256);
        DWORD written = 0;
        std::string cmd = "\"" + fixture(c.archive) + "\" \"good.txt\"";
        EXPECT_EQ(0, lib.extractMem(nullptr, cmd.c_str(), buffer.data(), 256, nullptr, nullptr, &written));
        EXPECT_EQ(6u, written);
    }
    SetCurrentDirectoryA(e2e::winPath(TEST_WORK_DIR).c_str());
}

}  // namespace
