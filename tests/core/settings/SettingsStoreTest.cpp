#include <gtest/gtest.h>

#include "TestSupport.h"
#include "settings/FormDefaults.h"
#include "settings/SettingsStore.h"

using namespace bw;
using bw::test::readFile;
using bw::test::TempFolder;
using bw::test::writeFile;

TEST(SettingsStore, DxfProfileFileHasTheExactFormat) {
    TempFolder folder;
    FieldValues fields = FormDefaultFields(',');
    fields.setFlag("CBDotnij", true);
    ASSERT_TRUE(SaveProfile(folder.path, ProfileKind::Dxf, "Wood 3mm", fields, ',').ok());
    EXPECT_EQ(readFile(folder.path / "Wood 3mm.cpd"),
              "[DXF]\r\nPosuw jalowy=5000\r\nPosuw roboczy=1500\r\nProstki=0,5\r\nGrubosc=1,5\r\nWarstwa=0,5\r\n"
              "Docinanie=1\r\nPolilinie=0\r\n");
    EXPECT_EQ(ListProfiles(folder.path, ProfileKind::Dxf), std::vector<std::string>{"Wood 3mm"});
}

TEST(SettingsStore, HeaderLinesAreStoredAsHexWithCrLf) {
    TempFolder folder;
    FieldValues fields = FormDefaultFields('.');
    fields.setText("REHeaderU", "A\r\nB");
    fields.setText("REFooterU", "");
    fields.setText("EMaskaU", "[G] [X] [Y] (S)[P]");
    fields.setText("EMWPWM", "1000");
    fields.setIndex("RGRozszerzenie", 2);
    ASSERT_TRUE(SaveProfile(folder.path, ProfileKind::GCode, "grbl", fields, '.').ok());
    EXPECT_EQ(readFile(folder.path / "grbl.gcd"),
              "[GCODE]\r\nNaglowek=410D0A420D0A\r\nStopka=\r\nMaska=[G] [X] [Y] (S)[P]\r\nPWM MAX=1000\r\n"
              "Rozszerzenie pliku=2\r\nPredkosc maksymalna=6000\r\nPrzyspieszenie=1000\r\nOdchylenie naroza=0.01\r\n");
}

TEST(SettingsStore, EverySectionRoundTrips) {
    TempFolder folder;
    FieldValues fields = FormDefaultFields(',');
    // Values that differ from every default, so a key that is not written or not read shows.
    fields.setText("ESzJD", "7000");
    fields.setText("ESzRD", "900");
    fields.setText("EProstki", "0,25");
    fields.setText("EGrubosc", "3");
    fields.setText("EWarstwa", "0,75");
    fields.setFlag("CBDotnij", true);
    fields.setText("ESzJBMP", "8000");
    fields.setText("ESzRBMP", "1200");
    fields.setText("ESkala", "0,15");
    fields.setText("EGruboscB", "2,5");
    fields.setText("EMocBMin", "12,5");
    fields.setText("EMocBMax", "80");
    fields.setFlag("CBRPoz", false);
    fields.setFlag("CBRPio", true);
    fields.setFlag("CBSzarosc", false);
    fields.setFlag("CBRamkaB", true);
    fields.setFlag("CBDithering", true);
    fields.setFlag("CBProporcjeB", true);
    fields.setFlag("CBRJaloweB", true);
    fields.setIndex("TBProg", 77);
    fields.setText("ESzJPCB", "6000");
    fields.setText("ESzRPCB", "700");
    fields.setText("Edit2", "600");
    fields.setText("EGruboscP", "1,6");
    fields.setText("Edit3", "0,1");
    fields.setFlag("CBZoomP", false);
    fields.setFlag("CBGrawerski", true);
    fields.setText("EUnoszenieP", "-1,5");
    fields.setText("EZaglP", "0,05");
    fields.setText("REHeaderU", "H1\r\n\r\nH3\r\n");
    fields.setText("REFooterU", "F\xc5\x82");
    fields.setText("EMaskaU", "[G] [X]");
    fields.setText("EMWPWM", "1000");
    fields.setIndex("RGRozszerzenie", 3);
    fields.setIndex("CBProfilS", 2);
    fields.setIndex("CBProfilD", 0);
    fields.setIndex("CBProfilB", 5);
    fields.setIndex("CBProfilP", 1);
    fields.setText("Edit1", "3000");
    fields.setText("Edit5", "2000");
    fields.setText("Edit8", "-2,5");
    fields.setFlag("CBKwadraty", true);
    fields.setText("EPmin", "10");
    fields.setText("EPmax", "90");
    fields.setText("EGruboscT", "4,2");
    fields.setIndex(kStartPointId, 3);

    struct Case {
        SettingsSection section;
        const char* file;
    };
    for (Case c :
         {Case{SettingsSection::Dxf, "p.cpd"}, Case{SettingsSection::Bmp, "p.cpb"}, Case{SettingsSection::Pcb, "p.cpp"},
          Case{SettingsSection::GCode, "p.gcd"}, Case{SettingsSection::Last, "Last.ini"}}) {
        ASSERT_TRUE(SaveSettings(folder.path, c.file, c.section, fields, ',').ok()) << c.file;
        FieldValues loaded = FormDefaultFields(',');
        ASSERT_TRUE(LoadSettings(folder.path, c.file, c.section, loaded, ',').value());
        for (const SettingsKey& key : SectionKeys(c.section)) {
            if (key.fieldId == "EOgniskowa" || key.fieldId == "EEkstruzja" || key.fieldId == "EIloscZerU" ||
                key.fieldId == kLanguageIndexId) {
                continue;  // written, but overridden after every load
            }
            EXPECT_EQ(loaded.text(std::string(key.fieldId)), fields.text(std::string(key.fieldId))) << key.key;
            EXPECT_EQ(loaded.flag(std::string(key.fieldId)), fields.flag(std::string(key.fieldId))) << key.key;
            EXPECT_EQ(loaded.index(std::string(key.fieldId)), fields.index(std::string(key.fieldId))) << key.key;
        }
    }
    FieldValues loaded;
    ASSERT_TRUE(LoadSettings(folder.path, "Last.ini", SettingsSection::Last, loaded, ',').value());
    EXPECT_FALSE(loaded.flag("CBKropki"));  // the other half of the squares/dots pair
    EXPECT_EQ(readFile(folder.path / "Last.ini"),
              "[LAST]\r\nProfil=2\r\nProfil DXF=0\r\nProfil BMP=5\r\nProfil PCB=1\r\nOgniskowa=0\r\nJezyk=1\r\n"
              "Ruch na mm=0,05\r\nPozycja startowa=3\r\nPosuw jalowy=3000\r\nPosuw roboczy=2000\r\nOs Z=-2,5\r\n"
              "Kwadraty=1\r\nMoc MIN=10\r\nMoc MAX=90\r\nIlosc zer=4\r\nMaterial szarosc=4,2\r\nPolilinie DXF=0\r\n");
}

