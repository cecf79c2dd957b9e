#include "dxf/DxfFullReader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>

#include "dxf/ArcGeometry.h"
#include "dxf/DxfDocument.h"
#include "dxf/DxfEntityFields.h"
#include "dxf/DxfItemSink.h"
#include "dxf/DxfLineScan.h"
#include "dxf/DxfNurbs.h"
#include "dxf/DxfTransform.h"
#include "dxf/Spline.h"

namespace bw {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kRadiansPerDegree = std::numbers::pi / 180;

// Millimetres per drawing unit for $INSUNITS; unset, unitless and unknown codes are millimetres.
double millimetresPerUnit(int insUnits) {
    switch (insUnits) {
        case 1: return 25.4;        // inches
        case 2: return 304.8;       // feet
        case 3: return 1609344.0;   // miles
        case 5: return 10.0;        // centimetres
        case 6: return 1000.0;      // metres
        case 7: return 1000000.0;   // kilometres
        case 8: return 0.0000254;   // microinches
        case 9: return 0.0254;      // mils
        case 10: return 914.4;      // yards
        case 11: return 0.0000001;  // angstroms
        case 12: return 0.000001;   // nanometres
        case 13: return 0.001;      // microns
        case 14: return 100.0;      // decimetres
        case 15: return 10000.0;    // decametres
        case 16: return 100000.0;   // hectometres
        default: return 1.0;
    }
}

#define BW_TRY(expr)                                                            \
    do {                                                                        \
        if (auto status_ = (expr); !status_) { return Error{status_.error()}; } \
    } while (false)

#define BW_ASSIGN(name, expr)                                    \
    auto name##Result_ = (expr);                                 \
    if (!name##Result_) { return Error{name##Result_.error()}; } \
    auto name = *name##Result_  // NOLINT(bugprone-macro-parentheses): a declared name takes no parentheses

// How many pieces a range of entities gives: `straight` counts lines, arcs and
// circles; `curve` x sqrt(scale) the pieces of curves cut within the chord error,
// which grow with the root of the size.
struct PieceEstimate {
    double straight = 0;
    double curve = 0;
    PieceEstimate& operator+=(const PieceEstimate& o) {
        straight += o.straight;
        curve += o.curve;
        return *this;
    }
};

class Expander {
public:
    Expander(const DxfDocument& doc, double chordError, std::size_t maxPieces, std::vector<TItem>& items,
             DxfFullReadSummary& summary)
        : doc_(doc),
          sink_(items, chordError, maxPieces),
          summary_(summary),
          blockState_(doc.blocks.size(), 0),
          blockEstimate_(doc.blocks.size()) {
        kinds_.reserve(doc.records.size());
        for (const DxfRecord& r : doc.records) { kinds_.push_back(kindOf(r.name)); }
    }

    Status run() {
        double unit = millimetresPerUnit(doc_.insUnits);
        DxfTransform world = unit == 1 ? DxfTransform::identity() : DxfTransform::scale(unit, unit, unit);
        BW_ASSIGN(estimate, estimateRange(doc_.firstEntity, doc_.entityCount, false, 0));
        double total = estimate.straight + estimate.curve * std::sqrt(unit);
        if (total > static_cast<double>(sink_.maxPieces())) { return sink_.tooManyPieces(); }
        countSkipped();
        return expandRange(doc_.firstEntity, doc_.entityCount, world, false);
    }

private:
    // ---- visibility -------------------------------------------------------

    bool isCut(const DxfRecord& r, bool inBlock) const {
        if (!inBlock && r.paperSpace) { return false; }
        if (doc_.hiddenLayers.empty()) { return true; }
        std::string name = r.layer.empty() ? std::string("0") : DxfUpper(r.layer);
        // Block entities on layer 0 take the layer of their insert, which is cut.
        if (inBlock && name == "0") { return true; }
        return !doc_.hiddenLayers.contains(name);
    }

    enum class Kind { Line, Circle, Arc, Spline, LwPolyline, Polyline, Ellipse, Insert, Bookkeeping, Other };

    static Kind kindOf(std::string_view name) {
        static constexpr std::pair<std::string_view, Kind> kKinds[] = {
            {"LINE", Kind::Line},         {"CIRCLE", Kind::Circle},         {"ARC", Kind::Arc},
            {"SPLINE", Kind::Spline},     {"LWPOLYLINE", Kind::LwPolyline}, {"POLYLINE", Kind::Polyline},
            {"ELLIPSE", Kind::Ellipse},   {"INSERT", Kind::Insert},         {"VERTEX", Kind::Bookkeeping},
            {"SEQEND", Kind::Bookkeeping}};
        for (const auto& [kindName, kind] : kKinds) {
            if (IsDxfName(name, kindName)) { return kind; }
        }
        return Kind::Other;
    }

    // The kinds that are never read, counted once per appearance in the file.
    void countSkipped() {
        for (std::size_t i = 0; i < doc_.records.size(); ++i) {
            if (kinds_[i] == Kind::Other) { summary_.skipped.add(doc_.records[i].name); }
        }
    }

    // ---- counting before the work -------------------------------------------

    Result<PieceEstimate> estimateRange(std::size_t first, std::size_t count, bool inBlock, int depth) {
        PieceEstimate sum;
        for (std::size_t i = first; i < first + count; ++i) {
            const DxfRecord& r = doc_.records[i];
            Kind kind = kinds_[i];
            if (kind == Kind::Other || kind == Kind::Bookkeeping || !isCut(r, inBlock)) { continue; }
            if (kind == Kind::Line || kind == Kind::Circle || kind == Kind::Arc) {
                sum.straight += 1;
                continue;
            }
            if (kind == Kind::LwPolyline || kind == Kind::Spline) {
                // One piece per vertex or control point (a rational curve is counted again as it is cut).
                const DxfPackedGroup* g = doc_.groups.data() + r.firstGroup;
                for (std::size_t k = 0; k < r.groupCount; ++k) { sum.straight += g[k].code == 10 ? 1 : 0; }
                continue;
            }
            DxfEntityFields f(doc_, r);
            switch (kind) {
                case Kind::Polyline:
                    while (i + 1 < first + count && kinds_[i + 1] == Kind::Bookkeeping) {
                        ++i;
                        sum.straight += 1;
                    }
                    break;
                case Kind::Ellipse: {
                    BW_ASSIGN(major, f.point(11));
                    double a = std::sqrt(major.x * major.x + major.y * major.y + major.z * major.z);
                    sum.curve += kTwoPi * std::sqrt(a / (8 * sink_.chordError())) + 1;
                    break;
                }
                case Kind::Insert: {
                    BW_ASSIGN(blockIndex, lookUpBlock(f, r));
                    if (depth >= kMaxDxfBlockDepth) { return nestedTooDeep(r); }
                    if (blockState_[blockIndex] == 1) { return cycle(blockIndex); }
                    if (blockState_[blockIndex] == 0) {
                        blockState_[blockIndex] = 1;
                        const DxfBlock& block = doc_.blocks[blockIndex];
                        BW_ASSIGN(inner, estimateRange(block.firstRecord, block.recordCount, true, depth + 1));
                        blockEstimate_[blockIndex] = inner;
                        blockState_[blockIndex] = 2;
                    }
                    BW_ASSIGN(columns, f.whole(70, 1));
                    BW_ASSIGN(rows, f.whole(71, 1));
                    BW_ASSIGN(sx, f.number(41, 1));
                    BW_ASSIGN(sy, f.number(42, 1));
                    double copies =
                        static_cast<double>(std::max(1LL, columns)) * static_cast<double>(std::max(1LL, rows));
                    const PieceEstimate& inner = blockEstimate_[blockIndex];
                    sum.straight += copies * inner.straight;
                    sum.curve += copies * inner.curve * std::sqrt(std::max({std::abs(sx), std::abs(sy), 1e-300}));
                    break;
                }
                default: sum.straight += 1; break;
            }
            if (sum.straight + sum.curve > 1e18) { break; }  // far past any limit; stop adding
        }
        return sum;
    }

    Result<std::size_t> lookUpBlock(const DxfEntityFields& f, const DxfRecord& r) const {
        const DxfGroup* name = f.find(2);
        std::string key = name ? DxfUpper(name->value) : std::string();
        auto found = doc_.blockIndex.find(key);
        if (found == doc_.blockIndex.end()) {
            return Error{DxfLineLabel(name ? name->line : r.line) + "block " + DxfQuoted(key) + " is not defined"};
        }
        return found->second;
    }

    Error cycle(std::size_t blockIndex) const {
        const DxfBlock& block = doc_.blocks[blockIndex];
        return Error{DxfLineLabel(block.line) + "block " + DxfQuoted(block.name) + " inserts itself"};
    }

    static Error nestedTooDeep(const DxfRecord& r) {
        std::string message = DxfLineLabel(r.line) + "blocks are nested more than ";
        appendInteger(message, kMaxDxfBlockDepth);
        return Error{message + " levels deep"};
    }

    // ---- expansion ---------------------------------------------------------------

    Status expandRange(std::size_t first, std::size_t count, const DxfTransform& map, bool inBlock) {
        const std::size_t end = first + count;
        for (std::size_t i = first; i < end; ++i) {
            const DxfRecord& r = doc_.records[i];
            Kind kind = kinds_[i];
            if (kind == Kind::Other || kind == Kind::Bookkeeping) { continue; }
            DxfEntityFields f(doc_, r);
            bool cut = isCut(r, inBlock);
            if (kind == Kind::Polyline) {
                std::size_t vertexEnd = i + 1;
                while (vertexEnd < end && kinds_[vertexEnd] == Kind::Bookkeeping &&
                       IsDxfName(doc_.records[vertexEnd].name, "VERTEX")) {
                    ++vertexEnd;
                }
                if (cut) { BW_TRY(polyline(f, i + 1, vertexEnd, map)); }
                i = vertexEnd - 1;
                continue;
            }
            if (!cut) { continue; }
            Status done = entity(kind, f, r, map);
            if (!done) {
                // Geometry errors come without a line; the entity's line says where.
                if (done.error().rfind("line ", 0) == 0) { return done; }
                return Error{DxfLineLabel(r.line) + done.error()};
            }
        }
        return success();
    }

    Status entity(Kind kind, const DxfEntityFields& f, const DxfRecord& r, const DxfTransform& map) {
        switch (kind) {
            case Kind::Line: return line(f, map);
            case Kind::Circle: return circleOrArc(f, map, false);
            case Kind::Arc: return circleOrArc(f, map, true);
            case Kind::Spline: return spline(f, map);
            case Kind::LwPolyline: return lwPolyline(f, map);
            case Kind::Ellipse: return ellipse(f, map);
            case Kind::Insert: return insert(f, r, map);
            default: return success();
        }
    }

    Status line(const DxfEntityFields& f, const DxfTransform& map) {
        if (map.isIdentity()) {
            TItem* added = sink_.add();
            if (added == nullptr) { return sink_.tooManyPieces(); }
            TItem& item = *added;
            item.kind = DxfKind::Line;
            auto found = f.findAll(std::array{10, 20, 11, 21});
            Fixed4* targets[] = {&item.x1, &item.y1, &item.x2, &item.y2};
            for (std::size_t k = 0; k < found.size(); ++k) {
                if (!found[k]) { continue; }
                BW_ASSIGN(v, DxfEntityFields::fixed(*found[k], kDxfValueLimitRaw));
                *targets[k] = v;
            }
            item.startX = item.x1;
            item.startY = item.y1;
            item.endX = item.x2;
            item.endY = item.y2;
            return success();
        }
        BW_ASSIGN(a, f.point(10));
        BW_ASSIGN(b, f.point(11));
        DxfVector p = map.point(a), q = map.point(b);
        return sink_.line({p.x, p.y}, {q.x, q.y});
    }

    Status circleOrArc(const DxfEntityFields& f, const DxfTransform& map, bool isArc) {
        auto found = f.findAll(std::array{10, 20, 40, 50, 51, 210, 220, 230});
        DxfVector normal{0, 0, 1};
        if (found[5] || found[6] || found[7]) {
            BW_ASSIGN(n, f.extrusion());
            normal = n;
        }
        if (map.isIdentity() && IsDefaultExtrusion(normal)) {
            // Read as the line scanner reads it, so that plain drawings give the same items.
            TItem* added = sink_.add();
            if (added == nullptr) { return sink_.tooManyPieces(); }
            TItem& item = *added;
            item.kind = isArc ? DxfKind::Arc : DxfKind::Circle;
            Fixed4* targets[] = {&item.x, &item.y, &item.radius, &item.startAngle, &item.endAngle};
            for (std::size_t k = 0; k < (isArc ? 5u : 3u); ++k) {
                if (!found[k]) { continue; }
                BW_ASSIGN(v, DxfEntityFields::fixed(*found[k], k < 3 ? kDxfValueLimitRaw : kDxfAngleLimitRaw));
                *targets[k] = v;
            }
            if (isArc) { SetArcEndPoints(item); }
            return success();
        }
        BW_ASSIGN(centre, f.point(10));
        BW_ASSIGN(radius, f.number(40, 0));
        BW_ASSIGN(from, f.number(50, 0));
        BW_ASSIGN(to, f.number(51, 360));
        if (!(radius > 0)) { return success(); }
        DxfTransform entityMap = map.after(DxfTransform::ocs(normal));
        return sink_.mappedArc(entityMap, centre, radius, from * kRadiansPerDegree, to * kRadiansPerDegree, !isArc);
    }

    // One straight or bulged segment of a polyline, in its entity coordinate system.
    Status segment(const DxfTransform& map, DxfVector a, DxfVector b, double bulge) {
        double dx = b.x - a.x, dy = b.y - a.y;
        double chord = std::hypot(dx, dy);
        // An arc whose height over its chord is below a Fixed4 unit is cut as its chord.
        if (bulge == 0 || chord == 0 || std::abs(bulge) * chord / 2 < 0.00005) {
            DxfVector p = map.point(a), q = map.point(b);
            return sink_.line({p.x, p.y}, {q.x, q.y});
        }
        // Centre on the chord's left normal at signed distance (c / 2)(1 - b^2) / (2b).
        double offset = (chord / 2) * (1 - bulge * bulge) / (2 * bulge);
        double radius = (chord / 2) * (1 + bulge * bulge) / (2 * std::abs(bulge));
        DxfVector centre{(a.x + b.x) / 2 - dy / chord * offset, (a.y + b.y) / 2 + dx / chord * offset, a.z};
        double angleA = std::atan2(a.y - centre.y, a.x - centre.x);
        double angleB = std::atan2(b.y - centre.y, b.x - centre.x);
        // A positive bulge runs counter-clockwise from a to b.
        double from = bulge > 0 ? angleA : angleB;
        double to = from + SweepRadians(from, bulge > 0 ? angleB : angleA);
        return sink_.mappedArc(map, centre, radius, from, to, false);
    }

    Status lwPolyline(const DxfEntityFields& f, const DxfTransform& map) {
        BW_ASSIGN(normal, f.extrusion());
        BW_ASSIGN(elevation, f.number(38, 0));
        BW_ASSIGN(flags, f.whole(70, 0));
        struct Vertex {
            DxfVector p;
            double bulge = 0;
        };
        std::vector<Vertex> vertices;
        for (const DxfGroup& g : f) {
            if (g.code != 10 && g.code != 20 && g.code != 42) { continue; }
            BW_ASSIGN(v, DxfEntityFields::number(g));
            if (g.code == 10) {
                vertices.push_back({{v, 0, elevation}, 0});
            } else if (!vertices.empty()) {
                (g.code == 20 ? vertices.back().p.y : vertices.back().bulge) = v;
            }
        }
        DxfTransform entityMap = map.after(DxfTransform::ocs(normal));
        return vertexChain(entityMap, vertices.size(), (flags & 1) != 0, [&](std::size_t k) {
            return std::pair{vertices[k].p, vertices[k].bulge};
        });
    }

    template <typename VertexAt>
    Status vertexChain(const DxfTransform& map, std::size_t count, bool closed, VertexAt vertexAt) {
        if (count < 2) { return success(); }
        std::size_t segments = closed ? count : count - 1;
        for (std::size_t k = 0; k < segments; ++k) {
            auto [a, bulge] = vertexAt(k);
            auto [b, unused] = vertexAt((k + 1) % count);
            BW_TRY(segment(map, a, b, bulge));
        }
        return success();
    }

    Status polyline(const DxfEntityFields& f, std::size_t firstVertex, std::size_t endVertex, const DxfTransform& map) {
        BW_ASSIGN(flags, f.whole(70, 0));
        if ((flags & (16 | 64)) != 0) {
            // Polygon meshes and polyface meshes are surfaces, not outlines.
            summary_.skipped.add("POLYLINE");
            return success();
        }
        const bool is3d = (flags & 8) != 0;
        BW_ASSIGN(normal, f.extrusion());
        BW_ASSIGN(origin, f.point(10));
        struct Vertex {
            DxfVector p;
            double bulge = 0;
        };
        std::vector<Vertex> vertices;
        for (std::size_t v = firstVertex; v < endVertex; ++v) {
            DxfEntityFields vf(doc_, doc_.records[v]);
            BW_ASSIGN(vertexFlags, vf.whole(70, 0));
            if ((vertexFlags & 16) != 0) { continue; }  // a spline frame's control point, not on the curve
            BW_ASSIGN(p, vf.point(10));
            BW_ASSIGN(bulge, vf.number(42, 0));
            if (!is3d) { p.z = origin.z; }
            vertices.push_back({p, is3d ? 0 : bulge});
        }
        DxfTransform entityMap = is3d ? map : map.after(DxfTransform::ocs(normal));
        return vertexChain(entityMap, vertices.size(), (flags & 1) != 0, [&](std::size_t k) {
            return std::pair{vertices[k].p, vertices[k].bulge};
        });
    }

    Status ellipse(const DxfEntityFields& f, const DxfTransform& map) {
        BW_ASSIGN(normal, f.extrusion());
        BW_ASSIGN(centre, f.point(10));
        BW_ASSIGN(major, f.point(11));
        BW_ASSIGN(ratio, f.number(40, 1));
        BW_ASSIGN(from, f.number(41, 0));
        BW_ASSIGN(to, f.number(42, kTwoPi));
        double length = std::sqrt(normal.x * normal.x + normal.y * normal.y + normal.z * normal.z);
        DxfVector n{normal.x / length, normal.y / length, normal.z / length};
        DxfVector minor{ratio * (n.y * major.z - n.z * major.y), ratio * (n.z * major.x - n.x * major.z),
                        ratio * (n.x * major.y - n.y * major.x)};
        DxfVector c = map.point(centre), u = map.direction(major), v = map.direction(minor);
        to = std::abs(to - from) < 1e-12 ? from + kTwoPi : from + SweepRadians(from, to);
        return sink_.ellipse({c.x, c.y}, {u.x, u.y}, {v.x, v.y}, from, to);
    }

    Status spline(const DxfEntityFields& f, const DxfTransform& map) {
        std::vector<const DxfGroup*> knotGroups, weightGroups;
        std::vector<std::array<const DxfGroup*, 2>> pointGroups;
        bool fitPoints = false;
        for (const DxfGroup& g : f) {
            switch (g.code) {
                case 40: knotGroups.push_back(&g); break;
                case 41: weightGroups.push_back(&g); break;
                case 10: pointGroups.push_back({&g, nullptr}); break;
                case 20:
                    if (!pointGroups.empty()) { pointGroups.back()[1] = &g; }
                    break;
                case 11: fitPoints = true; break;
                default: break;
            }
        }
        if (pointGroups.empty()) {
            // Only fit points: the curve through them is not traced.
            if (fitPoints) {
                summary_.skipped.add("SPLINE");
            } else {
                ++summary_.skippedSplines;
            }
            return success();
        }
        const std::size_t m = pointGroups.size();
        const DxfGroup* degreeGroup = f.find(71);
        long long degree = static_cast<long long>(knotGroups.size()) - static_cast<long long>(m) - 1;
        if (degreeGroup) {
            BW_ASSIGN(d, f.whole(71, 0));
            degree = d;
        }
        if (degree < 1 || degree > kMaxSplineDegree || knotGroups.size() != m + static_cast<std::size_t>(degree) + 1 ||
            (!weightGroups.empty() && weightGroups.size() != m)) {
            ++summary_.skippedSplines;
            return success();
        }
        bool rational = false;
        std::vector<double> weights;
        for (const DxfGroup* g : weightGroups) {
            BW_ASSIGN(v, DxfEntityFields::number(*g));
            weights.push_back(v);
            rational = rational || v != weights.front();
        }
        if (weights.empty()) { weights.assign(m, 1.0); }
        const auto p = static_cast<std::size_t>(degree);
        TItem item;
        item.kind = DxfKind::Spline;
        item.knots.reserve(knotGroups.size());
        for (const DxfGroup* g : knotGroups) {
            BW_ASSIGN(knot, DxfEntityFields::fixed(*g, kDxfValueLimitRaw));
            item.knots.push_back(knot);
        }
        const std::vector<Fixed4>& k = item.knots;
        const auto ends = static_cast<std::ptrdiff_t>(p) + 1;
        bool clamped = std::all_of(k.begin(), k.begin() + ends, [&](Fixed4 v) { return v == k.front(); }) &&
                       std::all_of(k.end() - ends, k.end(), [&](Fixed4 v) { return v == k.back(); });
        if (!rational && clamped) {
            // The engine's own spline item: traced with the curve accuracy like every spline.
            item.controlPoints.reserve(m);
            for (auto [gx, gy] : pointGroups) {
                TPoint point;
                if (map.isIdentity()) {
                    BW_ASSIGN(x, DxfEntityFields::fixed(*gx, kDxfValueLimitRaw));
                    point.x = x;
                    if (gy) {
                        BW_ASSIGN(y, DxfEntityFields::fixed(*gy, kDxfValueLimitRaw));
                        point.y = y;
                    }
                } else {
                    BW_ASSIGN(x, DxfEntityFields::number(*gx));
                    double y = 0;
                    if (gy) {
                        BW_ASSIGN(yv, DxfEntityFields::number(*gy));
                        y = yv;
                    }
                    BW_ASSIGN(z, zOf(f, gx));
                    DxfVector q = map.point({x, y, z});
                    BW_ASSIGN(fx, DxfItemSink::toFixed(q.x));
                    BW_ASSIGN(fy, DxfItemSink::toFixed(q.y));
                    point = {fx, fy};
                }
                item.controlPoints.push_back(point);
            }
            if (!IsTraceableSpline(item)) {
                ++summary_.skippedSplines;
                return success();
            }
            item.startX = item.controlPoints.front().x;
            item.startY = item.controlPoints.front().y;
            item.endX = item.controlPoints.back().x;
            item.endY = item.controlPoints.back().y;
            return sink_.append(std::move(item));
        }
        DxfNurbs curve;
        curve.degree = static_cast<int>(degree);
        for (const DxfGroup* g : knotGroups) {
            BW_ASSIGN(v, DxfEntityFields::number(*g));
            curve.knots.push_back(v);
        }
        curve.weights = std::move(weights);
        for (auto [gx, gy] : pointGroups) {
            BW_ASSIGN(x, DxfEntityFields::number(*gx));
            double y = 0;
            if (gy) {
                BW_ASSIGN(yv, DxfEntityFields::number(*gy));
                y = yv;
            }
            BW_ASSIGN(z, zOf(f, gx));
            DxfVector q = map.point({x, y, z});
            curve.points.push_back({q.x, q.y});
        }
        if (!IsValidNurbs(curve)) {
            ++summary_.skippedSplines;
            return success();
        }
        auto points = FlattenNurbs(curve, sink_.chordError(), sink_.maxPieces());
        if (!points) { return sink_.tooManyPieces(); }
        return sink_.polyline(*points);
    }

    // The Z of a control point: the code 30 pair right after its 10 and 20.
    static Result<double> zOf(const DxfEntityFields& f, const DxfGroup* x) {
        for (const DxfGroup* g = x + 1; g < f.end() && g <= x + 2; ++g) {
            if (g->code == 30) { return DxfEntityFields::number(*g); }
            if (g->code == 10) { break; }
        }
        return 0.0;
    }

    Status insert(const DxfEntityFields& f, const DxfRecord& r, const DxfTransform& map) {
        BW_ASSIGN(blockIndex, lookUpBlock(f, r));
        const DxfBlock& block = doc_.blocks[blockIndex];
        // A block with nothing to cut may be arrayed a billion times: skip it, do not walk it.
        const PieceEstimate& estimate = blockEstimate_[blockIndex];
        if (estimate.straight == 0 && estimate.curve == 0) { return success(); }
        BW_ASSIGN(normal, f.extrusion());
        BW_ASSIGN(at, f.point(10));
        BW_ASSIGN(sx, f.number(41, 1));
        BW_ASSIGN(sy, f.number(42, 1));
        BW_ASSIGN(sz, f.number(43, 1));
        BW_ASSIGN(rotation, f.number(50, 0));
        BW_ASSIGN(columns, f.whole(70, 1));
        BW_ASSIGN(rows, f.whole(71, 1));
        BW_ASSIGN(columnSpacing, f.number(44, 0));
        BW_ASSIGN(rowSpacing, f.number(45, 0));
        const double angle = rotation * kRadiansPerDegree;
        const DxfTransform local = DxfTransform::translate(-block.baseX, -block.baseY, -block.baseZ)
                                       .then(DxfTransform::scale(sx, sy, sz))
                                       .then(DxfTransform::rotateZ(angle));
        const DxfTransform outer = DxfTransform::ocs(normal).then(map);
        const double c = std::cos(angle), s = std::sin(angle);
        for (long long row = 0; row < std::max(1LL, rows); ++row) {
            for (long long column = 0; column < std::max(1LL, columns); ++column) {
                // The grid turns with the insert; its spacing is not scaled.
                double ox = static_cast<double>(column) * columnSpacing, oy = static_cast<double>(row) * rowSpacing;
                DxfTransform placed =
                    local.then(DxfTransform::translate(at.x + c * ox - s * oy, at.y + s * ox + c * oy, at.z))
                        .then(outer);
                BW_TRY(expandRange(block.firstRecord, block.recordCount, placed, true));
            }
        }
        return success();
    }

    const DxfDocument& doc_;
    DxfItemSink sink_;
    DxfFullReadSummary& summary_;
    std::vector<int> blockState_;  // 0 not counted, 1 being counted, 2 counted
    std::vector<PieceEstimate> blockEstimate_;
    std::vector<Kind> kinds_;  // per record
};

}  // namespace

double DxfChordErrorFor(Fixed4 curveAccuracy) {
    constexpr double kFinest = 0.0001;  // one Fixed4 unit
    if (curveAccuracy.raw <= 0) { return kDxfChordError; }
    return std::clamp(curveAccuracy.toDouble(), kFinest, kDxfChordError);
}

Result<DxfFullReadSummary> ReadDxfDrawing(std::string_view text, double chordError, std::vector<TItem>& items,
                                          std::size_t maxPieces) {
    items.clear();
    Result<DxfDocument> doc = ReadDxfDocument(text);
    if (!doc) { return Error{doc.error()}; }
    if (!doc->entitiesFound) { return Error{"no ENTITIES section"}; }
    DxfFullReadSummary summary;
    items.reserve(doc->entityCount);
    Expander expander(*doc, chordError, maxPieces, items, summary);
    if (Status done = expander.run(); !done) {
        items.clear();
        return Error{done.error()};
    }
    return summary;
}

}  // namespace bw
