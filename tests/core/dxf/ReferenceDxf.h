#pragma once
// Direct implementations of the reader and the chaining, step by step as the
// rules read, without any index: slow (quadratic) and obviously right. The
// engine's indexed versions must give the same answers.

#include <string>
#include <vector>

#include "common/Result.h"
#include "dxf/ArcGeometry.h"
#include "dxf/ChainPass.h"
#include "dxf/DxfLineScan.h"
#include "dxf/DxfReader.h"
#include "dxf/Spline.h"

namespace bw::reference {

struct SkipSpline {};

class Reader {
public:
    explicit Reader(std::string_view text) : lines_(SplitDxfLines(text)) {}

    Result<DxfReadSummary> run(std::vector<TItem>& items) {
        items.clear();
        std::int64_t index = FindLine("ENTITIES", 0, lines_);
        if (index < 0) { return Error{"no ENTITIES section"}; }
        DxfReadSummary summary;
        int kind = NextEntity(lines_, index);
        while (kind >= 0) {
            TItem& item = items.emplace_back();
            item.kind = static_cast<std::uint8_t>(kind);
            item.used = false;
            try {
                read(index, item);
            } catch (const Error& error) { return error; } catch (const SkipSpline&) {
                items.pop_back();
                ++summary.skippedSplines;
            }
            index = index + 1;
            kind = NextEntity(lines_, index);
        }
        return summary;
    }

private:
    // The number on line i + 1 (the value of the code on line i), or a thrown error.
    Fixed4 number(std::int64_t i, std::int64_t limit = kDxfValueLimitRaw) const {
        std::string label = "line " + std::to_string(i + 2);
        if (i + 1 >= static_cast<std::int64_t>(lines_.size())) {
            throw Error{label + ": value missing at the end of the file"};
        }
        std::string_view text = lines_[static_cast<std::size_t>(i + 1)];
        std::string shown = text.size() <= 40 ? std::string(text) : std::string(text.substr(0, 40)) + "...";
        auto value = ToSystemNumber(text, ',');
        if (!value) { throw Error{label + ": '" + shown + "' is not a number"}; }
        if (value->raw > limit || value->raw < -limit) { throw Error{label + ": '" + shown + "' is out of range"}; }
        return *value;
    }

    void value(std::string_view code, std::int64_t index, Fixed4& field, std::int64_t limit = kDxfValueLimitRaw) {
        std::int64_t i = FindLine(code, index, lines_);
        if (i > 0) { field = number(i, limit); }
    }

    void read(std::int64_t index, TItem& item) {
        switch (item.kind) {
            case 1:
                value(" 10", index, item.x);
                value(" 20", index, item.y);
                value(" 40", index, item.radius);
                break;
            case 2:
                value(" 10", index, item.x1);
                value(" 20", index, item.y1);
                value(" 11", index, item.x2);
                value(" 21", index, item.y2);
                item.startX = item.x1;
                item.startY = item.y1;
                item.endX = item.x2;
                item.endY = item.y2;
                break;
            case 3: {
                value(" 10", index, item.x);
                value(" 20", index, item.y);
                value(" 40", index, item.radius);
                value(" 50", index, item.startAngle, kDxfAngleLimitRaw);
                value(" 51", index, item.endAngle, kDxfAngleLimitRaw);
                double a1 = static_cast<double>(item.startAngle.raw) * 0.01745329 / 10000.0;
                double a2 = static_cast<double>(item.endAngle.raw) * 0.01745329 / 10000.0;
                double x = static_cast<double>(item.x.raw);
                double y = static_cast<double>(item.y.raw);
                double r = static_cast<double>(item.radius.raw);
                item.endX = Fixed4::fromRaw(roundEven(x + r * std::cos(a1)));
                item.endY = Fixed4::fromRaw(roundEven(y + r * std::sin(a1)));
                item.startX = Fixed4::fromRaw(roundEven(x + r * std::cos(a2)));
                item.startY = Fixed4::fromRaw(roundEven(y + r * std::sin(a2)));
                item.clockwise = true;
                break;
            }
            case 4: readSpline(index, item); break;
        }
    }

    static std::int64_t whole(Fixed4 v) { return static_cast<std::int64_t>(divRoundEven(v.raw, 10000)); }

