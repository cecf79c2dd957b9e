#include "dxf/DxfGenerator.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "dxf/ArcGeometry.h"
#include "dxf/ChainPass.h"
#include "dxf/Spline.h"
#include "gcode/MoveEmitter.h"
#include "i18n/MessageTexts.h"
#include "job/NumericInput.h"

namespace bw {

namespace {

constexpr int kFullPower = 255;
constexpr std::int64_t kFar = 100;  // a rapid move is needed beyond 0.01 mm

// Ceiling of n / d for any signs, d != 0.
Int128 ceilDiv(Int128 n, Int128 d) {
    if (d < 0) {
        n = -n;
        d = -d;
    }
    Int128 q = n / d;
    if (n % d != 0 && n > 0) { ++q; }
    return q;
}

// Points of curved entities worked out once per run: every pass traces the
// same entities (only the direction of lines and arcs may change), so the
// passes after the first reuse a spline's points and an arc's end points
// instead of evaluating them again.
class CurvePoints {
public:
    // Only for runs of more than one pass; beyond a size limit points are evaluated each time.
    void prepare(std::size_t entities) { slot_.assign(entities, kNone); }

    template <typename Evaluate>
    TPoint arcPoint(std::uint32_t entity, const TItem& item, Fixed4 angle, Evaluate evaluate) {
        if (slot_.empty()) { return evaluate(angle); }
        if (slot_[entity] == kNone) {
            if (arcs_.size() >= kMaxArcs) { return evaluate(angle); }
            slot_[entity] = static_cast<std::uint32_t>(arcs_.size());
            arcs_.push_back({item.startAngle, evaluate(item.startAngle), item.endAngle, evaluate(item.endAngle)});
        }
        const ArcEnds& ends = arcs_[slot_[entity]];
        if (angle == ends.angle1) { return ends.point1; }
        if (angle == ends.angle2) { return ends.point2; }
        return evaluate(angle);
    }

    // The spline's points at its n + 1 trace parameters over the knot range, or
    // nullptr when they are not kept.
    template <typename Evaluate>
    const TPoint* splinePoints(std::uint32_t entity, const std::vector<Fixed4>& knots, std::int64_t n,
                               Evaluate evaluate) {
        if (slot_.empty()) { return nullptr; }
        if (slot_[entity] == kNone) {
            if (splinePoints_.size() + static_cast<std::size_t>(n) + 1 > kMaxSplinePoints) { return nullptr; }
            slot_[entity] = static_cast<std::uint32_t>(splinePoints_.size());
            for (std::int64_t j = 0; j <= n; ++j) { splinePoints_.push_back(evaluate(TraceParameter(knots, j, n))); }
        }
        return splinePoints_.data() + slot_[entity];
    }

private:
    static constexpr std::uint32_t kNone = UINT32_MAX;
    static constexpr std::size_t kMaxSplinePoints = std::size_t(1) << 22;  // 64 MB
    static constexpr std::size_t kMaxArcs = std::size_t(1) << 20;
    struct ArcEnds {
        Fixed4 angle1;
        TPoint point1;
        Fixed4 angle2;
        TPoint point2;
    };
    std::vector<std::uint32_t> slot_;  // per entity: its arc or its first spline point
    std::vector<ArcEnds> arcs_;
    std::vector<TPoint> splinePoints_;
};

class Tracer {
public:
    Tracer(const ProgramWriter& out, const DrawingBox& box, const SplineTrace& splines, Fixed4 segmentLength,
           int workFeed, int rapidFeed)
        : out_(out),
          box_(box),
          splines_(splines),
          segmentLength_(segmentLength),
          workFeed_(workFeed),
          rapidFeed_(rapidFeed) {}

    CurvePoints curves;

    Fixed4 z;
    TPoint position;  // the tracing position, box-relative

    void rapid(TPoint q) {
        LinearMove(out_, a_, {.motion = Motion::Rapid, .level = 0, .to = {q.x, q.y, z}, .feed = rapidFeed_});
        moved_ = true;
    }

