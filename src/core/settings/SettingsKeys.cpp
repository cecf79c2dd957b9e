#include "settings/SettingsKeys.h"

#include "settings/FieldValues.h"

namespace bw {

namespace {

using enum ValueKind;

constexpr SettingsKey kLast[] = {
    {"Profil", IndexInteger, "CBProfilS", "-1"},
    {"Profil DXF", IndexInteger, "CBProfilD", "-1"},
    {"Profil BMP", IndexInteger, "CBProfilB", "-1"},
    {"Profil PCB", IndexInteger, "CBProfilP", "-1"},
    {"Ogniskowa", Number, "EOgniskowa", "0"},
    {"Jezyk", IndexInteger, kLanguageIndexId, "1"},
    {"Ruch na mm", Number, "EEkstruzja", "0.1"},
    {"Pozycja startowa", IndexInteger, kStartPointId, "7"},
    {"Posuw jalowy", Number, "Edit1", "10000"},
    {"Posuw roboczy", Number, "Edit5", "1500"},
    {"Os Z", Number, "Edit8", "20"},
    {"Kwadraty", Flag, "CBKwadraty", "0"},
    {"Moc MIN", Number, "EPmin", "0"},
    {"Moc MAX", Number, "EPmax", "100"},
    {"Ilosc zer", Integer, "EIloscZerU", "4"},
    {"Material szarosc", Number, "EGruboscT", "0"},
    {"Polilinie DXF", Flag, "CBPolilinie", "0"},
};

constexpr SettingsKey kGCode[] = {
    {"Naglowek", HexText, "REHeaderU", ""},
    {"Stopka", HexText, "REFooterU", ""},
    {"Maska", Text, "EMaskaU", ""},
    {"PWM MAX", Integer, "EMWPWM", "255"},
    {"Rozszerzenie pliku", IndexInteger, "RGRozszerzenie", "0"},
    {"Predkosc maksymalna", Number, "EPredkoscU", "6000"},
    {"Przyspieszenie", Number, "EPrzyspieszenieU", "1000"},
    {"Odchylenie naroza", Number, "EOdchylenieU", "0.01"},
};

constexpr SettingsKey kDxf[] = {
    {"Posuw jalowy", Number, "ESzJD", "10000"}, {"Posuw roboczy", Number, "ESzRD", "1500"},
    {"Prostki", Number, "EProstki", "0.1"},     {"Grubosc", Number, "EGrubosc", "1"},
    {"Warstwa", Number, "EWarstwa", "1"},       {"Docinanie", Flag, "CBDotnij", "0"},
    {"Polilinie", Flag, "CBPolilinie", "0"},
};

constexpr SettingsKey kBmp[] = {
    {"Posuw jalowy", Number, "ESzJBMP", "10000"}, {"Posuw roboczy", Number, "ESzRBMP", "1500"},
    {"Skala", Number, "ESkala", "0.3"},           {"Grubosc", Number, "EGruboscB", "1"},
    {"Moc MIN", Number, "EMocBMin", "0"},         {"Moc MAX", Number, "EMocBMax", "100"},
    {"Raster poziomy", Flag, "CBRPoz", "1"},      {"Raster pionowy", Flag, "CBRPio", "0"},
    {"Skala szarosci", Flag, "CBSzarosc", "1"},   {"Ramka", Flag, "CBRamkaB", "0"},
    {"Dithering", Flag, "CBDithering", "0"},      {"Proporcje", Flag, "CBProporcjeB", "0"},
    {"Ruchy jalowe", Flag, "CBRJaloweB", "0"},    {"Prog", IndexInteger, "TBProg", "128"},
};

constexpr SettingsKey kPcb[] = {
    {"Posuw jalowy", Number, "ESzJPCB", "10000"},
    {"Posuw roboczy", Number, "ESzRPCB", "1500"},
    {"DPI", Integer, "Edit2", "508"},
    {"Grubosc", Number, "EGruboscP", "1"},
    {"Srednica wiazki", Number, "Edit3", "0.2"},
    {"Dopasuj", Flag, "CBZoomP", "1"},
    {"Grawerski", Flag, "CBGrawerski", "0"},
    {"Unoszenie", Number, "EUnoszenieP", "2"},
    {"Zaglebianie", Number, "EZaglP", "0.2"},
};

}  // namespace

std::string_view SectionName(SettingsSection section) {
    switch (section) {
        case SettingsSection::Last: return "LAST";
        case SettingsSection::GCode: return "GCODE";
        case SettingsSection::Dxf: return "DXF";
        case SettingsSection::Bmp: return "BMP";
        case SettingsSection::Pcb: return "PCB";
    }
    return "";
}

std::span<const SettingsKey> SectionKeys(SettingsSection section) {
    switch (section) {
        case SettingsSection::Last: return kLast;
        case SettingsSection::GCode: return kGCode;
        case SettingsSection::Dxf: return kDxf;
        case SettingsSection::Bmp: return kBmp;
        case SettingsSection::Pcb: return kPcb;
    }
    return {};
}

}  // namespace bw