    void readSpline(std::int64_t index, TItem& item) {
        std::int64_t i = FindLine(" 72", index, lines_);
        if (i < 0) { throw SkipSpline{}; }
        std::int64_t n = whole(number(i));
        if (n < 0) { throw SkipSpline{}; }
        std::int64_t pos = i;
        for (std::int64_t k = 0; k < n; ++k) {
            std::int64_t found = FindLine(" 40", pos, lines_);
            if (found < 0) { throw SkipSpline{}; }
            item.knots.push_back(number(found));
            pos = found + 1;
        }
        std::int64_t j = FindLine(" 73", index, lines_);
        if (j < 0) { throw SkipSpline{}; }
        std::int64_t m = whole(number(j));
        if (m < 0) { throw SkipSpline{}; }
        pos = j;
        for (std::int64_t k = 0; k < m; ++k) {
            std::int64_t fx = FindLine(" 10", pos, lines_);
            if (fx < 0) { throw SkipSpline{}; }
            Fixed4 x = number(fx);
            pos = fx + 1;
            std::int64_t fy = FindLine(" 20", pos, lines_);
            if (fy < 0) { throw SkipSpline{}; }
            Fixed4 y = number(fy);
            pos = fy + 1;
            item.controlPoints.push_back(TPoint{x, y});
        }
        if (m == 0 || n < m + 1 || n - m - 1 > kMaxSplineDegree) { throw SkipSpline{}; }
        for (std::size_t k = 1; k < item.knots.size(); ++k) {
            if (item.knots[k] < item.knots[k - 1]) { throw SkipSpline{}; }
        }
        item.startX = item.controlPoints[0].x;
        item.startY = item.controlPoints[0].y;
        item.endX = item.controlPoints[static_cast<std::size_t>(m - 1)].x;
        item.endY = item.controlPoints[static_cast<std::size_t>(m - 1)].y;
    }

    std::vector<std::string_view> lines_;
};

inline Result<DxfReadSummary> ReadDxf(std::string_view text, std::vector<TItem>& items) {
    return Reader(text).run(items);
}

// One pick of the chaining, scanning every remaining entity.
inline ChainPick NextPick(std::vector<TItem>& items, const DrawingBox& box, TPoint p) {
    auto within = [](Fixed4 a, Fixed4 b) { return (a - b).raw < 100 && (b - a).raw < 100; };
    auto nearStart = [&](const TItem& e) {
        return within(e.startX - box.minX, p.x) && within(e.startY - box.minY, p.y);
    };
    auto nearEnd = [&](const TItem& e) { return within(e.endX - box.minX, p.x) && within(e.endY - box.minY, p.y); };
    std::int64_t chosen = -1;
    bool reverse = false;
    for (std::size_t i = 0; i < items.size() && chosen < 0; ++i) {
        if (!items[i].used && (nearStart(items[i]) || nearEnd(items[i]))) { chosen = static_cast<std::int64_t>(i); }
    }
    if (chosen < 0) {
        for (std::size_t e = 0; e < items.size() && chosen < 0; ++e) {
            if (items[e].used) { continue; }
            int s = 0;
            int t = 0;
            for (std::size_t f = 0; f < items.size() && (s < 2 || t < 2); ++f) {
                if (items[f].used) { continue; }
                TPoint fs{items[f].startX, items[f].startY};
                TPoint fe{items[f].endX, items[f].endY};
                TPoint es{items[e].startX, items[e].startY};
                TPoint ee{items[e].endX, items[e].endY};
                if (fs == es || fe == es) { ++s; }
                if (fs == ee || fe == ee) { ++t; }
            }
            if (s == 1 || t == 1) {
                chosen = static_cast<std::int64_t>(e);
                reverse = s >= 2;
            }
        }
    }
    if (chosen < 0) {
        for (std::size_t i = 0; i < items.size() && chosen < 0; ++i) {
            if (!items[i].used) { chosen = static_cast<std::int64_t>(i); }
        }
        reverse = true;
    }
    TItem& item = items[static_cast<std::size_t>(chosen)];
    if (nearEnd(item)) { reverse = true; }
    if (reverse && item.kind == 2) {
        std::swap(item.x1, item.x2);
        std::swap(item.y1, item.y2);
    }
    if (reverse && item.kind == 3) {
        std::swap(item.startAngle, item.endAngle);
        item.clockwise = false;
    }
    item.used = true;
    return ChainPick{static_cast<std::uint32_t>(chosen), reverse};
}

}  // namespace bw::reference