    // The first move after the emitter's reset is printed as a rapid line to its
    // own end point. Were that a cut, the machine would travel over the first
    // piece with the laser off; so the run always begins with a rapid move to
    // where the first entity starts, even when the tracing position is there already.
    bool needsRapid(TPoint from, TPoint to) const { return !moved_ || Distance(from.x, from.y, to.x, to.y).raw > kFar; }

    void rapidWhenFar(TPoint q) {
        if (needsRapid(position, q)) {
            rapid(q);
            position = q;
        }
    }

    // Whether a move has been given to the emitter in this run.
    bool moved() const { return moved_; }

    // `entity` is the item's index in the drawing's list.
    void trace(const TItem& item, std::uint32_t entity) {
        switch (item.kind) {
            case DxfKind::Circle: traceCircle(item); return;
            case DxfKind::Line: traceLine(item); return;
            case DxfKind::Arc: traceArc(item, entity); return;
            case DxfKind::Spline: traceSpline(item, entity); return;
            default: return;
        }
    }

private:
    TPoint relative(Fixed4 x, Fixed4 y) const { return TPoint{x - box_.minX, y - box_.minY}; }

    void work(TPoint q) {
        LinearMove(out_, a_, {.motion = Motion::Work, .level = kFullPower, .to = {q.x, q.y, z}, .feed = workFeed_});
        moved_ = true;
    }

    void arc(bool clockwise, TPoint end, Fixed4 i, Fixed4 j, Fixed4 radius, Fixed4 angle1, Fixed4 angle2) {
        ArcMove(out_, a_,
                {.turn = clockwise ? ArcTurn::Clockwise : ArcTurn::Counterclockwise,
                 .level = kFullPower,
                 .to = {end.x, end.y, z},
                 .i = i,
                 .j = j,
                 .radius = radius,
                 .angle1 = angle1,
                 .angle2 = angle2,
                 .feed = workFeed_});
        moved_ = true;
    }

    // From the leftmost point through the bottom to the rightmost point and back over the top.
    void traceCircle(const TItem& item) {
        TPoint centre = relative(item.x, item.y);
        rapidWhenFar(TPoint{centre.x - item.radius, centre.y});
        arc(false, TPoint{centre.x + item.radius, position.y}, centre.x - position.x, Fixed4{}, item.radius, Fixed4{},
            Fixed4{});
        arc(false, TPoint{centre.x - item.radius, position.y}, -item.radius, Fixed4{}, item.radius, Fixed4{}, Fixed4{});
    }

    void traceLine(const TItem& item) {
        rapidWhenFar(relative(item.x1, item.y1));
        TPoint end = relative(item.x2, item.y2);
        work(end);
        position = end;
    }

    void traceArc(const TItem& item, std::uint32_t entity) {
        TPoint centre = relative(item.x, item.y);
        auto evaluate = [&](Fixed4 angle) { return ArcPoint(centre.x, centre.y, item.radius, angle); };
        TPoint start = curves.arcPoint(entity, item, item.endAngle, evaluate);
        TPoint end = curves.arcPoint(entity, item, item.startAngle, evaluate);
        bool far = needsRapid(start, position);
        position = end;
        if (far) { rapid(start); }
        arc(item.clockwise, end, centre.x - start.x, centre.y - start.y, item.radius, item.startAngle, item.endAngle);
    }

