#include "dxf/DxfTexts.h"

namespace bw {

namespace {

std::string_view pick(int languageIndex, std::string_view polish, std::string_view english) {
    return languageIndex == 0 ? polish : english;
}

}  // namespace

std::string_view DxfOpeningText(int languageIndex) {
    return pick(languageIndex, "Otwieranie pliku. Czekaj...", "Opening the file. Please wait.");
}

std::string_view DxfExtremesText(int languageIndex) {
    return pick(languageIndex, "Obliczanie ekstremów", "Calcuationg the extreems");
}

std::string_view DxfPreviewText(int languageIndex) {
    return pick(languageIndex, "Rysowanie podglądu", "Drawing of the preview");
}

std::string_view DxfObjectText(int languageIndex) { return pick(languageIndex, "Obiekt nr", "Object number"); }

std::string DxfPercentText(std::string_view text, std::size_t index, std::size_t count) {
    std::string out(text);
    out += ": ";
    appendInteger(out, static_cast<std::int64_t>(divRoundEven(Int128(index + 1) * 100, Int128(count))));
    out += '%';
    return out;
}

std::string DxfSizeText(Fixed4 width, Fixed4 height, char decimalSeparator) {
    return "Size " + formatFixed(width, 1, decimalSeparator) + "x" + formatFixed(height, 1, decimalSeparator) + "mm";
}

}  // namespace bw
