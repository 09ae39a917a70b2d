// Item-list rows and their order, the INSTALLER value, LastMove values and
// the destination dialog's folder component rule.
#include <gtest/gtest.h>
#include <cstring>
#include "destination_dialog.h"
#include "folder_rules.h"
#include "installer_section.h"
#include "item_rows.h"
#include "last_move.h"
#include "script_file.h"
#include "shortcut_steps.h"

using namespace installer;

namespace {

ScriptFile parse(const std::string& text) {
    ScriptFile s;
    s.loadText(text.data(), text.size());
    return s;
}

std::vector<std::string> column(const std::vector<ItemRow>& rows, int c) {
    std::vector<std::string> out;
    for (const ItemRow& r : rows) out.push_back(c == 0 ? r.title : c == 1 ? r.mode : r.section);
    return out;
}

TEST(ItemRows, OnlySectionsWithAProductName) {
    ScriptFile s = parse("[Talinst]\n[A]\nProductName=Alpha\nMode=Copy\n[B]\nCopy1=x\n[C]\nProductName=\n"
                         "[D]\nProductName=" +
                         std::string(300, 'd') + "\nMode=" + std::string(40, 'm') + "\n");
    std::vector<ItemRow> rows = itemRows(s);
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ("Alpha", rows[0].title);
    EXPECT_EQ("Copy", rows[0].mode);
    EXPECT_EQ("A", rows[0].section);
    EXPECT_EQ(255u, rows[1].title.size());
    EXPECT_EQ(15u, rows[1].mode.size());
    ScriptFile none = parse("[X]\nCopy1=a\n");
    EXPECT_TRUE(itemRows(none).empty());
}

TEST(ItemRows, DefaultModeIsInstall) {
    ScriptFile s = parse("[A]\nProductName=a\n");
    EXPECT_EQ("Install", itemRows(s)[0].mode);
}

TEST(ItemRows, SortsByTheClickedColumnThenTheOthers) {
    std::vector<ItemRow> rows = {
        {"beta", "Install", "S2"},
        {"Alpha", "Copy", "S3"},
        {"alpha", "Install", "S1"},
        {"beta", "Copy", "S0"},
    };
    sortRows(rows, 0, false);  // title, section, mode
    EXPECT_EQ((std::vector<std::string>{"S1", "S3", "S0", "S2"}), column(rows, 2));
    sortRows(rows, 0, true);
    EXPECT_EQ((std::vector<std::string>{"S2", "S0", "S3", "S1"}), column(rows, 2));
    sortRows(rows, 1, false);  // mode, title, section
    EXPECT_EQ((std::vector<std::string>{"S3", "S0", "S1", "S2"}), column(rows, 2));
    sortRows(rows, 2, false);
    EXPECT_EQ((std::vector<std::string>{"S0", "S1", "S2", "S3"}), column(rows, 2));
    sortRows(rows, 2, true);
    EXPECT_EQ((std::vector<std::string>{"S3", "S2", "S1", "S0"}), column(rows, 2));
}

TEST(ItemRows, JapaneseTitlesSortByTheirBytes) {
    std::vector<ItemRow> rows = {{"テキスト", "", "B"}, {"アーカイブ", "", "A"}, {"ABC", "", "C"}};
    sortRows(rows, 0, false);
    EXPECT_EQ((std::vector<std::string>{"ABC", "アーカイブ", "テキスト"}), column(rows, 0));
}

bool onlyMsi(const char* path) { return strstr(path, ".MSI") != nullptr; }
bool both(const char*) { return true; }

TEST(InstallerValue, ProgramAndParameters) {
    InstallerCommand c = installerCommand("setup.exe, -q -x , more", "APP", "D:\\disc\\APP", both);
    EXPECT_EQ("D:\\disc\\APP\\setup.exe", c.program);
    EXPECT_EQ("-q -x", c.parameters);
    c = installerCommand("$this", "APP", "D:\\disc\\APP", onlyMsi);
    EXPECT_EQ("D:\\disc\\APP\\APP.MSI", c.program);
    c = installerCommand("", "APP", "D:\\disc\\APP", both);
    EXPECT_EQ("D:\\disc\\APP\\APP.EXE", c.program);
    EXPECT_EQ("", c.parameters);
    c = installerCommand("C:\\tools\\inst.exe", "APP", "D:\\disc\\APP", both);
    EXPECT_EQ("C:\\tools\\inst.exe", c.program);
}

class NoMacros : public MacroSource {
public:
    std::string windowsFolder() const override { return "C:\\windows"; }
    std::string systemFolder() const override { return ""; }
    std::string programFilesFolder() const override { return ""; }
    std::string tempFolder() const override { return "C:\\temp\\"; }
    std::string documentsFolder() const override { return ""; }
    std::string profileString(const std::string&, const std::string&, const std::string&) const override {
        return "";
    }
};

TEST(LastMoveValue, SourcesAndTarget) {
    NoMacros m;
    LastMoveEntry e;
    EXPECT_FALSE(parseLastMove("no separator", m, "C:\\App", &e));
    ASSERT_TRUE(parseLastMove("*.ini,doc\\a b.txt;  $WIN\\FONTS", m, "C:\\App", &e));
    EXPECT_EQ((std::vector<std::string>{"C:\\App\\*.ini", "C:\\App\\doc\\a b.txt"}), e.sources);
    EXPECT_EQ("C:\\windows\\FONTS", e.target);
    ASSERT_TRUE(parseLastMove("x.txt;backup", m, "C:\\App", &e));
    EXPECT_EQ("C:\\App\\backup", e.target);
}

TEST(LastMoveValue, EntriesLeavingTheDestinationAreSkipped) {
    NoMacros m;
    LastMoveEntry e;
    EXPECT_FALSE(parseLastMove("x.txt;..\\..\\WINDOWS", m, "C:\\App", &e));
    EXPECT_FALSE(parseLastMove("..\\secret.txt;backup", m, "C:\\App", &e));
    EXPECT_FALSE(parseLastMove("x.txt;sub/../..", m, "C:\\App", &e));
    // Levels that come back down stay inside; full paths are the script's own.
    ASSERT_TRUE(parseLastMove("a\\..\\x.txt;b\\..\\keep", m, "C:\\App", &e));
    EXPECT_EQ("C:\\App\\b\\..\\keep", e.target);
    ASSERT_TRUE(parseLastMove("D:\\disc\\x.txt;E:\\backup", m, "C:\\App", &e));
    EXPECT_EQ("E:\\backup", e.target);
}

TEST(DestinationFolderComponent, AppendedOnceAfterBrowsing) {
    EXPECT_EQ("\\Sample Tools", DestinationDialog::lastComponent("C:\\Program Files\\Sample Tools"));
    EXPECT_EQ("", DestinationDialog::lastComponent("C:\\"));
    EXPECT_EQ("D:\\Apps\\Sample Tools", DestinationDialog::withLastComponent("D:\\Apps", "\\Sample Tools"));
    EXPECT_EQ("D:\\Sample Tools", DestinationDialog::withLastComponent("D:\\", "\\Sample Tools"));
    EXPECT_EQ("D:\\sample tools", DestinationDialog::withLastComponent("D:\\sample tools", "\\Sample Tools"));
    EXPECT_EQ("D:\\Apps", DestinationDialog::withLastComponent("D:\\Apps", ""));
}

TEST(GroupKeys, ShortcutsNeedBothGroupAndTheFirstIcon) {
    ScriptFile s = parse("[BOTH]\nGroup=Tools\nGroupIcon1=a.exe\nShortCut1\n"
                         "[NODESK]\nGroup=Tools\nGroupIcon1=a.exe\nShortCut2\n"
                         "[GROUPONLY]\nGroup=Tools\nShortCut1\n"
                         "[ICONONLY]\nGroupIcon1=a.exe\nShortCut1\n"
                         "[EMPTYGROUP]\nGroup=\nGroupIcon1=a.exe\n"
                         "[NESTED]\nGroup=Tools\nGroupFolder=Disc\\Sub\nGroupIcon1=a.exe\n"
                         "[BADNAME]\nGroup=A/B\nGroupIcon1=a.exe\n"
                         "[BADFOLDER]\nGroup=Tools\nGroupFolder=Disc*\nGroupIcon1=a.exe\n");
    GroupCheck c;
    EXPECT_EQ(GroupKeys::Ok, evaluateGroupKeys(s, "BOTH", &c));
    EXPECT_TRUE(c.programMenu);
    EXPECT_TRUE(c.desktop);
    EXPECT_EQ(GroupKeys::Ok, evaluateGroupKeys(s, "NODESK", &c));
    EXPECT_TRUE(c.programMenu);
    EXPECT_FALSE(c.desktop);
    for (const char* none : {"GROUPONLY", "ICONONLY", "EMPTYGROUP"}) {
        EXPECT_EQ(GroupKeys::Ok, evaluateGroupKeys(s, none, &c)) << none;
        EXPECT_FALSE(c.programMenu) << none;
        EXPECT_FALSE(c.desktop) << none;
    }
    EXPECT_EQ(GroupKeys::Ok, evaluateGroupKeys(s, "NESTED", &c));
    EXPECT_TRUE(c.programMenu);
    EXPECT_EQ(GroupKeys::BadGroupName, evaluateGroupKeys(s, "BADNAME", &c));
    EXPECT_FALSE(c.programMenu);
    EXPECT_EQ(GroupKeys::BadGroupFolder, evaluateGroupKeys(s, "BADFOLDER", &c));
}

TEST(GroupKeys, ForbiddenCharacters) {
    for (const char* bad : {"a\"b", "a:b", "a;b", "a/b", "a?b", "a*b", "a<b", "a>b", "a|b"})
        EXPECT_TRUE(hasForbiddenGroupCharacter(bad)) << bad;
    EXPECT_FALSE(hasForbiddenGroupCharacter("Disc\\Tools"));
    EXPECT_FALSE(hasForbiddenGroupCharacter("ソフト表"));  // 0x5C second bytes
    EXPECT_FALSE(hasForbiddenGroupCharacter(""));
}

TEST(LastMoveKeys, TheFirstMissingNumberedKeyEndsTheList) {
    ScriptFile s = parse("[A]\nLastMove1=x;y\nLastMove2=\nLastMove3=z;w\nLastMove5=never;n\n"
                         "[B]\nLastMove=a;b\nLastMove2=c;d\n");
    EXPECT_EQ((std::vector<std::string>{"x;y", "", "z;w"}), lastMoveValues(s, "A"));
    EXPECT_EQ((std::vector<std::string>{"a;b"}), lastMoveValues(s, "B"));
}

bool folderPartAlwaysThere(const char*) { return true; }
bool onlyOwnIsAFolder(const char* path) { return std::string(path) == "OWN"; }

TEST(SourceFolder, WithoutSrcDirTheScriptFolderStandsInForAMissingSectionFolder) {
    std::string out;
    EXPECT_TRUE(sourceFolder(nullptr, "OWN", folderPartAlwaysThere, &out, onlyOwnIsAFolder));
    EXPECT_EQ("OWN", out);
    EXPECT_TRUE(sourceFolder(nullptr, "BESIDE", folderPartAlwaysThere, &out, onlyOwnIsAFolder));
    EXPECT_EQ(".\\", out);
    // SrcDir itself is still judged by its folder part.
    EXPECT_TRUE(sourceFolder("DATA", "OWN", folderPartAlwaysThere, &out, onlyOwnIsAFolder));
    EXPECT_EQ("DATA", out);
}

}  // namespace