TEST(SettingsStore, LongHeadersRoundTripWhole) {
    TempFolder folder;
    FieldValues fields = FormDefaultFields('.');
    std::string header;
    for (int i = 0; i < 500; ++i) { header += "G1 X" + std::to_string(i) + " ; a fairly long comment line\r\n"; }
    header += "end";
    fields.setText("REHeaderU", header);
    ASSERT_TRUE(SaveProfile(folder.path, ProfileKind::GCode, "long", fields, '.').ok());
    FieldValues loaded;
    ASSERT_TRUE(LoadProfile(folder.path, ProfileKind::GCode, "long", loaded, '.').ok());
    EXPECT_EQ(loaded.text("REHeaderU"), header);
}

TEST(SettingsStore, StartPointOutsideOneToNineBecomesSeven) {
    TempFolder folder;
    for (auto [stored, expected] : {std::pair{"12", 7}, std::pair{"0", 7}, std::pair{"x", 7}, std::pair{"9", 9}}) {
        writeFile(folder.path / "Last.ini", std::string("[LAST]\r\nPozycja startowa=") + stored + "\r\n");
        FieldValues fields;
        ASSERT_TRUE(LoadSettings(folder.path, "Last.ini", SettingsSection::Last, fields, ',').value());
        EXPECT_EQ(fields.index(kStartPointId), expected) << stored;
    }
}

TEST(SettingsStore, MissingKeysGiveTheStoreDefaults) {
    TempFolder folder;
    writeFile(folder.path / "empty.cpd", "[DXF]\r\n");
    writeFile(folder.path / "empty.gcd", "");
    writeFile(folder.path / "empty.cpb", "[BMP]\nSkala=0,5\n");
    writeFile(folder.path / "empty.cpp", "[PCB]\r\nDPI=\r\n");
    FieldValues fields = FormDefaultFields(',');
    ASSERT_TRUE(LoadProfile(folder.path, ProfileKind::Dxf, "empty", fields, ',').value());
    EXPECT_EQ(fields.text("ESzJD"), "10000");  // not the window's "5000"
    EXPECT_FALSE(fields.flag("CBDotnij", true));
    ASSERT_TRUE(LoadProfile(folder.path, ProfileKind::GCode, "empty", fields, ',').value());
    EXPECT_EQ(fields.text("REHeaderU", "x"), "");
    EXPECT_EQ(fields.text("EMaskaU", "x"), "");
    ASSERT_TRUE(LoadProfile(folder.path, ProfileKind::Bmp, "empty", fields, ',').value());
    EXPECT_EQ(fields.text("ESkala"), "0,5");
    EXPECT_TRUE(fields.flag("CBRPoz"));
    ASSERT_TRUE(LoadProfile(folder.path, ProfileKind::Pcb, "empty", fields, ',').value());
    EXPECT_EQ(fields.text("Edit2"), "508");
    FieldValues last;
    writeFile(folder.path / "Last.ini", "[LAST]\r\n");
    ASSERT_TRUE(LoadSettings(folder.path, "Last.ini", SettingsSection::Last, last, '.').value());
    EXPECT_EQ(last.index("CBProfilS"), -1);
    EXPECT_EQ(last.text("Edit1"), "10000");
    EXPECT_EQ(last.index(kStartPointId), 7);
}

