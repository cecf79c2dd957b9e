#pragma once
// The captions that the language switch rewrites, keyed by the controls'
// objectNames. A pair is shared by every control listed with it, so that one
// wording change reaches all tabs at once.

#include <span>
#include <string_view>
#include <vector>

#include "i18n/TextPair.h"

namespace bw {

// A control whose caption switches. For a tab control, `page` names one of its
// tab sheets (counted from 0); for any other control it is kWholeControl.
struct CaptionTarget {
    static constexpr int kWholeControl = -1;

    std::string_view objectName;  // the Qt objectName of the control
    int page = kWholeControl;     // tab index within `objectName`, or kWholeControl

    friend bool operator==(const CaptionTarget&, const CaptionTarget&) = default;
};

struct CaptionEntry {
    TextPair text;                        // the caption in both languages
    std::vector<CaptionTarget> controls;  // every control that shows it
};

// One caption to set: what ApplyLanguage does for one control.
struct CaptionAssignment {
    CaptionTarget target;   // the control, or the tab of a tab control
    std::string_view text;  // its caption in the chosen language
};

// The whole table, pairs in the order of their first use in the window.
std::span<const CaptionEntry> captionTable();

// The entry that gives `target` its caption, or nullptr when the control keeps
// its design-time caption.
const CaptionEntry* captionEntryFor(const CaptionTarget& target);

// Every caption of the table in the language `languageIndex` selects, one per control.
std::vector<CaptionAssignment> captionsFor(int languageIndex);

}  // namespace bw
