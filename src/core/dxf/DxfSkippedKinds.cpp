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

void ScannerSkippedKinds::otherCode(std::string_view text) {
    // A blank code line ends the pairs: quietly at the end of the file, as damage before it.
    stopped_ = !ParseDxfCode(TrimDxfText(text), code_);
    valueNext_ = !stopped_;
}

void ScannerSkippedKinds::value(std::string_view text) {
    const std::string_view value = TrimDxfText(text);
    if (section_ == Section::Name) {
        const bool counted = code_ == 2 && (IsDxfName(value, "ENTITIES") || IsDxfName(value, "BLOCKS"));
        section_ = counted ? Section::Counted : Section::Other;
        return;
    }
    if (IsDxfName(value, "SECTION")) {
        section_ = Section::Name;
    } else if (IsDxfName(value, "ENDSEC")) {
        section_ = Section::Outside;
    } else if (IsDxfName(value, "EOF")) {
        stopped_ = true;
    } else if (section_ == Section::Counted) {
        bool read = false;
        for (std::string_view known : {"LINE", "CIRCLE", "ARC", "SPLINE", "BLOCK", "ENDBLK", "VERTEX", "SEQEND"}) {
            read = read || IsDxfName(value, known);
        }
        if (!read) { skipped_.add(value); }
    }
}

DxfSkippedKinds CountScannerSkippedKinds(std::string_view text) {
    ScannerSkippedKinds counter;
    for (std::size_t begin = 0; begin < text.size();) {
        const std::size_t end = FindDxfLineEnd(text.data(), begin, text.size());
        counter.line(text.substr(begin, end - begin));
        begin = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
    }
    return counter.counted();
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
