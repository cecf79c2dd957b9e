#include "i18n/MessageTexts.h"

#include <array>

namespace bw {

const TextPair& messagePair(Message message) {
    // {Polish, English}, in the order of the enumeration.
    static constexpr std::array<TextPair, kMessageCount> kPairs = {{
        {"Podgląd niedostępny.", "Preview unavailable."},
        {"Zbyt długi g-kod.", "G-code too long."},
        {"Czy na pewno chcesz zrestartować obraz?", "Do you really want to reset the image?"},
        {"Otwieranie pliku. Czekaj...", "Opening the file. Please wait."},
        {"Rysowanie podglądu", "Drawing of the preview"},
        {"Obliczanie ekstremów", "Calcuationg the extreems"},
        {"Obiekt nr", "Object number"},
        {"Rozmiar wydruku", "Print size"},
        {"Pominięto:", "Skipped:"},
        {"(zaznacz 'Czytaj polilinie, elipsy i bloki')", "(tick 'Read polylines, ellipses and blocks')"},
    }};
    return kPairs[static_cast<std::size_t>(message)];
}

}  // namespace bw
