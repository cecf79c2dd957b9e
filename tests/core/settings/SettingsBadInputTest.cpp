#include <gtest/gtest.h>

#include <unistd.h>

#include "TestSupport.h"
#include "settings/FormDefaults.h"
#include "settings/HexText.h"
#include "settings/SettingsFolder.h"
#include "settings/SettingsStore.h"

using namespace bw;
using bw::test::readFile;
using bw::test::TempFolder;
using bw::test::writeFile;

TEST(SettingsBadInput, BinaryGarbageGivesDefaults) {
    TempFolder folder;
    std::string garbage;
    for (int i = 0; i < 4096; ++i) { garbage.push_back(static_cast<char>((i * 7919) % 256)); }
    garbage += "\0[PCB]\0DPI=\xff\xfe\r\n";
    writeFile(folder.path / "junk.cpp", garbage);
    FieldValues fields = FormDefaultFields(',');
    fields.setText("Edit2", "1200");
    auto loaded = LoadProfile(folder.path, ProfileKind::Pcb, "junk", fields, ',');
    ASSERT_TRUE(loaded.ok());
    EXPECT_TRUE(loaded.value());
    EXPECT_EQ(fields.text("Edit2"), "508");
    EXPECT_EQ(fields.text("EUnoszenieP"), "2");
    EXPECT_EQ(fields.text("EZaglP"), "0,2");
}

TEST(SettingsBadInput, UnreadableValuesGiveTheirDefaults) {
    TempFolder folder;
    writeFile(folder.path / "bad.gcd",
              "[GCODE]\r\nNaglowek=410D0A4\r\nStopka=41ZZ\r\nPWM MAX=2,5\r\n"
              "Rozszerzenie pliku=abc\r\n");
    writeFile(folder.path / "bad.cpd", "[DXF]\r\nGrubosc=1,2,3\r\nWarstwa= 0,75 \r\nDocinanie=yes\r\n");
    FieldValues fields = FormDefaultFields(',');
    ASSERT_TRUE(LoadProfile(folder.path, ProfileKind::GCode, "bad", fields, ',').value());
    EXPECT_EQ(fields.text("REHeaderU", "x"), "");  // odd number of hex digits
    EXPECT_EQ(fields.text("REFooterU", "x"), "");  // not hexadecimal
    EXPECT_EQ(fields.text("EMWPWM"), "255");
    EXPECT_EQ(fields.index("RGRozszerzenie"), 0);
    ASSERT_TRUE(LoadProfile(folder.path, ProfileKind::Dxf, "bad", fields, ',').value());
    EXPECT_EQ(fields.text("EGrubosc"), "1");
    EXPECT_EQ(fields.text("EWarstwa"), "0,75");
    // The other notation is read, not dropped.
    writeFile(folder.path / "point.cpd", "[DXF]\r\nProstki=0.5\r\n");
    ASSERT_TRUE(LoadProfile(folder.path, ProfileKind::Dxf, "point", fields, ',').value());
    EXPECT_EQ(fields.text("EProstki"), "0,5");
    EXPECT_FALSE(fields.flag("CBDotnij", true));
    EXPECT_EQ(DecodeHex("410d0a42").value(), "A\r\nB");  // hexadecimal as a hand edit may write it
}

TEST(SettingsBadInput, AFieldThatDoesNotConvertLeavesTheOldFileIntact) {
    TempFolder folder;
    FieldValues fields = FormDefaultFields(',');
    ASSERT_TRUE(SaveProfile(folder.path, ProfileKind::GCode, "p", fields, ',').ok());
    std::string before = readFile(folder.path / "p.gcd");
    fields.setText("EMaskaU", "changed");
    fields.setText("EMWPWM", "");
    Status saved = SaveProfile(folder.path, ProfileKind::GCode, "p", fields, ',');
    ASSERT_FALSE(saved.ok());
    EXPECT_NE(saved.error().find("EMWPWM"), std::string::npos) << saved.error();
    EXPECT_EQ(readFile(folder.path / "p.gcd"), before);
    fields.setText("EMWPWM", "255");
    fields.setText("EProstki", "1.5");  // a point on a comma system
    EXPECT_FALSE(SaveProfile(folder.path, ProfileKind::Dxf, "q", fields, ',').ok());
    EXPECT_FALSE(std::filesystem::exists(folder.path / "q.cpd"));
}

TEST(SettingsBadInput, AFolderThatCannotBeCreatedIsAClearError) {
    TempFolder folder;
    writeFile(folder.path / "Settings", "a file where the folder should be");
    Status saved =
        SaveSettings(folder.path / "Settings", "Last.ini", SettingsSection::Last, FormDefaultFields(','), ',');
    ASSERT_FALSE(saved.ok());
    EXPECT_NE(saved.error().find("settings folder"), std::string::npos) << saved.error();
    EXPECT_EQ(readFile(folder.path / "Settings"), "a file where the folder should be");
}

