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
    for (const auto& entry : counts_) {
        sum += entry.second;
    }
    return sum;
}

std::vector<std::pair<std::string, std::size_t>> DxfSkippedKinds::sorted() const {
    auto out = counts_;
    std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    return out;
}

DxfSkippedKinds CountScannerSkippedKinds(std::string_view text) {
    DxfSkippedKinds skipped;
    DxfGroupReader reader(text);
    enum { Outside, SectionName, Counted, OtherSection } state = Outside;
    while (true) {
        auto next = reader.next();
        if (!next || !*next) {
            break;
        }
        const DxfGroup& g = **next;
        if (state == SectionName) {
            std::string name = DxfUpper(g.value);
            state = (g.code == 2 && (name == "ENTITIES" || name == "BLOCKS")) ? Counted : OtherSection;
            continue;
        }
        if (g.code != 0) {
            continue;
        }
        std::string name = DxfUpper(g.value);
        if (name == "SECTION") {
            state = SectionName;
        } else if (name == "ENDSEC") {
            state = Outside;
        } else if (name == "EOF") {
            break;
        } else if (state == Counted && name != "LINE" && name != "CIRCLE" && name != "ARC" && name != "SPLINE" &&
                   name != "BLOCK" && name != "ENDBLK" && name != "VERTEX" && name != "SEQEND") {
            skipped.add(name);
        }
    }
    return skipped;
}

std::string DxfSkippedText(const DxfSkippedKinds& skipped, std::string_view prefix, std::string_view hint) {
    if (skipped.empty()) {
        return {};
    }
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
