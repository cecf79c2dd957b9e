#include "i18n/CaptionTable.h"

namespace bw {

namespace {

// Tab sheet `page` of the tab control `name`.
constexpr CaptionTarget page(std::string_view name, int index) { return {name, index}; }

}  // namespace

std::span<const CaptionEntry> captionTable() {
    // Pairs are {Polish, English}. `PC1` is the main tab control; `PageControl2`, `PageControl1` and `PC2` are the
    // inner tab controls of the DXF, BMP/JPG and PCB tabs.
    static const std::vector<CaptionEntry> table = {
        {{"Ustawienia", "Settings"}, {page("PageControl2", 0), page("PageControl1", 0), page("PC2", 0)}},
        {{"Wczytywanie DXF", "Open DXF"}, {{"GroupBox8"}}},
        {{"Parametry", "Parameters"}, {{"GroupBox9"}, {"GroupBox6"}, {"GroupBox5"}}},
        {{"Otwórz DXF", "Open DXF file"}, {{"SBODXF"}}},
        {{"Ruch jałowy [mm/min]", "Idle speed [mm/min]"}, {{"Label10"}, {"Label3"}, {"Label6"}, {"Label34"}}},
        {{"Ruch roboczy [mm/min]", "Work speed [mm/min]"}, {{"Label11"}, {"Label4"}, {"Label7"}, {"Label35"}}},
        {{"Ogniskowa (Z) [mm]", "Focus distance (Z) [mm]"}, {{"Label12"}}},
        {{"Ekstruzja na mm [mm]", "Dir axis movement per mm [mm]"}, {{"Label13"}}},
        {{"Długość prostek [mm]", "Curve accuracy [mm]"}, {{"Label14"}}},
        {{"Generuj G-CODE", "Generate G-code"}, {{"SBDXF"}, {"SBBMP"}}},
        {{"Zapisz G-CODE", "Save G-code"}, {{"SBZGD"}, {"SBZGB"}, {"SBZGPR"}, {"SBZGPO"}}},
        {{"Grubość materiału [mm]", "Material thickness [mm]"}, {{"Label16"}, {"Label18"}, {"Label19"}, {"Label15"}}},
        {{"Grubość warstwy [mm]", "One pass thickness [mm]"}, {{"Label17"}}},
        {{"Przejście docinające", "Additional last cut"}, {{"CBDotnij"}}},
        {{"Czytaj polilinie, elipsy i bloki", "Read polylines, ellipses and blocks"}, {{"CBPolilinie"}}},
        {{"Pomoc", "Help"}, {{"PHelpDXF"}}},
        {{"Kopiuj do schowka", "Copy to clipboard"},
         {{"SBKopiujD"}, {"SBKopiujB"}, {"Label26"}, {"SBKopiujRP"}, {"SBKopiujOP"}}},
        {{"Punkt startu", "Start point"}, {{"GBPktStartuD"}, {"GBPktStartuB"}, {"GBPktStartuP"}}},
        {{"Przejścia", "Passes"}, {{"Label2"}}},
        {{"Ustawienia 2", "Image settings"}, {page("PageControl1", 1)}},
        {{"Wczytywanie", "Image"}, {{"GroupBox2"}}},
        {{"Otwórz BMP/JPG", "Open BMP/JPG file"}, {{"SBOBMP"}}},
        {{"Wielkość piksela [mm/piksel]", "Pixel size [mm/pixel]"}, {{"Label8"}}},
        {{"Rastruj poziomo", "Horizontal raster"}, {{"CBRPoz"}}},
        {{"Rastruj pionowo", "Vertical raster"}, {{"CBRPio"}}},
        {{"Skala szarości", "Grayscale"}, {{"CBSzarosc"}}},
        {{"Ramka", "Frame"}, {{"CBRamkaB"}}},
        {{"Moc [%]", "Power [%]"}, {{"LMocB"}}},
        {{"Dopasuj", "Fit"}, {{"CBZoomB"}, {"CBZoomP"}}},
        {{"Kontrola mocy", "Power control"}, {{"GBKontrolaMocyB"}}},
        {{"Korekcja", "Correction"}, {{"GBKorekcja"}}},
        {{"Próg C/B", "B/W threshold"}, {{"LProgCB"}}},
        {{"Resetuj obraz", "Reset image"}, {{"SBResetujB"}}},
        {{"Rozdzielczość X", "X resolution"}, {{"Label31"}}},
        {{"Rozdzielczość Y", "Y resolution"}, {{"Label32"}}},
        {{"Proporcje", "Keep aspect ratio"}, {{"CBProporcjeB"}}},
        {{"Ruchy jałowe", "Idle moves"}, {{"CBRJaloweB"}}},
        {{"Wczytywanie i parametry obrazka", "PCB-BMP parameters"}, {{"GroupBox1"}}},
        {{"Otwórz PCB-BMP", "Open PCB-BMP"}, {{"SBOPCB"}}},
        {{"Średnica wiązki [mm]", "Beam spot diameter [mm]"}, {{"Label5"}}},
        {{"Rasteryzuj", "Rasterize PCB"}, {{"SBPCBR"}}},
        {{"Obrysuj wykańczająco", "Envelope paths"}, {{"SBPCBO"}}},
        {{"Używaj freza grawerskiego", "Use engraving end mill"}, {{"CBGrawerski"}}},
        {{"Unoszenie [mm]", "Z rising [mm]"}, {{"Label28"}}},
        {{"Plik ULP", "ULP file"}, {{"SBGenULP"}}},
        {{"Zagłębianie [mm]", "Engraving depth [mm]"}, {{"Label27"}}},
        {{"Podgląd", "Preview"}, {{"SBP1"}, {"SBP2"}}},
        {{"Sterowanie głowicą", "Laser head control"}, {{"GroupBox4"}}},
        {{"Narzędzia", "Tools"}, {page("PC1", 3)}},
        {{"Język", "Language"}, {{"SBJezyk"}}},
        {{"Maksymalna wartość PWM", "Maximum PWM value"}, {{"LMWPWM"}}},
        {{"Kalibracja", "Calibration"}, {{"GroupBox11"}}},
        {{"Kalibracja zgrubna", "Coarse calibration"}, {{"SpeedButton10"}}},
        {{"Kalibracja dokładna", "Fine calibration"}, {{"SpeedButton8"}}},
        {{"Rozszerzenie pliku G-CODE", "G-CODE file extension"}, {{"RGRozszerzenie"}}},
        {{"Maszyna (szacowanie czasu)", "Machine (time estimate)"}, {{"GBMaszynaU"}}},
        {{"Prędkość maksymalna [mm/min]", "Maximum rate [mm/min]"}, {{"LPredkoscU"}}},
        {{"Przyspieszenie [mm/s²]", "Acceleration [mm/s²]"}, {{"LPrzyspieszenieU"}}},
        {{"Odchylenie na narożach [mm]", "Junction deviation [mm]"}, {{"LOdchylenieU"}}},
        {{"Ścieżka narzędzia", "Toolpath"}, {{"CBSciezkaD"}, {"CBSciezkaB"}, {"CBSciezkaPR"}, {"CBSciezkaPO"}}},
        {{"Ukryj ruchy jałowe", "Hide travel moves"},
         {{"CBUkryjJaloweD"}, {"CBUkryjJaloweB"}, {"CBUkryjJalowePR"}, {"CBUkryjJalowePO"}}},
        {{"Moc min", "Power min"}, {{"Label38"}}},
        {{"Moc max", "Power max"}, {{"Label39"}}},
        {{"Kwadraty", "Squares"}, {{"CBKwadraty"}}},
        {{"Kalibracja szarości", "Grayscale calibration"}, {{"SpeedButton11"}, {"GroupBox15"}}},
        {{"Z bazowy [mm]", "Base Z [mm]"}, {{"Label37"}}},
        {{"Kropki", "Dots"}, {{"CBKropki"}}},
        {{"Kalibracja ogniskowej", "Focus distance calibration"}, {{"GroupBox14"}}},
        {{"Zapisz", "Save"}, {{"SBZapiszU"}}},
        {{"Usuń", "Delete"}, {{"SBUsunU"}}},
    };
    return table;
}

const CaptionEntry* captionEntryFor(const CaptionTarget& target) {
    for (const CaptionEntry& entry : captionTable()) {
        for (const CaptionTarget& control : entry.controls) {
            if (control == target) { return &entry; }
        }
    }
    return nullptr;
}

std::vector<CaptionAssignment> captionsFor(int languageIndex) {
    std::vector<CaptionAssignment> captions;
    for (const CaptionEntry& entry : captionTable()) {
        for (const CaptionTarget& control : entry.controls) {
            captions.push_back({control, entry.text.text(languageIndex)});
        }
    }
    return captions;
}

}  // namespace bw
