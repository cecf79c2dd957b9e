#include "dxf/DxfReader.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>

#include "common/QuotedText.h"
#include "dxf/ArcGeometry.h"
#include "dxf/ComputeDrawingBox.h"
#include "dxf/DxfFullReader.h"
#include "dxf/DxfGroupReader.h"
#include "dxf/DxfLineScan.h"
#include "dxf/DxfTexts.h"
#include "dxf/Spline.h"
#include "i18n/MessageTexts.h"

namespace bw {

namespace {

constexpr std::uint32_t kNoValue = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kNotFound = std::numeric_limits<std::size_t>::max();

// The texts the reader searches for. Entity names and "ENTITIES" match in any
// letter case; group codes are digits and need the leading space.
enum Key : std::uint8_t { Circle, Line, Arc, SplineName, G10, G20, G11, G21, G40, G50, G51, G72, G73, KeyCount, None };

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool equalsUpper(std::string_view line, std::string_view upperText) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (upper(line[i]) != upperText[i]) { return false; }
    }
    return true;
}

Key classify(std::string_view line) {
    switch (line.size()) {
        case 3:
            if (line[0] == ' ') {
                switch ((line[1] << 8) | line[2]) {
                    case ('1' << 8) | '0': return G10;
                    case ('2' << 8) | '0': return G20;
                    case ('1' << 8) | '1': return G11;
                    case ('2' << 8) | '1': return G21;
                    case ('4' << 8) | '0': return G40;
                    case ('5' << 8) | '0': return G50;
                    case ('5' << 8) | '1': return G51;
                    case ('7' << 8) | '2': return G72;
                    case ('7' << 8) | '3': return G73;
                    default: return None;
                }
            }
            return equalsUpper(line, "ARC") ? Arc : None;
        case 4: return equalsUpper(line, "LINE") ? Line : None;
        case 6: return equalsUpper(line, "CIRCLE") ? Circle : equalsUpper(line, "SPLINE") ? SplineName : None;
        default: return None;
    }
}

// Every line holding one group code, in file order, with where its value line starts.
struct Occurrences {
    std::vector<std::uint32_t> lines;
    std::vector<std::uint32_t> valueOffsets;  // kNoValue when the code is the file's last line
    std::size_t cursor = 0;

    // The first occurrence at or after line `from`: gallops forward from the last
    // answer (reading moves forward) and falls back to a binary search behind it.
    std::size_t find(std::uint32_t from) {
        const std::size_t n = lines.size();
        std::size_t c = std::min(cursor, n);
        std::size_t lo = 0;
        std::size_t hi = c;
        if (c == 0 || lines[c - 1] < from) {
            lo = c;
            std::size_t probe = c;
            std::size_t step = 1;
            while (probe < n && lines[probe] < from) {
                lo = probe + 1;
                probe = c + step;
                step <<= 1;
            }
            hi = std::min(probe + 1, n);
        }
        c = static_cast<std::size_t>(std::lower_bound(lines.begin() + static_cast<std::ptrdiff_t>(lo),
                                                      lines.begin() + static_cast<std::ptrdiff_t>(hi), from) -
                                     lines.begin());
        cursor = c;
        return c < n ? c : kNotFound;
    }
};

// Group codes and the fields they fill, in reading order.
using Fields = std::initializer_list<std::pair<Key, Fixed4*>>;

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    Result<DxfReadSummary> run(std::vector<TItem>& items) {
        items.clear();
        if (!scan()) { return Error{"the file is too large"}; }
        if (!entitiesFound_) { return Error{"no ENTITIES section"}; }
        DxfReadSummary summary;
        summary.skipped = skippedKinds_.counted();
        items.reserve(entityLines_.size());  // grown once: no copies of half the drawing on the way
        for (std::size_t e = 0; e < entityLines_.size(); ++e) {
            TItem& item = items.emplace_back();
            item.kind = entityKinds_[e];
            Status read = readEntity(entityLines_[e], item);
            if (!read) { return Error{read.error()}; }
            if (skip_) {
                items.pop_back();
                ++summary.skippedSplines;
                skip_ = false;
            }
        }
        return summary;
    }

