// The copy engine in-process: list building from Copy keys, copying with
// times kept, conflict answers, renaming, errors and undo on abort.
#include <gtest/gtest.h>
#include <windows.h>
#include <deque>
#include <string>
#include "copy_engine.h"
#include "drive_totals.h"
#include "driver.h"
#include "file_list.h"
#include "path_text.h"
#include "path_macros.h"
#include "script_file.h"

using namespace installer;

namespace {

class Folders : public MacroSource {
public:
    std::string root;
    std::string windowsFolder() const override { return "C:\\windows"; }
    std::string systemFolder() const override { return "C:\\windows\\system32"; }
    std::string programFilesFolder() const override { return root; }
    std::string tempFolder() const override { return root + "\\"; }
    std::string documentsFolder() const override { return root + "\\docs"; }
    std::string profileString(const std::string&, const std::string&, const std::string&) const override {
        return "";
    }
};

// Answers questions from queues and records what was asked.
class ScriptedPrompts : public CopyPrompts {
public:
    std::deque<OverwriteAnswer> overwrite;
    std::deque<ErrorAnswer> errors;
    std::vector<std::string> askedOverwrite;
    std::vector<int> askedErrors;
    std::vector<std::string> errorPaths;
    int lastPercent = -1;
    OverwriteAnswer askOverwrite(CopyEntry& e, const WIN32_FIND_DATAA&) override {
        askedOverwrite.push_back(e.destination.fullPath());
        if (overwrite.empty()) return OverwriteAnswer::Cancel;
        OverwriteAnswer a = overwrite.front();
        overwrite.pop_front();
        return a;
    }
    ErrorAnswer askError(int error, const char* path) override {
        askedErrors.push_back(error);
        errorPaths.push_back(path);
        if (errors.empty()) return ErrorAnswer::Cancel;
        ErrorAnswer a = errors.front();
        errors.pop_front();
        return a;
    }
    void showProgress(int p) override { lastPercent = p; }
};

std::string pattern(size_t n, char seed) {
    std::string s(n, 0);
    for (size_t i = 0; i < n; i++) s[i] = (char)(seed + i * 7 % 251);
    return s;
}

void setWriteTime(const std::string& path, int year) {
    SYSTEMTIME st = {};
    st.wYear = (WORD)year;
    st.wMonth = 3;
    st.wDay = 4;
    st.wHour = 5;
    st.wMinute = 6;
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    SetFileTime(h, &ft, &ft, &ft);
    CloseHandle(h);
}

FILETIME writeTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA d = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d);
    return d.ftLastWriteTime;
}

std::string read(const std::string& path) {
    std::string s;
    e2e::readFile(path, &s);
    return s;
}

