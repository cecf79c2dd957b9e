#pragma once
// Entity kinds a reading left out, counted by name, and the warning that says so:
// "Skipped: 12 LWPOLYLINE, 3 ELLIPSE, 1 INSERT".

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dxf/DxfGroupReader.h"

namespace bw {

class DxfSkippedKinds {
public:
    void add(std::string_view name, std::size_t count = 1);
    bool empty() const { return counts_.empty(); }
    std::size_t total() const;
    // Most frequent first; equal counts in the order first met.
    std::vector<std::pair<std::string, std::size_t>> sorted() const;

private:
    std::vector<std::pair<std::string, std::size_t>> counts_;  // upper-cased name, count; first met first
};

// The kinds of the ENTITIES and BLOCKS sections that the line scanner does not
// read (any kind but CIRCLE, LINE, ARC and SPLINE; block and polyline
// bookkeeping such as VERTEX and SEQEND is not counted). The file is taken as
// group code / value pairs; a text that is not a well-formed DXF file counts
// what could be read before the damage.
//
// It is fed the file's lines one by one (a line ends at CR, LF or CR LF), so
// that the line scanner counts while it walks the lines anyway.
class ScannerSkippedKinds {
public:
    // Inline: it runs for every line of the file, and most lines need a glance.
    void line(std::string_view text) {
        if (stopped_) { return; }
        if (valueNext_) {
            valueNext_ = false;
            if (code_ == 0 || section_ == Section::Name) { value(text); }
            return;
        }
        if (text.size() == 3 && ShortDxfCode(text[0], text[1], text[2], code_)) {
            valueNext_ = true;
            return;
        }
        otherCode(text);
    }
    const DxfSkippedKinds& counted() const { return skipped_; }

private:
    void value(std::string_view text);
    void otherCode(std::string_view text);

    enum class Section : std::uint8_t { Outside, Name, Counted, Other };
    DxfSkippedKinds skipped_;
    Section section_ = Section::Outside;
    int code_ = 0;
    bool valueNext_ = false;  // the next line is a value, the one after a group code
    bool stopped_ = false;    // the end, the damage or "EOF" was reached
};

// The same for a whole text.
DxfSkippedKinds CountScannerSkippedKinds(std::string_view text);

// "Skipped: 12 LWPOLYLINE, 3 ELLIPSE, 1 INSERT" followed by `hint` after a space
// when the hint is not empty; empty when nothing was skipped.
std::string DxfSkippedText(const DxfSkippedKinds& skipped, std::string_view prefix, std::string_view hint);

}  // namespace bw