private:
    // One pass over the text: line numbers of the entity names after the first
    // "ENTITIES" line and of every group code the reader looks for.
    bool scan() {
        const char* data = text_.data();
        const std::size_t size = text_.size();
        if (size >= kNoValue) { return false; }
        std::size_t begin = 0;
        std::uint32_t lineIndex = 0;
        int pendingValue = -1;  // key whose last occurrence waits for its value line
        while (begin < size) {
            std::size_t end = FindDxfLineEnd(data, begin, size);
            std::string_view line(data + begin, end - begin);
            skippedKinds_.line(line);
            if (pendingValue >= 0) {
                occurrences_[pendingValue].valueOffsets.back() = static_cast<std::uint32_t>(begin);
                pendingValue = -1;
            }
            if (!entitiesFound_) {
                if (line.size() == 8 && equalsUpper(line, "ENTITIES")) { entitiesFound_ = true; }
            } else if (line.size() >= 3 && line.size() <= 6) {
                Key key = classify(line);
                if (key <= SplineName) {
                    entityLines_.push_back(lineIndex);
                    entityKinds_.push_back(static_cast<std::uint8_t>(key + 1));
                } else if (key < KeyCount) {
                    occurrences_[key].lines.push_back(lineIndex);
                    occurrences_[key].valueOffsets.push_back(kNoValue);
                    pendingValue = key;
                }
            }
            if (end < size && data[end] == '\r' && end + 1 < size && data[end + 1] == '\n') { ++end; }
            begin = end + 1;
            if (++lineIndex == kNoValue) { return false; }
        }
        return true;
    }

    std::string_view lineAt(std::uint32_t offset) const {
        std::size_t end = offset;
        while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n') { ++end; }
        return text_.substr(offset, end - offset);
    }

    // The bad text as the message shows it: quoted, escaped, and cut short when long.
    static std::string quoted(std::string_view text) { return QuoteForMessage(text); }

    static std::string lineLabel(std::uint32_t codeLine) {
        std::string label = "line ";
        appendInteger(label, std::int64_t(codeLine) + 2);  // the value line, counted from 1
        return label;
    }

    // The value of occurrence `index` of `key`, within +-limit.
    Result<Fixed4> value(Key key, std::size_t index, std::int64_t limit) const {
        const Occurrences& o = occurrences_[key];
        std::uint32_t codeLine = o.lines[index];
        std::uint32_t offset = o.valueOffsets[index];
        if (offset == kNoValue) { return Error{lineLabel(codeLine) + ": value missing at the end of the file"}; }
        std::string_view text = lineAt(offset);
        std::optional<Fixed4> number = ParseDxfNumber(text);
        if (!number) { return Error{lineLabel(codeLine) + ": " + quoted(text) + " is not a number"}; }
        if (number->raw > limit || number->raw < -limit) {
            return Error{lineLabel(codeLine) + ": " + quoted(text) + " is out of range"};
        }
        return *number;
    }

    // FindLine(code, from) and the value after it; the field stays as it is when no line matches.
    Status field(Key key, std::uint32_t from, Fixed4& target, std::int64_t limit = kDxfValueLimitRaw) {
        std::size_t index = occurrences_[key].find(from);
        if (index == kNotFound) { return success(); }
        Result<Fixed4> v = value(key, index, limit);
        if (!v) { return Error{v.error()}; }
        target = *v;
        return success();
    }

    Status readEntity(std::uint32_t line, TItem& item) {
        switch (item.kind) {
            case DxfKind::Circle: {
                for (auto [key, target] : Fields{{G10, &item.x}, {G20, &item.y}, {G40, &item.radius}}) {
                    if (Status s = field(key, line, *target); !s) { return s; }
                }
                return success();
            }
            case DxfKind::Line: {
                for (auto [key, target] : Fields{{G10, &item.x1}, {G20, &item.y1}, {G11, &item.x2}, {G21, &item.y2}}) {
                    if (Status s = field(key, line, *target); !s) { return s; }
                }
                item.startX = item.x1;
                item.startY = item.y1;
                item.endX = item.x2;
                item.endY = item.y2;
                return success();
            }
            case DxfKind::Arc: {
                for (auto [key, target] : Fields{{G10, &item.x}, {G20, &item.y}, {G40, &item.radius}}) {
                    if (Status s = field(key, line, *target); !s) { return s; }
                }
                if (Status s = field(G50, line, item.startAngle, kDxfAngleLimitRaw); !s) { return s; }
                if (Status s = field(G51, line, item.endAngle, kDxfAngleLimitRaw); !s) { return s; }
                SetArcEndPoints(item);
                return success();
            }
            default: return readSpline(line, item);
        }
    }

    // A count line: the number rounded to a whole number, halves to even.
    Result<std::int64_t> count(Key key, std::size_t index) const {
        Result<Fixed4> v = value(key, index, kDxfValueLimitRaw);
        if (!v) { return Error{v.error()}; }
        return static_cast<std::int64_t>(divRoundEven(v->raw, Fixed4::kScale));
    }

    Status readSpline(std::uint32_t line, TItem& item) {
        // Knots: the n lines after the first n " 40" codes from the " 72" line on.
        std::size_t countLine = occurrences_[G72].find(line);
        if (countLine == kNotFound) { return skip(); }
        Result<std::int64_t> knotCount = count(G72, countLine);
        if (!knotCount) { return Error{knotCount.error()}; }
        if (*knotCount < 0) { return skip(); }
        Occurrences& knots = occurrences_[G40];
        std::size_t first = knots.find(occurrences_[G72].lines[countLine]);
        std::size_t available = first == kNotFound ? 0 : knots.lines.size() - first;
        item.knots.reserve(static_cast<std::size_t>(std::min<std::int64_t>(*knotCount, std::int64_t(available))));
        for (std::int64_t k = 0; k < *knotCount; ++k) {
            if (std::size_t(k) >= available) { return skip(); }
            Result<Fixed4> knot = value(G40, first + std::size_t(k), kDxfValueLimitRaw);
            if (!knot) { return Error{knot.error()}; }
            item.knots.push_back(*knot);
        }
        // Control points: alternately the next " 10" and the next " 20", from the " 73" line on.
        std::size_t pointLine = occurrences_[G73].find(line);
        if (pointLine == kNotFound) { return skip(); }
        Result<std::int64_t> pointCount = count(G73, pointLine);
        if (!pointCount) { return Error{pointCount.error()}; }
        if (*pointCount < 0) { return skip(); }
        std::uint32_t pos = occurrences_[G73].lines[pointLine];
        for (std::int64_t k = 0; k < *pointCount; ++k) {
            TPoint point;
            for (auto [key, target] : Fields{{G10, &point.x}, {G20, &point.y}}) {
                std::size_t found = occurrences_[key].find(pos);
                if (found == kNotFound) { return skip(); }
                pos = occurrences_[key].lines[found] + 1;
                Result<Fixed4> v = value(key, found, kDxfValueLimitRaw);
                if (!v) { return Error{v.error()}; }
                *target = *v;
            }
            item.controlPoints.push_back(point);
        }
        if (!IsTraceableSpline(item)) { return skip(); }
        item.startX = item.controlPoints.front().x;
        item.startY = item.controlPoints.front().y;
        item.endX = item.controlPoints.back().x;
        item.endY = item.controlPoints.back().y;
        return success();
    }

    Status skip() {
        skip_ = true;
        return success();
    }

    std::string_view text_;
    bool entitiesFound_ = false;
    bool skip_ = false;
    std::vector<std::uint32_t> entityLines_;
    std::vector<std::uint8_t> entityKinds_;
    Occurrences occurrences_[KeyCount];
    ScannerSkippedKinds skippedKinds_;  // counted on the same walk over the lines
};