    void traceSpline(const TItem& item, std::uint32_t entity) {
        if (!IsTraceableSpline(item)) { return; }
        std::int64_t n = *SplinePieces(item, segmentLength_);  // checked before the run
        // Points 0 .. n along the spline, one rapid onto the first when far, work to the others.
        auto cut = [&](auto pointAt) {
            rapidWhenFar(pointAt(0));
            for (std::int64_t j = 1; j <= n; ++j) {
                const TPoint q = pointAt(j);
                work(q);
                position = q;
            }
        };
        // Points worked out with the drawing's box need no evaluation.
        if (const TPoint* kept = splines_.points(entity, segmentLength_, n)) {
            cut([&](std::int64_t j) { return relative(kept[j].x, kept[j].y); });
            return;
        }
        SplineEvaluator spline(item);
        auto at = [&](Fixed4 t) {
            TPoint p = spline.at(t);
            return relative(p.x, p.y);
        };
        if (const TPoint* points = curves.splinePoints(entity, item.knots, n, at)) {
            cut([&](std::int64_t j) { return points[j]; });
            return;
        }
        cut([&](std::int64_t j) { return at(TraceParameter(item.knots, j, n)); });
    }

    ProgramWriter out_;
    DrawingBox box_;
    const SplineTrace& splines_;
    Fixed4 segmentLength_;
    int workFeed_;
    int rapidFeed_;
    Fixed4 a_;            // the run's DIR-axis position
    bool moved_ = false;  // a move has been given to the emitter in this run
};

// The picks of a pass depend only on the entities, which every pass gets back
// as they were, and on where the pass starts (once the run has moved): a pass
// that starts where an earlier one did makes the same picks, so they are
// repeated instead of searched for again. Passes often end where the one
// before the last ended, so a few starts are kept.
class PassPicks {
public:
    // The picks of an earlier pass from `start`, or null.
    const std::vector<ChainPick>* recorded(TPoint start) const {
        for (const Recorded& pass : passes_) {
            if (pass.start.x == start.x && pass.start.y == start.y) { return &pass.picks; }
        }
        return nullptr;
    }
    // Room for the picks of a pass from `start`, or null when enough are kept.
    std::vector<ChainPick>* record(TPoint start, std::size_t picks) {
        if (passes_.size() == kKept) { return nullptr; }
        passes_.push_back(Recorded{start, {}});
        passes_.back().picks.reserve(picks);
        return &passes_.back().picks;
    }

private:
    static constexpr std::size_t kKept = 4;
    struct Recorded {
        TPoint start;
        std::vector<ChainPick> picks;
    };
    std::vector<Recorded> passes_;
};

// Passes the run will make: ceil(T / L) + 1 (1 without layers), plus the finishing pass.
Int128 passCount(const JobParameters& params) {
    if (params.materialThickness.raw < 0) { return 0; }
    Int128 passes = params.layerDepth.raw == 0 ? 1 : ceilDiv(params.materialThickness.raw, params.layerDepth.raw) + 1;
    return params.finishingPass ? passes + 1 : passes;
}

Status checkRun(const JobParameters& params, const std::vector<TItem>& items) {
    if (params.layerDepth.raw < 0) { return Error{"The layer depth must not be negative"}; }
    Int128 passes = passCount(params);
    if (passes > kMaxDxfPasses) {
        std::string message = "The thickness and layer depth give more than ";
        appendInteger(message, kMaxDxfPasses);
        return Error{message + " passes"};
    }
    Int128 movesPerPass = 0;
    for (const TItem& item : items) {
        movesPerPass += item.kind == DxfKind::Circle ? 3 : 2;
        if (item.kind != DxfKind::Spline) { continue; }
        Result<std::int64_t> pieces = SplinePieces(item, params.segmentLength);
        if (!pieces) { return Error{pieces.error()}; }
        movesPerPass += *pieces;
    }
    if (passes * movesPerPass > kMaxDxfMoves) {
        std::string message = "The program would have more than ";
        appendInteger(message, kMaxDxfMoves);
        return Error{message + " moves; use fewer passes or a larger segment length"};
    }
    return success();
}

}  // namespace

Status GenerateDxfProgram(const ProgramWriter& out, const JobParameters& params, const DxfState& drawing,
                          int languageIndex, const DxfStatusCallback& status) {
    Result<std::int32_t> workFeed = parseFeed(params.workFeedText, "Working feed");
    if (!workFeed) { return Error{workFeed.error()}; }
    Result<std::int32_t> rapidFeed = parseFeed(params.rapidFeedText, "Rapid feed");
    if (!rapidFeed) { return Error{rapidFeed.error()}; }
    const DrawingBox& box = drawing.drawingBox;
    const std::vector<TItem>& items = drawing.dxfItems;
    if (Status checked = checkRun(params, items); !checked) { return checked; }

    const std::string_view objectText = messageText(Message::ObjectNumber, languageIndex);

    ResetEmitter(out);
    Tracer tracer(SteadyWriter(out), box, drawing.splineTrace, params.segmentLength, *workFeed, *rapidFeed);
    // The raw minimum, compared with box-relative points like any other position.
    tracer.position = TPoint{box.minX, box.minY};
    out.lines.clear();
    tracer.z = params.focusZ + params.materialThickness;
    out.lines.append(params.headerText);

    Fixed4 remaining = params.layerDepth.raw == 0 ? Fixed4{} : params.materialThickness;
    bool finishingPass = params.finishingPass;
    const ChainIndex index(items);  // end points are the same in every pass
    if (passCount(params) > 1) { tracer.curves.prepare(items.size()); }
    std::vector<TItem> passItems = items;  // what a pass changes is put back after it
    std::string statusText;
    PassPicks picks;
    bool done = remaining.raw < 0;  // a negative thickness makes no pass
    while (!done) {
        // At the focus plane: the last pass, unless the finishing pass repeats it.
        if (remaining.raw == 0) {
            done = !finishingPass;
            finishingPass = false;
        }
        const std::vector<ChainPick>* repeated = tracer.moved() ? picks.recorded(tracer.position) : nullptr;
        std::vector<ChainPick>* recording =
            repeated == nullptr && !done && tracer.moved() ? picks.record(tracer.position, passItems.size()) : nullptr;
        std::optional<ChainPass> chain;
        if (repeated == nullptr) { chain.emplace(passItems, box, index); }
        for (std::size_t k = 0; k < passItems.size(); ++k) {
            if (status) {
                statusText.assign(objectText);
                statusText += ": ";
                appendInteger(statusText, static_cast<std::int64_t>(k));
                status(statusText);
            }
            ChainPick pick;
            if (repeated != nullptr) {
                pick = (*repeated)[k];
                RepeatPick(passItems, pick);
            } else {
                pick = chain->next(tracer.position);
                if (recording != nullptr) { recording->push_back(pick); }
            }
            tracer.trace(passItems[pick.index], pick.index);
        }
        RestorePassItems(passItems, items);
        if (params.layerDepth < remaining) {
            remaining -= params.layerDepth;
            tracer.z -= params.layerDepth;
        } else if (remaining.raw > 0) {
            tracer.z -= remaining;
            remaining = Fixed4{};
        }
        tracer.rapid(tracer.position);
    }
    tracer.rapid(TPoint{});
    tracer.rapid(TPoint{Fixed4::fromInt(10), Fixed4::fromInt(-15)});
    out.lines.append(params.footerText);
    return success();
}

std::int64_t DxfPassCount(const JobParameters& params) {
    return static_cast<std::int64_t>(std::min<Int128>(passCount(params), kMaxDxfPasses + 1));
}

std::int64_t UpdatePassCount(std::string_view thicknessText, std::string_view layerText, bool finishingPass,
                             char decimalSeparator) {
    auto read = [&](std::string_view text) {
        return IsNonZeroNumber(text, decimalSeparator) ? parseDecimal(text, decimalSeparator)->raw : 0;
    };
    std::int64_t thickness = read(thicknessText);
    std::int64_t layer = read(layerText);
    Int128 count = layer != 0 ? ceilDiv(thickness, layer) + 1 : 1;
    if (finishingPass) { ++count; }
    return static_cast<std::int64_t>(count);
}

}  // namespace bw
