#pragma once
// Entity kinds a reading left out, counted by name, and the warning that says so:
// "Skipped: 12 LWPOLYLINE, 3 ELLIPSE, 1 INSERT".

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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
// bookkeeping such as VERTEX and SEQEND is not counted). A text that is not a
// well-formed DXF file counts what could be read before the damage.
DxfSkippedKinds CountScannerSkippedKinds(std::string_view text);

// "Skipped: 12 LWPOLYLINE, 3 ELLIPSE, 1 INSERT" followed by `hint` after a space
// when the hint is not empty; empty when nothing was skipped.
std::string DxfSkippedText(const DxfSkippedKinds& skipped, std::string_view prefix, std::string_view hint);

}  // namespace bw
