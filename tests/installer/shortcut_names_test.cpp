// Link names from GroupIcon values and the folders a group may use.
#include <gtest/gtest.h>
#include "shortcut_steps.h"

using namespace installer;

namespace {

TEST(IconValue, TargetBeforeTheFirstTabOrCommaNameAfterIt) {
    struct Case {
        const char* value;
        const char* target;
        const char* name;
    } cases[] = {
        {"bin\\tool.exe", "bin\\tool.exe", ""},
        {"bin\\tool.exe  ,  Tool", "bin\\tool.exe", "Tool"},
        {"a.exe\t, ,Name, with comma", "a.exe", "Name, with comma"},
        {"a.exe,\tName\tTab", "a.exe", "Name\tTab"},
        {"ソフト表\\a.exe,表示", "ソフト表\\a.exe", "表示"},  // 0x5C second bytes
        {"a.exe,", "a.exe", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        IconValue v = splitIconValue(c.value);
        EXPECT_EQ(c.target, v.target) << c.value;
        EXPECT_EQ(c.name, v.name) << c.value;
    }
}

TEST(IconValue, DefaultNamesFollowTheExtension) {
    struct Case {
        const char* target;
        const char* name;
    } cases[] = {
        {"TOOL.EXE", "Tools"},        {"ReadMe.exe", "お読みください"}, {"doc\\readme.txt", "Tools 説明書"},
        {"help.HLP", "Tools ヘルプ"}, {"a.doc", "Tools 説明書"},        {"a.wri", "Tools 説明書"},
        {"a.html", "Tools 説明書"},   {"bin.d\\tool", "tool"},          {"表示\\ソフト", "ソフト"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.name, defaultLinkName(c.target, "Tools")) << c.target;
    EXPECT_EQ("tool.exe", targetFileName("bin\\tool.exe"));
}

}  // namespace
