#pragma once
// Run-time messages in both languages. They are looked up at the moment they are
// shown, so a message takes the language current at that moment.

#include <span>
#include <string_view>

#include "i18n/TextPair.h"

namespace bw {

enum class Message {
    PreviewUnavailable,   // first line shown instead of a raster program too long to display
    GCodeTooLong,         // second line of the same
    ConfirmResetImage,    // question before "Reset image"
    OpeningFile,          // status while a DXF file is read
    DrawingPreview,       // status while DXF contours are built
    CalculatingExtremes,  // status while DXF contours are built (the drawing box)
    ObjectNumber,         // status while DXF G-code is generated, followed by the entity number
    PrintSize,            // status of the raster job, followed by the size in millimetres
    Skipped,              // status after a DXF load that left entity kinds out, before the counts
    SkippedHint,          // after the counts when the full reading was not chosen: where to choose it
};

inline constexpr int kMessageCount = 10;

const TextPair& messagePair(Message message);

// The message in the language `languageIndex` selects.
inline std::string_view messageText(Message message, int languageIndex) {
    return messagePair(message).text(languageIndex);
}

}  // namespace bw