TEST(SettingsFolder, BesideTheProgramFoundWithoutRegardToCase) {
    TempFolder folder;
    auto fresh = ResolveSettingsFolder(folder.path, "/xdg", "/home/someone");
    ASSERT_TRUE(fresh.ok());
    EXPECT_EQ(fresh->folder, folder.path / "Settings");  // none yet: created beside the program
    EXPECT_FALSE(fresh->perUser);
    std::filesystem::create_directories(folder.path / "settings");
    auto location = ResolveSettingsFolder(folder.path, "", "/home/someone");
    ASSERT_TRUE(location.ok());
    EXPECT_EQ(location->folder, folder.path / "settings");
    EXPECT_FALSE(location->perUser);

    writeFile(folder.path / "settings" / "Wood.GCD", "[gcode]\r\nmaska=[G]\r\n");
    FieldValues fields;
    ASSERT_TRUE(LoadProfile(location->folder, ProfileKind::GCode, "WOOD", fields, '.').value());
    EXPECT_EQ(fields.text("EMaskaU"), "[G]");
}

TEST(SettingsFolder, PerUserWhenTheProgramFolderCannotBeUsed) {
    TempFolder folder;
    writeFile(folder.path / "SETTINGS", "not a folder");
    auto xdg = ResolveSettingsFolder(folder.path, "/xdg/config", "/home/someone");
    ASSERT_TRUE(xdg.ok());
    EXPECT_EQ(xdg->folder, std::filesystem::path("/xdg/config/beamwright/Settings"));
    EXPECT_TRUE(xdg->perUser);
    auto home = ResolveSettingsFolder(folder.path, "relative/ignored", "/home/someone");
    ASSERT_TRUE(home.ok());
    EXPECT_EQ(home->folder, std::filesystem::path("/home/someone/.config/beamwright/Settings"));
    auto missing = ResolveSettingsFolder(folder.path / "no-such-folder", "", "/home/someone");
    ASSERT_TRUE(missing.ok());
    EXPECT_TRUE(missing->perUser);
    auto nowhere = ResolveSettingsFolder(folder.path, "", "");
    EXPECT_FALSE(nowhere.ok());
}

TEST(ProfileList, SortedNamesSplitAtTheLastDot) {
    TempFolder folder;
    for (const char* name : {"b.x.gcd", "A.gcd", "c.GCD", "e.gcdx", "f.cpd", ".gcd"}) {
        writeFile(folder.path / name, "");
    }
    std::filesystem::create_directories(folder.path / "d.gcd");
    EXPECT_EQ(ListProfiles(folder.path, ProfileKind::GCode), (std::vector<std::string>{"A", "b.x", "c"}));
    EXPECT_TRUE(ListProfiles(folder.path / "missing", ProfileKind::GCode).empty());
    EXPECT_EQ(ProfileNameOf("a.b.cpd"), "a.b");
    EXPECT_EQ(ProfileNameOf("noext"), "noext");
}

TEST(SettingsBadInput, AProfileNameStaysInsideTheSettingsFolder) {
    TempFolder folder;
    std::filesystem::create_directories(folder.path / "Settings");
    FieldValues fields = FormDefaultFields('.');
    Status saved = SaveProfile(folder.path / "Settings", ProfileKind::Dxf, "../escape", fields, '.');
    EXPECT_FALSE(saved.ok());
    EXPECT_FALSE(std::filesystem::exists(folder.path / "escape.cpd"));
    EXPECT_FALSE(SaveProfile(folder.path / "Settings", ProfileKind::Dxf, "", fields, '.').ok());
    EXPECT_FALSE(DeleteProfile(folder.path / "Settings", ProfileKind::Dxf, "../escape").ok());
    EXPECT_TRUE(SaveProfile(folder.path / "Settings", ProfileKind::Dxf, "Wood 3mm (new)", fields, '.').ok());
}

TEST(SettingsBadInput, WritesNothingTheNextStartWouldRefuseAndFollowsLinks) {
    TempFolder folder;
    FieldValues fields = FormDefaultFields('.');
    fields.setText("REHeaderU", std::string(9u << 20, 'x'));  // twice that as hex: beyond what is read back
    ASSERT_FALSE(SaveSettings(folder.path, "Huge.gcd", SettingsSection::GCode, fields, '.').ok());
    EXPECT_FALSE(std::filesystem::exists(folder.path / "Huge.gcd"));
    // A settings file kept elsewhere through a link is updated there; the link stays.
    std::filesystem::create_directories(folder.path / "elsewhere");
    std::filesystem::create_directories(folder.path / "Settings");
    writeFile(folder.path / "elsewhere" / "Last.ini", "[Other]\r\nkept=1\r\n");
    std::filesystem::create_symlink("../elsewhere/Last.ini", folder.path / "Settings" / "Last.ini");
    ASSERT_TRUE(
        SaveSettings(folder.path / "Settings", "Last.ini", SettingsSection::Last, FormDefaultFields('.'), '.').ok());
    EXPECT_TRUE(std::filesystem::is_symlink(folder.path / "Settings" / "Last.ini"));
    EXPECT_NE(readFile(folder.path / "elsewhere" / "Last.ini").find("kept=1"), std::string::npos);
}

TEST(SettingsFolder, AReadOnlySettingsFolderIsReported) {
    if (::geteuid() == 0) { GTEST_SKIP() << "root writes into read-only folders"; }
    TempFolder folder;
    std::filesystem::create_directories(folder.path / "Settings");
    std::filesystem::permissions(folder.path / "Settings",
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    auto location = ResolveSettingsFolder(folder.path, "/xdg", "/home/someone");
    std::filesystem::permissions(folder.path / "Settings", std::filesystem::perms::owner_all);
    ASSERT_TRUE(location.ok());
    EXPECT_TRUE(location->perUser);
    EXPECT_NE(location->notice.find("cannot be written"), std::string::npos) << location->notice;
}