TEST(SettingsStore, AnyLoadedFileResetsTheToolsPageValues) {
    TempFolder folder;
    writeFile(folder.path / "Last.ini", "[LAST]\r\nOgniskowa=12,5\r\nJezyk=0\r\nRuch na mm=0,3\r\nIlosc zer=2\r\n");
    writeFile(folder.path / "x.cpb", "[BMP]\r\n");
    FieldValues fields = FormDefaultFields(',');
    ASSERT_TRUE(LoadSettings(folder.path, "Last.ini", SettingsSection::Last, fields, ',').value());
    EXPECT_EQ(fields.text("EOgniskowa"), "0");
    EXPECT_EQ(fields.text("EEkstruzja"), "0,1");
    EXPECT_EQ(fields.text("EIloscZerU"), "4");
    EXPECT_EQ(fields.index(kLanguageIndexId), 1);

    fields.setText("EOgniskowa", "7");
    fields.setText("EEkstruzja", "0,05");
    fields.setIndex(kLanguageIndexId, 0);
    ASSERT_TRUE(LoadProfile(folder.path, ProfileKind::Bmp, "x", fields, '.').value());
    EXPECT_EQ(fields.text("EOgniskowa"), "0");
    EXPECT_EQ(fields.text("EEkstruzja"), "0.1");
    EXPECT_EQ(fields.index(kLanguageIndexId), 1);

    // No file: nothing changes.
    fields.setText("EOgniskowa", "7");
    auto missing = LoadProfile(folder.path, ProfileKind::Bmp, "nope", fields, '.');
    ASSERT_TRUE(missing.ok());
    EXPECT_FALSE(missing.value());
    EXPECT_EQ(fields.text("EOgniskowa"), "7");
}

TEST(SettingsStore, SavingKeepsTheRestOfAnExistingFile) {
    TempFolder folder;
    writeFile(folder.path / "LAST.INI", "; kept\n[Other]\nx=1\n\n[last]\nPozycja startowa=2\nExtra=yes\n");
    FieldValues fields = FormDefaultFields('.');
    fields.setIndex(kStartPointId, 4);
    ASSERT_TRUE(SaveSettings(folder.path, "Last.ini", SettingsSection::Last, fields, '.').ok());
    EXPECT_FALSE(std::filesystem::exists(folder.path / "Last.ini"));  // the existing name is kept
    std::string text = readFile(folder.path / "LAST.INI");
    // Known keys are replaced where they stand, missing ones follow the section's last line.
    EXPECT_TRUE(
        text.starts_with("; kept\r\n[Other]\r\nx=1\r\n\r\n[last]\r\nPozycja startowa=4\r\nExtra=yes\r\n"
                         "Profil=-1\r\nProfil DXF=-1\r\n"))
        << text;
    EXPECT_TRUE(text.ends_with("Ilosc zer=4\r\nMaterial szarosc=0\r\nPolilinie DXF=0\r\n")) << text;
}

TEST(SettingsStore, StartupLoadsTheSelectedProfiles) {
    TempFolder folder;
    writeFile(folder.path / "Last.ini", "[LAST]\r\nProfil=1\r\nProfil DXF=4\r\n");
    writeFile(folder.path / "a.gcd", "[GCODE]\r\nMaska=first\r\n");
    writeFile(folder.path / "B.gcd", "[GCODE]\r\nMaska=second\r\n");
    writeFile(folder.path / "a.cpd", "[DXF]\r\nGrubosc=9\r\n");
    FieldValues fields = FormDefaultFields(',');
    ASSERT_TRUE(LoadStartupState(folder.path, fields, ',').ok());
    EXPECT_EQ(fields.text("EMaskaU"), "second");
    EXPECT_EQ(fields.index("CBProfilS"), 1);
    EXPECT_EQ(fields.index("CBProfilD"), -1);  // only one DXF profile: index 4 selects nothing
    EXPECT_EQ(fields.text("EGrubosc"), "1,5");
}

TEST(SettingsStore, DeletingAProfile) {
    TempFolder folder;
    writeFile(folder.path / "Wood.CPD", "[DXF]\r\n");
    EXPECT_TRUE(DeleteProfile(folder.path, ProfileKind::Dxf, "wood").ok());
    EXPECT_TRUE(ListProfiles(folder.path, ProfileKind::Dxf).empty());
    EXPECT_TRUE(DeleteProfile(folder.path, ProfileKind::Dxf, "wood").ok());
}
