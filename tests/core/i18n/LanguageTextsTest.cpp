#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "Utf8Check.h"
#include "i18n/CaptionTable.h"
#include "i18n/MessageTexts.h"
#include "i18n/TextPair.h"

using namespace bw;

namespace {

struct ExpectedCaption {
    std::string_view objectName;
    int page;
    std::string_view english;
    std::string_view polish;
};

// One row per control, listed independently of the table's grouping by pair.
constexpr ExpectedCaption kExpected[] = {
    {"PageControl2", 0, "Settings", "Ustawienia"},
    {"PageControl1", 0, "Settings", "Ustawienia"},
    {"PC2", 0, "Settings", "Ustawienia"},
    {"GroupBox8", -1, "Open DXF", "Wczytywanie DXF"},
    {"GroupBox9", -1, "Parameters", "Parametry"},
    {"GroupBox6", -1, "Parameters", "Parametry"},
    {"GroupBox5", -1, "Parameters", "Parametry"},
    {"SBODXF", -1, "Open DXF file", "Otwórz DXF"},
    {"Label10", -1, "Idle speed [mm/min]", "Ruch jałowy [mm/min]"},
    {"Label3", -1, "Idle speed [mm/min]", "Ruch jałowy [mm/min]"},
    {"Label6", -1, "Idle speed [mm/min]", "Ruch jałowy [mm/min]"},
    {"Label34", -1, "Idle speed [mm/min]", "Ruch jałowy [mm/min]"},
    {"Label11", -1, "Work speed [mm/min]", "Ruch roboczy [mm/min]"},
    {"Label4", -1, "Work speed [mm/min]", "Ruch roboczy [mm/min]"},
    {"Label7", -1, "Work speed [mm/min]", "Ruch roboczy [mm/min]"},
    {"Label35", -1, "Work speed [mm/min]", "Ruch roboczy [mm/min]"},
    {"Label12", -1, "Focus distance (Z) [mm]", "Ogniskowa (Z) [mm]"},
    {"Label13", -1, "Dir axis movement per mm [mm]", "Ekstruzja na mm [mm]"},
    {"Label14", -1, "Curve accuracy [mm]", "Długość prostek [mm]"},
    {"SBDXF", -1, "Generate G-code", "Generuj G-CODE"},
    {"SBBMP", -1, "Generate G-code", "Generuj G-CODE"},
    {"SBZGD", -1, "Save G-code", "Zapisz G-CODE"},
    {"SBZGB", -1, "Save G-code", "Zapisz G-CODE"},
    {"SBZGPR", -1, "Save G-code", "Zapisz G-CODE"},
    {"SBZGPO", -1, "Save G-code", "Zapisz G-CODE"},
    {"Label16", -1, "Material thickness [mm]", "Grubość materiału [mm]"},
    {"Label18", -1, "Material thickness [mm]", "Grubość materiału [mm]"},
    {"Label19", -1, "Material thickness [mm]", "Grubość materiału [mm]"},
    {"Label15", -1, "Material thickness [mm]", "Grubość materiału [mm]"},
    {"Label17", -1, "One pass thickness [mm]", "Grubość warstwy [mm]"},
    {"CBDotnij", -1, "Additional last cut", "Przejście docinające"},
    {"CBPolilinie", -1, "Read polylines, ellipses and blocks", "Czytaj polilinie, elipsy i bloki"},
    {"PHelpDXF", -1, "Help", "Pomoc"},
    {"SBKopiujD", -1, "Copy to clipboard", "Kopiuj do schowka"},
    {"SBKopiujB", -1, "Copy to clipboard", "Kopiuj do schowka"},
    {"Label26", -1, "Copy to clipboard", "Kopiuj do schowka"},
    {"SBKopiujRP", -1, "Copy to clipboard", "Kopiuj do schowka"},
    {"SBKopiujOP", -1, "Copy to clipboard", "Kopiuj do schowka"},
    {"GBPktStartuD", -1, "Start point", "Punkt startu"},
    {"GBPktStartuB", -1, "Start point", "Punkt startu"},
    {"GBPktStartuP", -1, "Start point", "Punkt startu"},
    {"Label2", -1, "Passes", "Przejścia"},
    {"PageControl1", 1, "Image settings", "Ustawienia 2"},
    {"GroupBox2", -1, "Image", "Wczytywanie"},
    {"SBOBMP", -1, "Open BMP/JPG file", "Otwórz BMP/JPG"},
    {"Label8", -1, "Pixel size [mm/pixel]", "Wielkość piksela [mm/piksel]"},
    {"CBRPoz", -1, "Horizontal raster", "Rastruj poziomo"},
    {"CBRPio", -1, "Vertical raster", "Rastruj pionowo"},
    {"CBSzarosc", -1, "Grayscale", "Skala szarości"},
    {"CBRamkaB", -1, "Frame", "Ramka"},
    {"LMocB", -1, "Power [%]", "Moc [%]"},
    {"CBZoomB", -1, "Fit", "Dopasuj"},
    {"CBZoomP", -1, "Fit", "Dopasuj"},
    {"GBKontrolaMocyB", -1, "Power control", "Kontrola mocy"},
    {"GBKorekcja", -1, "Correction", "Korekcja"},
    {"LProgCB", -1, "B/W threshold", "Próg C/B"},
    {"SBResetujB", -1, "Reset image", "Resetuj obraz"},
    {"Label31", -1, "X resolution", "Rozdzielczość X"},
    {"Label32", -1, "Y resolution", "Rozdzielczość Y"},
    {"CBProporcjeB", -1, "Keep aspect ratio", "Proporcje"},
    {"CBRJaloweB", -1, "Idle moves", "Ruchy jałowe"},
    {"GroupBox1", -1, "PCB-BMP parameters", "Wczytywanie i parametry obrazka"},
    {"SBOPCB", -1, "Open PCB-BMP", "Otwórz PCB-BMP"},
    {"Label5", -1, "Beam spot diameter [mm]", "Średnica wiązki [mm]"},
    {"SBPCBR", -1, "Rasterize PCB", "Rasteryzuj"},
    {"SBPCBO", -1, "Envelope paths", "Obrysuj wykańczająco"},
    {"CBGrawerski", -1, "Use engraving end mill", "Używaj freza grawerskiego"},
    {"Label28", -1, "Z rising [mm]", "Unoszenie [mm]"},
    {"SBGenULP", -1, "ULP file", "Plik ULP"},
    {"Label27", -1, "Engraving depth [mm]", "Zagłębianie [mm]"},
    {"SBP1", -1, "Preview", "Podgląd"},
    {"SBP2", -1, "Preview", "Podgląd"},
    {"GroupBox4", -1, "Laser head control", "Sterowanie głowicą"},
    {"PC1", 3, "Tools", "Narzędzia"},
    {"SBJezyk", -1, "Language", "Język"},
    {"LMWPWM", -1, "Maximum PWM value", "Maksymalna wartość PWM"},
    {"GroupBox11", -1, "Calibration", "Kalibracja"},
    {"SpeedButton10", -1, "Coarse calibration", "Kalibracja zgrubna"},
    {"SpeedButton8", -1, "Fine calibration", "Kalibracja dokładna"},
    {"RGRozszerzenie", -1, "G-CODE file extension", "Rozszerzenie pliku G-CODE"},
    {"Label38", -1, "Power min", "Moc min"},
    {"Label39", -1, "Power max", "Moc max"},
    {"CBKwadraty", -1, "Squares", "Kwadraty"},
    {"SpeedButton11", -1, "Grayscale calibration", "Kalibracja szarości"},
    {"GroupBox15", -1, "Grayscale calibration", "Kalibracja szarości"},
    {"Label37", -1, "Base Z [mm]", "Z bazowy [mm]"},
    {"CBKropki", -1, "Dots", "Kropki"},
    {"GroupBox14", -1, "Focus distance calibration", "Kalibracja ogniskowej"},
    {"SBZapiszU", -1, "Save", "Zapisz"},
    {"SBUsunU", -1, "Delete", "Usuń"},
};

}  // namespace

