#pragma once
// Puts the captions of the window's controls into one language, from the
// caption table (controls are found by objectName).

class QWidget;

namespace bw::app {

// Sets every control of the caption table under `window` to the text the index selects.
void ApplyLanguage(QWidget* window, int languageIndex);

}  // namespace bw::app
