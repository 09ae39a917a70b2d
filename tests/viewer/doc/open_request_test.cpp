// The command line handed to a new viewer, the halves of a path other viewers
// ask for, and the open dialog's filter list.
#include "open_request.h"
#include <gtest/gtest.h>

using namespace viewer;

TEST(SiblingCommandLine, OptionsInOrderThenTheItem) {
    struct Case {
        bool readOnly, browse;
        unsigned char code;
        const char* item;
        const char* expected;
    };
    const Case cases[] = {
        {false, false, 0, "C:\\a.txt", "KELVIEW.EXE /! C:\\a.txt"},
        {true, false, 0, "C:\\a.txt", "KELVIEW.EXE /! /r C:\\a.txt"},
        {false, true, 1, "C:\\a.txt", "KELVIEW.EXE /! /b /fs C:\\a.txt"},
        {true, true, 2, "C:\\a.txt", "KELVIEW.EXE /! /r /b /fu C:\\a.txt"},
        {false, false, 3, "C:\\a.txt", "KELVIEW.EXE /! /fe C:\\a.txt"},
        {false, true, 4, "C:\\a.txt", "KELVIEW.EXE /! /b /fj C:\\a.txt"},
        // Out of range codes force nothing.
        {false, false, 9, "C:\\a.txt", "KELVIEW.EXE /! C:\\a.txt"},
        // A name with a blank or ';' is quoted once; a quoted item stays as it is.
        {false, false, 0, "C:\\my docs\\a.txt", "KELVIEW.EXE /! \"C:\\my docs\\a.txt\""},
        {false, false, 0, "C:\\x;y.txt", "KELVIEW.EXE /! \"C:\\x;y.txt\""},
        {false, false, 0, "\"C:\\my docs\\a.txt\"", "KELVIEW.EXE /! \"C:\\my docs\\a.txt\""},
        // Shift-JIS with a 0x5C trail byte is left untouched.
        {false, false, 0, "C:\\\x83\x5C\\a.txt", "KELVIEW.EXE /! C:\\\x83\x5C\\a.txt"},
    };
    for (const Case& c : cases) {
        OpenRequests r;
        r.readOnly = c.readOnly;
        r.browse = c.browse;
        r.code = c.code;
        EXPECT_EQ(c.expected, siblingCommandLine("KELVIEW.EXE ", r, c.item)) << c.item;
    }
}

TEST(SiblingCommandLine, UnquotedItem) {
    EXPECT_EQ("C:\\a b.txt", unquotedItem("\"C:\\a b.txt\""));
    EXPECT_EQ("C:\\a b.txt", unquotedItem("\"C:\\a b.txt"));
    EXPECT_EQ("C:\\a.txt", unquotedItem("C:\\a.txt"));
    EXPECT_EQ("", unquotedItem(""));
}

TEST(ViewerAnswers, FolderAndNameOfLocalAndNetworkDocuments) {
    struct Case {
        const char* folder;
        const char* name;
        const char* folderAnswer;
        const char* nameAnswer;
    };
    const Case cases[] = {
        {"C:\\docs", "a.txt", "C:\\docs", "a.txt"},
        {"C:\\", "a.txt", "C:\\", "a.txt"},
        {"", "\\\\server\\share\\sub\\a.txt", "\\\\server\\share\\sub", "a.txt"},
        // The trail byte 0x5C of the last folder's name is no separator.
        {"", "\\\\server\\\x95\x5C\\b.txt", "\\\\server\\\x95\x5C", "b.txt"},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.folderAnswer, folderAnswer(c.folder, c.name)) << c.name;
        EXPECT_EQ(c.nameAnswer, fileNameAnswer(c.folder, c.name)) << c.name;
    }
}

TEST(OpenDialogFilters, PairsThenTheUserPatternWithoutItsFolder) {
    std::vector<std::pair<std::string, std::string>> fixed = {{"All", "*.*"}, {"Text", "*.txt"}};
    std::string expected("All\0*.*\0Text\0*.txt\0User\0*.doc\0\0", 31);
    EXPECT_EQ(expected, filterList(fixed, "User", "C:\\docs\\*.doc"));
    EXPECT_EQ(std::string("User\0*.txt\0\0", 12), filterList({}, "User", "*.txt"));
    EXPECT_EQ(std::string("User\0*.*\0\0", 10), filterList({}, "User", ""));
}
