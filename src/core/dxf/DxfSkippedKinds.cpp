#include "dxf/DxfSkippedKinds.h"

#include <algorithm>

#include "common/Fixed4.h"
#include "dxf/DxfDocument.h"
#include "dxf/DxfGroupReader.h"

namespace bw {

void DxfSkippedKinds::add(std::string_view name, std::size_t count) {
    std::string key = DxfUpper(name);
    for (auto& entry : counts_) {
        if (entry.first == key) {
            entry.second += count;
            return;
        }
    }
    counts_.emplace_back(std::move(key), count);
}

std::size_t DxfSkippedKinds::total() const {
    std::size_t sum = 0;
    for (const auto& entry : counts_) { sum += entry.second; }
    return sum;
}

std::vector<std::pair<std::string, std::size_t>> DxfSkippedKinds::sorted() const {
    auto out = counts_;
    std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    return out;
}

namespace {}  // namespace

DxfSkippedKinds CountScannerSkippedKinds(std::string_view text) {
    DxfSkippedKinds skipped;
    DxfGroupReader reader(text);
    enum { Outside, SectionName, Counted, OtherSection } state = Outside;
    DxfGroup g;
    while (reader.next(g)) {
        if (state == SectionName) {
            const bool counted = g.code == 2 && (IsDxfName(g.value, "ENTITIES") || IsDxfName(g.value, "BLOCKS"));
            state = counted ? Counted : OtherSection;
            continue;
        }
        if (g.code != 0) { continue; }
        if (IsDxfName(g.value, "SECTION")) {
            state = SectionName;
        } else if (IsDxfName(g.value, "ENDSEC")) {
            state = Outside;
        } else if (IsDxfName(g.value, "EOF")) {
            break;
        } else if (state == Counted) {
            bool read = false;
            for (std::string_view known : {"LINE", "CIRCLE", "ARC", "SPLINE", "BLOCK", "ENDBLK", "VERTEX", "SEQEND"}) {
                read = read || IsDxfName(g.value, known);
            }
            if (!read) { skipped.add(g.value); }
        }
    }
    return skipped;
}

std::string DxfSkippedText(const DxfSkippedKinds& skipped, std::string_view prefix, std::string_view hint) {
    if (skipped.empty()) { return {}; }
    std::string text(prefix);
    bool first = true;
    for (const auto& [name, count] : skipped.sorted()) {
        text += first ? " " : ", ";
        first = false;
        appendInteger(text, static_cast<std::int64_t>(count));
        text += ' ';
        text += name;
    }
    if (!hint.empty()) {
        text += ' ';
        text += hint;
    }
    return text;
}

}  // namespace bw