TEST(CaptionTable, EveryControlShowsItsOwnPairAndNothingElseSwitches) {
    std::size_t controls = 0;
    for (const CaptionEntry& entry : captionTable()) {
        controls += entry.controls.size();
    }
    EXPECT_EQ(controls, std::size(kExpected));
    for (const ExpectedCaption& expected : kExpected) {
        const CaptionEntry* entry = captionEntryFor({expected.objectName, expected.page});
        ASSERT_NE(entry, nullptr) << expected.objectName << " page " << expected.page;
        EXPECT_EQ(entry->text.english, expected.english) << expected.objectName;
        EXPECT_EQ(entry->text.polish, expected.polish) << expected.objectName;
    }
}

TEST(CaptionTable, NoControlIsListedTwice) {
    std::set<std::pair<std::string_view, int>> seen;
    for (const CaptionEntry& entry : captionTable()) {
        for (const CaptionTarget& control : entry.controls) {
            EXPECT_TRUE(seen.insert({control.objectName, control.page}).second) << control.objectName;
        }
    }
}

TEST(CaptionTable, SharedPairsAreOneEntry) {
    const CaptionEntry* button = captionEntryFor({"SpeedButton11"});
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(captionEntryFor({"GroupBox15"}), button);
    EXPECT_EQ(button->text.english, "Grayscale calibration");
    EXPECT_EQ(captionEntryFor({"SBZGPO"}), captionEntryFor({"SBZGD"}));
    EXPECT_EQ(captionEntryFor({"Label26"}), captionEntryFor({"SBKopiujD"}));  // a label sharing the buttons' pair
}

TEST(CaptionTable, OnlyTheFirstDxfHelpPanelSwitches) {
    EXPECT_NE(captionEntryFor({"PHelpDXF"}), nullptr);
    for (std::string_view panel : {"PHelpDXF1", "PHelpBMP", "Panel1", "Panel2", "PHelpU", "PHelpG"}) {
        EXPECT_EQ(captionEntryFor({panel}), nullptr) << panel;
    }
}

