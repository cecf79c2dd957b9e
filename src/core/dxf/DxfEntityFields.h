#pragma once
// The group pairs of one entity of the full DXF reading, unpacked once, with
// typed access: numbers, fixed-point coordinates within the scanner's limits,
// whole numbers, points and the extrusion direction. A value that does not
// convert gives an error naming its line.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "common/Fixed4.h"
#include "common/Result.h"
#include "dxf/DxfDocument.h"
#include "dxf/DxfGroupReader.h"
#include "dxf/DxfLineScan.h"
#include "dxf/DxfTransform.h"

namespace bw {

class DxfEntityFields {
public:
    // Unpacks the entity's pairs, into a buffer on the stack for the usual few.
    DxfEntityFields(const DxfDocument& doc, const DxfRecord& record) : count_(record.groupCount) {
        DxfGroup* target = local_.items;
        if (count_ > kLocal) {
            heap_.resize(count_);
            target = heap_.data();
        }
        const DxfPackedGroup* packed = doc.groups.data() + record.firstGroup;
        for (std::size_t i = 0; i < count_; ++i) { target[i] = doc.unpack(packed[i]); }
        groups_ = target;
    }
    DxfEntityFields(const DxfEntityFields&) = delete;
    DxfEntityFields& operator=(const DxfEntityFields&) = delete;

    const DxfGroup* begin() const { return groups_; }
    const DxfGroup* end() const { return groups_ + count_; }

    const DxfGroup* find(int code) const {
        for (const DxfGroup& g : *this) {
            if (g.code == code) { return &g; }
        }
        return nullptr;
    }

    static Result<double> number(const DxfGroup& g) {
        std::optional<double> v = DxfDouble(g.value);
        if (!v || !std::isfinite(*v)) { return Error{DxfLineLabel(g.line) + DxfQuoted(g.value) + " is not a number"}; }
        return *v;
    }

    // The first pair of each code, in one pass over the entity.
    template <std::size_t N>
    std::array<const DxfGroup*, N> findAll(const std::array<int, N>& codes) const {
        std::array<const DxfGroup*, N> found{};
        for (const DxfGroup& g : *this) {
            for (std::size_t k = 0; k < N; ++k) {
                if (g.code == codes[k] && found[k] == nullptr) { found[k] = &g; }
            }
        }
        return found;
    }

    Result<double> number(int code, double fallback) const {
        const DxfGroup* g = find(code);
        return g ? number(*g) : Result<double>(fallback);
    }

    // The value as the line scanner reads it, within its range limits.
    static Result<Fixed4> fixed(const DxfGroup& g, std::int64_t limit) {
        std::optional<Fixed4> v = ParseDxfNumber(g.value);
        if (!v) {
            std::optional<double> d = DxfDouble(g.value);
            if (!d || !std::isfinite(*d) || std::abs(*d) * Fixed4::kScale > 9e18) {
                return Error{DxfLineLabel(g.line) + DxfQuoted(g.value) + " is not a number"};
            }
            v = Fixed4::fromDouble(*d);
        }
        if (v->raw > limit || v->raw < -limit) {
            return Error{DxfLineLabel(g.line) + DxfQuoted(g.value) + " is out of range"};
        }
        return *v;
    }

    Result<Fixed4> fixed(int code, std::int64_t limit = kDxfValueLimitRaw) const {
        const DxfGroup* g = find(code);
        return g ? fixed(*g, limit) : Result<Fixed4>(Fixed4{});
    }

    Result<long long> whole(int code, long long fallback) const {
        const DxfGroup* g = find(code);
        if (!g) { return fallback; }
        Result<double> v = number(*g);
        if (!v) { return Error{v.error()}; }
        return static_cast<long long>(std::clamp(std::round(*v), -1e15, 1e15));
    }

    Result<DxfVector> extrusion() const {
        DxfVector n{0, 0, 1};
        for (auto [code, target] : {std::pair{210, &n.x}, {220, &n.y}, {230, &n.z}}) {
            Result<double> v = number(code, *target);
            if (!v) { return Error{v.error()}; }
            *target = *v;
        }
        if (n.x == 0 && n.y == 0 && n.z == 0) { n.z = 1; }
        return n;
    }

    Result<DxfVector> point(int xCode, DxfVector fallback = {}) const {
        DxfVector p = fallback;
        for (auto [code, target] : {std::pair{xCode, &p.x}, {xCode + 10, &p.y}, {xCode + 20, &p.z}}) {
            Result<double> v = number(code, *target);
            if (!v) { return Error{v.error()}; }
            *target = *v;
        }
        return p;
    }

private:
    static constexpr std::size_t kLocal = 16;
    // Left uninitialized: only the entity's own pairs are written and read.
    union Buffer {
        Buffer() {}
        DxfGroup items[kLocal];
    } local_;
    std::vector<DxfGroup> heap_;
    const DxfGroup* groups_ = nullptr;
    std::size_t count_;
};

}  // namespace bw
