// Resolving the command line's file name into a folder and a name, on folders
// whose names end in characters with 0x5C as their second byte.
#include "file_names.h"
#include "path_text.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace viewer;

namespace {

std::string testRoot() {
    char buf[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, buf);
    std::string root = std::string(buf) + "kv_file_names_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(root.c_str(), nullptr);
    return root;
}

void makeFolders(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return;
    const char* sep = common::lastSeparator(path.c_str());
    if (sep && sep - path.c_str() > 2) makeFolders(path.substr(0, sep - path.c_str()));
    CreateDirectoryA(path.c_str(), nullptr);
}

void makeFile(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h) << path;
    CloseHandle(h);
}

}  // namespace

TEST(FileNames, FoldersEndingInSecondByte5CKeepTheirSeparator) {
    const std::string root = testRoot();
    struct Case {
        const char* folder;  // below the root, created
        const char* name;    // as given, below the root
        const char* fileName;
        const char* extension;
    };
    const Case cases[] = {
        {"成績表\\2024", "成績表\\2024\\a.txt", "a.txt", ".TXT"},
        {"成績表", "成績表\\a.txt", "a.txt", ".TXT"},
        {"ソ", "ソ\\表.txt", "表.txt", ".TXT"},
        {"ソ\\表", "ソ\\\\表\\\\b.log", "b.log", ".LOG"},  // doubled separators collapse
        {"表", "表\\noext", "noext", "."},
    };
    for (const Case& c : cases) {
        std::string folder = root + "\\" + c.folder;
        makeFolders(folder);
        makeFile(folder + "\\" + c.fileName);
        std::vector<std::string> missing;
        ResolvedName r = resolveDocumentName(root + "\\" + c.name,
                                             [&missing](const std::string& f) { missing.push_back(f); });
        EXPECT_TRUE(missing.empty()) << c.name << ": " << (missing.empty() ? "" : missing[0]);
        EXPECT_EQ(c.fileName, r.fileName) << c.name;
        EXPECT_EQ(c.extension, r.extension) << c.name;
        EXPECT_EQ(0, lstrcmpiA(folder.c_str(), r.folder.c_str())) << r.folder << " / " << folder;
    }
}

TEST(FileNames, MissingFolderIsReportedOnce) {
    const std::string root = testRoot();
    std::vector<std::string> missing;
    ResolvedName r = resolveDocumentName(root + "\\無い表\\a.txt",
                                         [&missing](const std::string& f) { missing.push_back(f); });
    ASSERT_EQ(1u, missing.size());
    // The drive letter comes back folded to lower case.
    EXPECT_EQ(0, lstrcmpiA((root + "\\無い表").c_str(), missing[0].c_str())) << missing[0];
    EXPECT_TRUE(r.fileName.empty());
}
