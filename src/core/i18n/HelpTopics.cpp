#include "i18n/HelpTopics.h"

#include <array>

namespace bw {

namespace {

constexpr std::array<HelpTopic, kHelpTopicCount> kTopics = {{
    {1, "Focus distance (Z) [mm]", "topic01.html"},
    {2, "Dir axis movement per mm [mm]", "topic02.html"},
    {3, "Decimal places", "topic03.html"},
    {4, "Idle speed [mm/min]", "topic04.html"},
    {5, "Work speed [mm/min]", "topic05.html"},
    {6, "Base Z [mm]", "topic06.html"},
    {7, "Squares", "topic07.html"},
    {8, "Dots", "topic08.html"},
    {9, "Coarse calibration", "topic09.html"},
    {10, "Fine calibration", "topic10.html"},
    {11, "Power min", "topic11.html"},
    {12, "Power max", "topic12.html"},
    {13, "Grayscale calibration", "topic13.html"},
    {14, "Focal length calibration", "topic14.html"},
    {15, "Grayscale calibration", "topic15.html"},
    {16, "Open DXF file", "topic16.html"},
    {17, "Material thickness [mm]", "topic17.html"},
    {18, "Curve accuracy [mm]", "topic18.html"},
    {19, "One pass thickness [mm]", "topic19.html"},
    {20, "Additional last cut", "topic20.html"},
    {21, "Open BMP/JPG", "topic21.html"},
    {22, "Pixel size [mm/pixel]", "topic22.html"},
    {23, "Fit", "topic23.html"},
    {24, "Horizontal raster", "topic24.html"},
    {25, "Vertical raster", "topic25.html"},
    {26, "Gray scale", "topic26.html"},
    {27, "Power [%]", "topic27.html"},
    {28, "Min", "topic28.html"},
    {29, "Max", "topic29.html"},
    {30, "Generate G-CODE", "topic30.html"},
    {31, "Save G-CODE", "topic31.html"},
    {32, "Copy to clipboard", "topic32.html"},
    {33, "Passes", "topic33.html"},
    {34, "Profile", "topic34.html"},
    {35, "Start point", "topic35.html"},
    {36, "X Resolution", "topic36.html"},
    {37, "Y Resolution", "topic37.html"},
    {38, "Keep aspect ratio", "topic38.html"},
    {39, "Greyscale:", "topic39.html"},
    {40, "Dithering", "topic40.html"},
    {41, "Correction", "topic41.html"},
    {42, "Reset image", "topic42.html"},
    {43, "G-CODE mask", "topic43.html"},
    {44, "G-CODE format Preview", "topic44.html"},
    {45, "Maximum PWM value", "topic45.html"},
    {46, "G-CODE file extension", "topic46.html"},
    {47, "G-CODE Profile", "topic47.html"},
    {48, "Header", "topic48.html"},
    {49, "Footer", "topic49.html"},
    {50, "Read polylines, ellipses and blocks", "topic50.html"},
}};

// Grouped by topic. A label and the field it names carry the same topic, so that a click on either explains it.
// clang-format off
constexpr HelpControl kControls[] = {
    {"Label12", 1},       {"EOgniskowa", 1},
    {"Label13", 2},       {"Label65", 2},        {"EEkstruzja", 2},
    {"Label48", 3},       {"EIloscZerU", 3},
    {"Label10", 4},       {"ESzJD", 4},          {"Label3", 4},         {"ESzJBMP", 4},  {"Label34", 4}, {"Edit1", 4},
    {"Label11", 5},       {"ESzRD", 5},          {"Label4", 5},         {"ESzRBMP", 5},  {"Label35", 5}, {"Edit5", 5},
    {"Label37", 6},       {"Edit8", 6},
    {"CBKwadraty", 7},
    {"CBKropki", 8},
    {"SpeedButton10", 9},
    {"SpeedButton8", 10},
    {"Label38", 11},      {"EPmin", 11},
    {"Label39", 12},      {"EPmax", 12},
    {"SpeedButton11", 13},
    {"SpeedButton3", 14},
    {"SpeedButton9", 15},
    {"SBODXF", 16},
    {"Label16", 17},      {"EGrubosc", 17},      {"Label18", 17},       {"EGruboscB", 17},
    {"Label15", 17},      {"EGruboscT", 17},
    {"Label14", 18},      {"EProstki", 18},
    {"Label17", 19},      {"EWarstwa", 19},
    {"CBDotnij", 20},
    {"CBPolilinie", 50},
    {"SBOBMP", 21},
    {"Label8", 22},       {"ESkala", 22},
    {"CBZoomB", 23},
    {"CBRPoz", 24},
    {"CBRPio", 25},
    {"LMocB", 27},
    {"LMocB1", 28},       {"EMocBMin", 28},
    {"LMocB2", 29},       {"EMocBMax", 29},
    {"SBDXF", 30},        {"SBBMP", 30},
    {"SBZGD", 31},        {"SBZGB", 31},
    {"SBKopiujD", 32},    {"SBKopiujB", 32},
    {"Label2", 33},       {"LPrzejsciaD", 33},
    {"GroupBox13", 34},   {"GroupBox18", 34},
    {"GBPktStartuD", 35}, {"GBPktStartuB", 35},
    {"Label31", 36},      {"LRX", 36},           {"ERXB", 36},
    {"Label32", 37},      {"LRY", 37},           {"ERYB", 37},
    {"CBProporcjeB", 38},
    {"CBSzarosc", 39},
    {"CBDithering", 40},
    {"GBKorekcja", 41},
    {"SBResetujB", 42},
    {"Label57", 43},      {"EMaskaU", 43},
    {"Label1", 44},
    {"LMWPWM", 45},       {"EMWPWM", 45},
    {"RGRozszerzenie", 46},
    {"GroupBox16", 47},
    {"Label46", 48},
    {"Label47", 49},
};
// clang-format on

}  // namespace

std::span<const HelpTopic> helpTopics() { return kTopics; }

const HelpTopic* helpTopic(int number) {
    if (number < 1 || number > kHelpTopicCount) { return nullptr; }
    return &kTopics[static_cast<std::size_t>(number - 1)];
}

std::span<const HelpControl> helpControls() { return kControls; }

int helpTopicFor(std::string_view objectName) {
    for (const HelpControl& control : kControls) {
        if (control.objectName == objectName) { return control.topic; }
    }
    return 0;
}

std::string_view instructionFile(Instruction instruction) {
    switch (instruction) {
        case Instruction::FocusPart1: return "focus-part1.html";
        case Instruction::FocusPart2: return "focus-part2.html";
        case Instruction::FocusPart3: return "focus-part3.html";
        case Instruction::Greyscale: return "greyscale.html";
    }
    return {};
}

std::string_view instructionPictureFile(InstructionPicture picture) {
    switch (picture) {
        case InstructionPicture::CoarseExample: return "focus-coarse-example.png";
        case InstructionPicture::FineExample: return "focus-fine-example.png";
    }
    return {};
}

}  // namespace bw