TEST(CaptionTable, TabSheetsAreAddressedByPageNotByTheTabControl) {
    EXPECT_EQ(captionEntryFor({"PC1", 3})->text.english, "Tools");
    EXPECT_EQ(captionEntryFor({"PageControl1", 1})->text.english, "Image settings");
    EXPECT_EQ(captionEntryFor({"PageControl1", 0})->text.english, "Settings");
    EXPECT_EQ(captionEntryFor({"PC1"}), nullptr);     // the tab control's own caption is never set
    EXPECT_EQ(captionEntryFor({"PC1", 0}), nullptr);  // the DXF tab keeps its name in both languages
    EXPECT_EQ(captionEntryFor({"PageControl2", 1}), nullptr);
}

TEST(CaptionTable, TextsAreUtf8WithoutStraySpaces) {
    EXPECT_EQ(captionEntryFor({"SBODXF"})->text.polish, "Otw\xC3\xB3rz DXF");
    EXPECT_EQ(captionEntryFor({"Label5"})->text.polish,
              "\xC5\x9A"
              "rednica wi\xC4\x85zki [mm]");
    for (const CaptionEntry& entry : captionTable()) {
        for (std::string_view text : {entry.text.polish, entry.text.english}) {
            EXPECT_TRUE(isWellFormedUtf8(text)) << text;
            ASSERT_FALSE(text.empty());
            EXPECT_NE(text.front(), ' ') << text;
            EXPECT_NE(text.back(), ' ') << text;
        }
        EXPECT_FALSE(entry.controls.empty()) << entry.text.english;
    }
}

TEST(CaptionTable, CaptionsForALanguageCoverEveryControlOnce) {
    auto english = captionsFor(kEnglish);
    auto polish = captionsFor(kPolish);
    ASSERT_EQ(english.size(), std::size(kExpected));
    ASSERT_EQ(polish.size(), english.size());
    for (std::size_t i = 0; i < english.size(); ++i) {
        EXPECT_EQ(english[i].target, polish[i].target);
        const CaptionEntry* entry = captionEntryFor(english[i].target);
        EXPECT_EQ(english[i].text, entry->text.english);
        EXPECT_EQ(polish[i].text, entry->text.polish);
    }
}

TEST(LanguageIndex, ToggleWrapsBetweenTheTwoLanguages) {
    EXPECT_EQ(kStartLanguageIndex, kEnglish);
    EXPECT_EQ(nextLanguageIndex(kEnglish), kPolish);
    EXPECT_EQ(nextLanguageIndex(kPolish), kEnglish);
    EXPECT_EQ(nextLanguageIndex(nextLanguageIndex(kStartLanguageIndex)), kStartLanguageIndex);
    EXPECT_EQ(nextLanguageIndex(7), kPolish);  // a stray index counts as English
}

TEST(LanguageIndex, AStrayIndexReadsEnglishInsteadOfPastThePair) {
    TextPair pair{"Zapisz", "Save"};
    EXPECT_EQ(pair.text(0), "Zapisz");
    EXPECT_EQ(pair.text(1), "Save");
    EXPECT_EQ(pair.text(2), "Save");
    EXPECT_EQ(pair.text(-1), "Save");
}

TEST(MessageTexts, EveryMessageHasItsPairAndFollowsTheIndexOfTheMoment) {
    struct Expected {
        Message message;
        std::string_view english;
        std::string_view polish;
    };
    const Expected expected[] = {
        {Message::PreviewUnavailable, "Preview unavailable.",
         "Podgl\xC4\x85"
         "d niedost\xC4\x99pny."},
        {Message::GCodeTooLong, "G-code too long.", "Zbyt d\xC5\x82ugi g-kod."},
        {Message::ConfirmResetImage, "Do you really want to reset the image?",
         "Czy na pewno chcesz zrestartowa\xC4\x87 obraz?"},
        {Message::OpeningFile, "Opening the file. Please wait.", "Otwieranie pliku. Czekaj..."},
        {Message::DrawingPreview, "Drawing of the preview",
         "Rysowanie podgl\xC4\x85"
         "du"},
        {Message::CalculatingExtremes, "Calcuationg the extreems", "Obliczanie ekstrem\xC3\xB3w"},
        {Message::ObjectNumber, "Object number", "Obiekt nr"},
        {Message::PrintSize, "Print size", "Rozmiar wydruku"},
        {Message::Skipped, "Skipped:", "Pomini\xC4\x99to:"},
        {Message::SkippedHint, "(tick 'Read polylines, ellipses and blocks')",
         "(zaznacz 'Czytaj polilinie, elipsy i bloki')"},
    };
    ASSERT_EQ(std::size(expected), static_cast<std::size_t>(kMessageCount));
    for (const Expected& e : expected) {
        EXPECT_EQ(messageText(e.message, kEnglish), e.english);
        EXPECT_EQ(messageText(e.message, kPolish), e.polish);
    }
    int languageIndex = kStartLanguageIndex;
    EXPECT_EQ(messageText(Message::PrintSize, languageIndex), "Print size");
    languageIndex = nextLanguageIndex(languageIndex);
    EXPECT_EQ(messageText(Message::PrintSize, languageIndex), "Rozmiar wydruku");
}