Result<std::string> readWholeFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return Error{error ? "cannot open the file: " + error.message() : "not a file"};
    }
    std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) { return Error{"cannot read the file: " + error.message()}; }
    if (size >= kNoValue) { return Error{"the file is too large"}; }
    std::ifstream in(path, std::ios::binary);
    if (!in) { return Error{"cannot open the file"}; }
    std::string content(static_cast<std::size_t>(size), '\0');
    in.read(content.data(), static_cast<std::streamsize>(size));
    if (static_cast<std::uintmax_t>(in.gcount()) != size) { return Error{"cannot read the file"}; }
    return content;
}

}  // namespace

Result<DxfReadSummary> ReadDxfEntities(std::string_view text, std::vector<TItem>& items) {
    Reader reader(text);
    return reader.run(items);
}

Result<DxfLoadSummary> LoadDxfFile(DxfState& dxf, const JobParameters& params, int languageIndex, char decimalSeparator,
                                   const DxfStatusCallback& status) {
    const std::string& path = dxf.dxfFileName;
    Result<std::string> content = readWholeFile(path);
    if (!content) { return Error{path + ": " + content.error()}; }
    if (status) { status(messageText(Message::OpeningFile, languageIndex)); }
    // Read aside: a broken or empty file must not replace the drawing on screen
    // with a half-read one that Generate would then cut.
    std::vector<TItem> items;
    DxfLoadSummary summary;
    if (params.readAllEntities) {
        auto read = ReadDxfDrawing(*content, DxfChordErrorFor(params.segmentLength), items);
        if (!read) { return Error{path + ": " + read.error()}; }
        summary.skippedSplines = read->skippedSplines;
        summary.skipped = std::move(read->skipped);
    } else {
        Result<DxfReadSummary> read = ReadDxfEntities(*content, items);
        if (!read) { return Error{path + ": " + read.error()}; }
        summary.skippedSplines = read->skippedSplines;
        summary.skipped = std::move(read->skipped);
    }
    summary.entities = items.size();
    if (items.empty()) { return summary; }
    SplineTrace trace;
    Result<DrawingBox> box = DrawingBoxOf(items, params.segmentLength, languageIndex, status, &trace);
    if (!box) { return Error{path + ": " + box.error()}; }
    dxf.dxfItems = std::move(items);
    dxf.drawingBox = *box;
    dxf.splineTrace = std::move(trace);
    dxf.view.viewPanX = 0;
    dxf.view.viewPanY = 0;
    dxf.view.viewScale = FitScale(*box, params.sourceWidthPx, params.sourceHeightPx);
    if (status) { status(DxfSizeText(box->width(), box->height(), decimalSeparator)); }
    return summary;
}

}  // namespace bw