class CopyEngine : public ::testing::Test {
protected:
    void SetUp() override {
        root = e2e::freshFolder(std::string("copy_engine_") +
                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        src = root + "\\src";
        dst = root + "\\dst";
        CreateDirectoryA(src.c_str(), nullptr);
        folders.root = root;
    }
    void file(const std::string& rel, const std::string& bytes, int year = 2001) {
        std::string p = src + "\\" + rel;
        for (size_t i = 0; i < p.size(); i++)
            if (p[i] == '\\' && i > 2) CreateDirectoryA(p.substr(0, i).c_str(), nullptr);
        ASSERT_TRUE(e2e::writeFile(p, bytes));
        setWriteTime(p, year);
    }
    bool build(const std::string& keys, FileListError* err = nullptr) {
        std::string text = "[S]\n" + keys;
        script.loadText(text.data(), text.size());
        list.clear();
        FileListError e;
        bool ok = buildFileList(script, "S", src.c_str(), folders, &list, err ? err : &e);
        resolveDestinations(list, dst.c_str());
        return ok;
    }
    std::string root, src, dst;
    Folders folders;
    ScriptFile script;
    CopyList list;
    ScriptedPrompts prompts;
};

TEST_F(CopyEngine, PatternsRecurseAndKeepBytesAndTimes) {
    file("a.txt", pattern(10000, 'a'), 1999);
    file("b.dat", "not copied");
    file("sub\\c.txt", pattern(4096, 'c'), 2003);
    file("sub\\deeper\\d.txt", "", 2004);
    file(".hidden\\e.txt", "skipped: folder begins with a dot");
    file("one.bin", pattern(5000, 'o'), 2010);
    ASSERT_TRUE(build("Copy1=*.txt\nCopy3=one.bin,bin\n"));
    ASSERT_EQ(4u, list.size());
    EXPECT_EQ(10000ull + 4096 + 5000, totalSourceBytes(list));
    ASSERT_TRUE(copyAll(list, prompts));
    EXPECT_EQ(100, prompts.lastPercent);
    for (const char* rel : {"a.txt", "sub\\c.txt", "sub\\deeper\\d.txt"}) {
        std::string s = src + "\\" + rel, d = dst + "\\" + rel;
        EXPECT_EQ(read(s), read(d)) << rel;
        FILETIME a = writeTime(s), b = writeTime(d);
        EXPECT_EQ(0, CompareFileTime(&a, &b)) << rel;
    }
    EXPECT_EQ(read(src + "\\one.bin"), read(dst + "\\bin\\one.bin"));
    EXPECT_FALSE(e2e::fileExists(dst + "\\b.dat"));
    EXPECT_FALSE(e2e::fileExists(dst + "\\.hidden\\e.txt"));
    for (auto& e : list) EXPECT_EQ(CopyEntry::Created, e->result);
}

TEST_F(CopyEngine, MacroDestinationsAreAbsolute) {
    file("x.txt", "x");
    ASSERT_TRUE(build("Copy1=x.txt $DOC\\out\n"));
    ASSERT_EQ(1u, list.size());
    EXPECT_TRUE(list[0]->absolute);
    EXPECT_STREQ((root + "\\docs\\out\\x.txt").c_str(), list[0]->destination.fullPath());
}

TEST_F(CopyEngine, AKeyWithoutMatchNamesItsNumberAndPath) {
    file("x.txt", "x");
    FileListError err;
    EXPECT_FALSE(build("Copy1=x.txt\nCopy5=missing.txt\n", &err));
    EXPECT_EQ(5, err.key);
    EXPECT_EQ(src + "\\missing.txt", err.sourcePath);
    EXPECT_FALSE(build("Copy2=*.none\n", &err));
    EXPECT_EQ(2, err.key);
}

// Extra separators and "." levels in a source word name the same files as
// the plain word; a file just under the path limit must still be listed.
TEST_F(CopyEngine, SeparatorRunsAndDotLevelsDoNotLengthenTheSource) {
    std::string name = std::string(258 - src.size() - 1 - 4, 'n') + ".txt";
    file(name, "near the limit");
    ASSERT_TRUE(build("Copy1=\\/////////////./?*\n"));
    ASSERT_EQ(1u, list.size());
    EXPECT_EQ(src + "\\" + name, list[0]->source.fullPath());
}

// A file the search finds but no path can hold ends the list with its path,
// instead of an entry with an empty source.
TEST_F(CopyEngine, ASourceThatDoesNotFitAPathIsReported) {
    file("a.txt", "a");
    std::string folder = src + "\\" + std::string(240 - src.size(), 'f');
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    std::string longFile = folder + "\\" + std::string(30, 'z') + ".txt";
    std::wstring wide = L"\\\\?\\" + std::wstring(longFile.begin(), longFile.end());
    HANDLE h = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    CloseHandle(h);
    FileListError err;
    EXPECT_FALSE(build("Copy2=*.txt\n", &err));
    EXPECT_EQ(2, err.key);
    EXPECT_EQ(longFile, err.sourcePath);
}

TEST_F(CopyEngine, AnOverlongMacroDestinationIsRefused) {
    file("x.txt", "x");
    std::string dest;
    for (int i = 0; i < 8; i++) dest += "$DOC\\";
    FileListError err;
    EXPECT_FALSE(build("Copy1=x.txt\nCopy4=x.txt " + dest + "\n", &err));
    EXPECT_EQ(4, err.key);
    EXPECT_TRUE(err.destinationTooLong);
}

TEST_F(CopyEngine, GapsAndAnEmptyListSucceed) {
    ASSERT_TRUE(build("ProductName=nothing\n"));
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(copyAll(list, prompts));
    file("x.txt", "x");
    ASSERT_TRUE(build("Copy3=x.txt\n"));
    EXPECT_EQ(1u, list.size());
}

TEST_F(CopyEngine, OverwriteAllIsAskedOnce) {
    for (const char* n : {"1.txt", "2.txt", "3.txt"}) {
        file(n, std::string("new ") + n);
        CreateDirectoryA(dst.c_str(), nullptr);
        e2e::writeFile(dst + "\\" + n, "old");
    }
    ASSERT_TRUE(build("Copy1=*.txt\n"));
    prompts.overwrite = {OverwriteAnswer::All};
    ASSERT_TRUE(copyAll(list, prompts));
    EXPECT_EQ(1u, prompts.askedOverwrite.size());
    EXPECT_EQ("new 3.txt", read(dst + "\\3.txt"));
    for (auto& e : list) EXPECT_EQ(CopyEntry::Overwrote, e->result);
}

TEST_F(CopyEngine, OverwriteIfNewerComparesWriteTimes) {
    file("same.txt", "source same", 2005);
    file("newer.txt", "source newer", 2005);
    file("older.txt", "source older", 2005);
    CreateDirectoryA(dst.c_str(), nullptr);
    e2e::writeFile(dst + "\\same.txt", "old same");
    setWriteTime(dst + "\\same.txt", 2005);
    e2e::writeFile(dst + "\\newer.txt", "kept newer");
    setWriteTime(dst + "\\newer.txt", 2020);
    e2e::writeFile(dst + "\\older.txt", "old older");
    setWriteTime(dst + "\\older.txt", 1990);
    ASSERT_TRUE(build("Copy1=same.txt\nCopy2=newer.txt\nCopy3=older.txt\n"));
    prompts.overwrite = {OverwriteAnswer::IfNewer};
    ASSERT_TRUE(copyAll(list, prompts));
    EXPECT_EQ(1u, prompts.askedOverwrite.size());
    EXPECT_EQ("source same", read(dst + "\\same.txt"));
    EXPECT_EQ("kept newer", read(dst + "\\newer.txt"));
    EXPECT_EQ("source older", read(dst + "\\older.txt"));
}

TEST_F(CopyEngine, YesAndNoAreNotRemembered) {
    file("1.txt", "n1");
    file("2.txt", "n2");
    CreateDirectoryA(dst.c_str(), nullptr);
    e2e::writeFile(dst + "\\1.txt", "o1");
    e2e::writeFile(dst + "\\2.txt", "o2");
    ASSERT_TRUE(build("Copy1=1.txt\nCopy2=2.txt\n"));
    prompts.overwrite = {OverwriteAnswer::No, OverwriteAnswer::Yes};
    ASSERT_TRUE(copyAll(list, prompts));
    EXPECT_EQ(2u, prompts.askedOverwrite.size());
    EXPECT_EQ("o1", read(dst + "\\1.txt"));
    EXPECT_EQ("n2", read(dst + "\\2.txt"));
}

TEST_F(CopyEngine, RenameFindsTheNextFreeNumber) {
    file("app.ini", "new settings");
    file("app.txt", "new text");
    CreateDirectoryA(dst.c_str(), nullptr);
    e2e::writeFile(dst + "\\app.ini", "old settings");
    e2e::writeFile(dst + "\\app (1).ini", "older settings");
    e2e::writeFile(dst + "\\app.txt", "old text");
    ASSERT_TRUE(build("Copy1=app.ini\nCopy2=app.txt\n"));
    prompts.overwrite = {OverwriteAnswer::Rename};
    ASSERT_TRUE(copyAll(list, prompts));
    EXPECT_EQ(1u, prompts.askedOverwrite.size());
    EXPECT_EQ("new settings", read(dst + "\\app.ini"));
    EXPECT_EQ("old settings", read(dst + "\\app (2).ini"));
    EXPECT_EQ("older settings", read(dst + "\\app (1).ini"));
    EXPECT_EQ("old text", read(dst + "\\app (1).txt"));
    EXPECT_EQ(CopyEntry::RenamedFirst, list[0]->result);
    EXPECT_EQ("C:\\a\\b (3)", renamedPath("C:\\a\\b", 3));
    EXPECT_EQ("C:\\a.d\\b (1).c", renamedPath("C:\\a.d\\b.c", 1));
}

TEST_F(CopyEngine, CancelAtTheThirdFileUndoesCreationsAndRenames) {
    file("1.txt", "one");
    file("2.txt", "two");
    file("app.ini", "new ini");
    file("3.txt", "three");
    CreateDirectoryA(dst.c_str(), nullptr);
    e2e::writeFile(dst + "\\app.ini", "old ini");
    e2e::writeFile(dst + "\\3.txt", "old three");
    e2e::writeFile(root + "\\outside.txt", "untouched");
    ASSERT_TRUE(build("Copy1=1.txt\nCopy2=2.txt\nCopy3=app.ini\nCopy4=3.txt\n"));
    prompts.overwrite = {OverwriteAnswer::Rename};
    // Rename is remembered, so force the abort through the fourth file's error:
    // make its destination unwritable by holding it open without sharing.
    HANDLE lock = CreateFileA((dst + "\\3.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    prompts.errors = {ErrorAnswer::Cancel};
    EXPECT_FALSE(copyAll(list, prompts));
    CloseHandle(lock);
    EXPECT_FALSE(e2e::fileExists(dst + "\\1.txt"));
    EXPECT_FALSE(e2e::fileExists(dst + "\\2.txt"));
    EXPECT_EQ("old ini", read(dst + "\\app.ini"));
    EXPECT_FALSE(e2e::fileExists(dst + "\\app (1).ini"));
    EXPECT_EQ("old three", read(dst + "\\3.txt"));
    EXPECT_EQ("untouched", read(root + "\\outside.txt"));
    EXPECT_EQ("untouched", read(root + "\\outside.txt"));
}

TEST_F(CopyEngine, CancelInTheOverwriteDialogUndoes) {
    file("1.txt", "one");
    file("2.txt", "two");
    file("3.txt", "three");
    ASSERT_TRUE(build("Copy1=1.txt\nCopy2=2.txt\nCopy3=3.txt\nCopy4=3.txt sub\n"));
    prompts.overwrite = {OverwriteAnswer::Cancel};
    // The third file exists in the destination only once the list runs: put it there.
    CreateDirectoryA(dst.c_str(), nullptr);
    e2e::writeFile(dst + "\\3.txt", "old");
    EXPECT_FALSE(copyAll(list, prompts));
    EXPECT_FALSE(e2e::fileExists(dst + "\\1.txt"));
    EXPECT_FALSE(e2e::fileExists(dst + "\\2.txt"));
    EXPECT_EQ("old", read(dst + "\\3.txt"));
    EXPECT_FALSE(e2e::fileExists(dst + "\\sub"));
}

TEST_F(CopyEngine, AbortDuringAFileRemovesThePartCopy) {
    file("small.txt", "small");
    file("big.bin", pattern(64 * 1024, 'b'));
    ASSERT_TRUE(build("Copy1=small.txt\nCopy2=big.bin deep\\er\n"));
    CopyJob job(list, prompts);
    int steps = 0;
    while (job.step() == CopyJob::Running && job.bytesDone() < 5 + 3 * CopyJob::kBlockBytes) steps++;
    ASSERT_EQ(CopyJob::Running, job.status());
    ASSERT_TRUE(e2e::fileExists(dst + "\\deep\\er\\big.bin"));
    job.abort();
    EXPECT_EQ(CopyJob::Aborted, job.status());
    EXPECT_FALSE(e2e::fileExists(dst + "\\small.txt"));
    EXPECT_FALSE(e2e::fileExists(dst + "\\deep\\er\\big.bin"));
    // Folders this run made are gone too; the tree above them stays.
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((dst + "\\deep").c_str()));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(root.c_str()));
}

TEST_F(CopyEngine, ProgressCountsBlocksOfFourKilobytes) {
    file("f.bin", pattern(3 * 4096 + 10, 'f'));
    ASSERT_TRUE(build("Copy1=f.bin\n"));
    CopyJob job(list, prompts);
    EXPECT_EQ(CopyJob::Running, job.step());  // start step: nothing copied yet
    EXPECT_EQ(0u, job.bytesDone());
    job.step();
    EXPECT_EQ(4096u, job.bytesDone());
    while (job.step() == CopyJob::Running) {}
    EXPECT_EQ(CopyJob::Finished, job.status());
    EXPECT_EQ(3u * 4096 + 10, job.bytesDone());
    EXPECT_EQ(100, job.percent());
}

// Tests run as root, so permission bits do not stop Wine; /proc refuses new
// entries to everyone and stands for a read-only medium.
TEST_F(CopyEngine, ReadOnlyDestinationFolderSkipOrCancel) {
    file("1.txt", "one");
    file("2.txt", "two");
    ASSERT_TRUE(build("Copy1=1.txt Z:\\proc\\talinst-ro\n"
                      "Copy2=2.txt\n"));
    // Copy1's destination has no "$": it is relative, so point it by hand.
    list[0]->destination.setPath("Z:\\proc\\talinst-ro\\1.txt");
    prompts.errors = {ErrorAnswer::Skip};
    EXPECT_TRUE(copyAll(list, prompts));
    ASSERT_EQ(1u, prompts.askedErrors.size());
    EXPECT_EQ(kErrorFolder, prompts.askedErrors[0]);
    EXPECT_EQ("Z:\\proc\\talinst-ro", prompts.errorPaths[0]);
    EXPECT_EQ("two", read(dst + "\\2.txt"));

    DeleteFileA((dst + "\\2.txt").c_str());
    ASSERT_TRUE(build("Copy1=2.txt\nCopy2=1.txt\n"));
    list[1]->destination.setPath("Z:\\proc\\talinst-ro\\1.txt");
    prompts.errors = {ErrorAnswer::Cancel};
    prompts.askedErrors.clear();
    EXPECT_FALSE(copyAll(list, prompts));
    EXPECT_EQ(1u, prompts.askedErrors.size());
    EXPECT_FALSE(e2e::fileExists(dst + "\\2.txt"));
}

TEST_F(CopyEngine, ALockedDestinationFileIsErrorTwo) {
    file("1.txt", "one");
    file("2.txt", "two");
    CreateDirectoryA(dst.c_str(), nullptr);
    e2e::writeFile(dst + "\\1.txt", "locked");
    HANDLE lock = CreateFileA((dst + "\\1.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    ASSERT_TRUE(build("Copy1=1.txt\nCopy2=2.txt\n"));
    prompts.overwrite = {OverwriteAnswer::Yes};
    prompts.errors = {ErrorAnswer::Skip};
    EXPECT_TRUE(copyAll(list, prompts));
    CloseHandle(lock);
    ASSERT_EQ(1u, prompts.askedErrors.size());
    EXPECT_EQ(kErrorCreate, prompts.askedErrors[0]);
    EXPECT_EQ(dst + "\\1.txt", prompts.errorPaths[0]);
    EXPECT_EQ("locked", read(dst + "\\1.txt"));
    EXPECT_EQ("two", read(dst + "\\2.txt"));
}

TEST_F(CopyEngine, AFileInPlaceOfAFolderIsErrorOne) {
    file("1.txt", "one");
    CreateDirectoryA(dst.c_str(), nullptr);
    e2e::writeFile(dst + "\\sub", "a file, not a folder");
    ASSERT_TRUE(build("Copy1=1.txt sub\n"));
    prompts.errors = {ErrorAnswer::Skip};
    EXPECT_TRUE(copyAll(list, prompts));
    ASSERT_EQ(1u, prompts.askedErrors.size());
    EXPECT_EQ(kErrorFolder, prompts.askedErrors[0]);
}

TEST_F(CopyEngine, AVanishedSourceIsErrorThree) {
    file("1.txt", "one");
    ASSERT_TRUE(build("Copy1=1.txt\n"));
    DeleteFileA((src + "\\1.txt").c_str());
    prompts.errors = {ErrorAnswer::Skip};
    EXPECT_TRUE(copyAll(list, prompts));
    ASSERT_EQ(1u, prompts.askedErrors.size());
    EXPECT_EQ(kErrorOpen, prompts.askedErrors[0]);
    EXPECT_FALSE(e2e::fileExists(dst + "\\1.txt"));
}

TEST_F(CopyEngine, SkippingAFailedCopyGivesTheRenamedFileItsNameBack) {
    file("app.ini", "new settings");
    file("2.txt", "two");
    CreateDirectoryA(dst.c_str(), nullptr);
    e2e::writeFile(dst + "\\app.ini", "old settings");
    ASSERT_TRUE(build("Copy1=app.ini\nCopy2=2.txt\n"));
    // The source goes away after the list was made: error 3 after the rename.
    DeleteFileA((src + "\\app.ini").c_str());
    prompts.overwrite = {OverwriteAnswer::Rename};
    prompts.errors = {ErrorAnswer::Skip};
    EXPECT_TRUE(copyAll(list, prompts));
    ASSERT_EQ(1u, prompts.askedErrors.size());
    EXPECT_EQ(kErrorOpen, prompts.askedErrors[0]);
    EXPECT_EQ("old settings", read(dst + "\\app.ini"));
    EXPECT_FALSE(e2e::fileExists(dst + "\\app (1).ini"));
    EXPECT_EQ(CopyEntry::NotDone, list[0]->result);
    EXPECT_EQ("two", read(dst + "\\2.txt"));
}

TEST_F(CopyEngine, ADestinationTooLongForAPathIsErrorTwoAndNothingIsWritten) {
    file("a.txt", "a");
    file("b.txt", "b");
    std::string deep;
    while (dst.size() + deep.size() < 250) deep += "folder\\";
    deep += "end";
    ASSERT_TRUE(build("Copy1=a.txt " + deep + "\nCopy2=b.txt\n"));
    std::string wanted = dst + "\\" + deep + "\\a.txt";
    ASSERT_GT(wanted.size(), 259u);
    prompts.errors = {ErrorAnswer::Skip};
    EXPECT_TRUE(copyAll(list, prompts));
    ASSERT_EQ(1u, prompts.askedErrors.size());
    EXPECT_EQ(kErrorCreate, prompts.askedErrors[0]);
    EXPECT_EQ(wanted, prompts.errorPaths[0]);
    // Nothing was made under the cut path.
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((dst + "\\folder").c_str()));
    EXPECT_EQ("b", read(dst + "\\b.txt"));
}

TEST_F(CopyEngine, ADestinationClimbingOutOfTheFolderIsRefusedAndNothingIsWrittenThere) {
    file("a.txt", "a");
    file("b.txt", "b");
    file("c.txt", "c");
    // "..", "/" as separator and a dots-only level all climb; a level that
    // goes down first and back up stays inside.
    ASSERT_TRUE(build("Copy1=a.txt ..\\outside\nCopy2=b.txt sub/../../up\nCopy3=c.txt in\\..\\same\n"));
    ASSERT_EQ(3u, list.size());
    EXPECT_FALSE(list[0]->overlongDestination.empty());
    EXPECT_FALSE(list[1]->overlongDestination.empty());
    EXPECT_TRUE(list[2]->overlongDestination.empty());
    prompts.errors = {ErrorAnswer::Skip, ErrorAnswer::Skip};
    EXPECT_TRUE(copyAll(list, prompts));
    ASSERT_EQ(2u, prompts.askedErrors.size());
    EXPECT_EQ(kErrorCreate, prompts.askedErrors[0]);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((root + "\\outside").c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((root + "\\up").c_str()));
    EXPECT_EQ("c", read(dst + "\\same\\c.txt"));
}

TEST_F(CopyEngine, DriveTotalsListEachDriveInLetterOrder) {
    file("a.bin", pattern(2048, 'a'));
    file("b.bin", pattern(1025, 'b'));
    file("c.bin", pattern(10, 'c'));
    ASSERT_TRUE(build("Copy1=a.bin\nCopy2=b.bin\nCopy3=c.bin\n"));
    // Z: (the root of the Unix tree) before C: in the list, C: first in the texts.
    list[0]->destination.setPath("Z:\\tmp\\a.bin");
    list[1]->destination.setPath("C:\\x\\b.bin");
    list[2]->destination.setPath("Z:\\tmp\\c.bin");
    DriveTotals t = computeDriveTotals(list, nullptr, nullptr);
    EXPECT_EQ("C:  1.001 KB Z:  2.010 KB ", t.required);
    ASSERT_GE(t.free.size(), 4u);
    EXPECT_EQ("C:", t.free.substr(0, 2));
    EXPECT_NE(std::string::npos, t.free.find("Z:"));
    // A source that went away is not counted.
    DeleteFileA((src + "\\a.bin").c_str());
    t = computeDriveTotals(list, nullptr, nullptr);
    EXPECT_EQ("C:  1.001 KB Z: 10 ﾊﾞｲﾄ ", t.required);
}

}  // namespace

namespace {

// The sample disc's own script: its copy sections find all their files.
TEST(SampleDisc, CopySectionsFindTheirFiles) {
    std::string disc = e2e::source("sample-disc");
    ScriptFile script;
    ASSERT_TRUE(script.load((disc + "\\TALINST.INI").c_str()));
    Folders folders;
    folders.root = "C:\\Program Files";
    struct {
        const char* section;
        size_t files;
    } expected[] = {{"SAMPLE", 5}, {"NOTES", 3}};
    for (const auto& x : expected) {
        std::string src;
        ASSERT_TRUE(script.getString(x.section, "SrcDir", &src)) << x.section;
        CopyList list;
        FileListError err;
        EXPECT_TRUE(buildFileList(script, x.section, (disc + "\\" + src).c_str(), folders, &list, &err))
            << x.section << " Copy" << err.key << " " << err.sourcePath;
        EXPECT_EQ(x.files, list.size()) << x.section;
    }
    EXPECT_EQ("SAMPLE", std::string(script.value("TOOLS.SELECT", "item1.Section")));
    EXPECT_TRUE(script.hasSection("VIEWER"));
}

}  // namespace
