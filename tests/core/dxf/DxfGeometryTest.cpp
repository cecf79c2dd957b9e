#include <gtest/gtest.h>

#include <random>

#include "TestSupport.h"
#include "dxf/ArcGeometry.h"
#include "dxf/ComputeDrawingBox.h"
#include "dxf/Spline.h"

using namespace bw;
using bw::test::mm;

namespace {

TItem arc(double x, double y, double r, double a1, double a2) {
    TItem item;
    item.kind = DxfKind::Arc;
    item.x = mm(x);
    item.y = mm(y);
    item.radius = mm(r);
    item.startAngle = mm(a1);
    item.endAngle = mm(a2);
    return item;
}

TItem line(double x1, double y1, double x2, double y2) {
    TItem item;
    item.kind = DxfKind::Line;
    item.x1 = mm(x1);
    item.y1 = mm(y1);
    item.x2 = mm(x2);
    item.y2 = mm(y2);
    return item;
}

TItem spline(std::vector<double> knots, std::vector<std::pair<double, double>> points) {
    TItem item;
    item.kind = DxfKind::Spline;
    for (double k : knots) { item.knots.push_back(mm(k)); }
    for (auto [x, y] : points) { item.controlPoints.push_back(TPoint{mm(x), mm(y)}); }
    return item;
}

// The basis function exactly as the recursion reads, both lower terms always computed.
Int128 literalBasis(std::size_t i, int p, std::int64_t t, const std::vector<Fixed4>& k) {
    if (p == 0) { return (k[i].raw <= t && t < k[i + 1].raw) ? 10000 : 0; }
    Int128 lower = literalBasis(i, p - 1, t, k);
    Int128 upper = literalBasis(i + 1, p - 1, t, k);
    Int128 d1 = k[i + p].raw - k[i].raw;
    Int128 d2 = k[i + p + 1].raw - k[i + 1].raw;
    Int128 a = d1 != 0 ? divRoundEven((t - k[i].raw) * lower, d1) : 0;
    Int128 b = d2 != 0 ? divRoundEven((k[i + p + 1].raw - t) * upper, d2) : 0;
    return a + b;
}

TPoint literalPoint(const TItem& s, std::int64_t t) {
    const auto& k = s.knots;
    if (t >= k.back().raw) { t = k.back().raw - 1; }
    if (t <= k.front().raw) { t = k.front().raw + 1; }
    int p = static_cast<int>(k.size() - s.controlPoints.size()) - 1;
    Int128 x = 0, y = 0;
    for (std::size_t i = 0; i < s.controlPoints.size(); ++i) {
        Int128 n = literalBasis(i, p, t, k);
        x = divRoundEven(n * s.controlPoints[i].x.raw + x * 10000, 10000);
        y = divRoundEven(n * s.controlPoints[i].y.raw + y * 10000, 10000);
    }
    return TPoint{Fixed4::fromRaw(static_cast<std::int64_t>(x)), Fixed4::fromRaw(static_cast<std::int64_t>(y))};
}

}  // namespace

TEST(ArcGeometry, ArcFrom350To10IsSampledOverZero) {
    DrawingBox box = ArcBox(arc(0, 0, 10, 350, 10));
    EXPECT_EQ(box.minX, mm(9.8481));
    EXPECT_EQ(box.maxX, mm(10));
    EXPECT_EQ(box.minY, mm(-1.7365));
    EXPECT_EQ(box.maxY, mm(1.7365));
}

TEST(ArcGeometry, EqualAnglesGiveOnePointAndSamplesAreNotAligned) {
    DrawingBox point = ArcBox(arc(0, 0, 10, 45, 45));
    EXPECT_EQ(point.minX, point.maxX);
    EXPECT_EQ(point.minY, point.maxY);
    // 0.5 to 90.5 degrees: samples at 0.5, 1.5, ..., 89.5, 90.5; the top (90) is never sampled.
    DrawingBox shifted = ArcBox(arc(0, 0, 10, 0.5, 90.5));
    EXPECT_LT(shifted.maxY, mm(10));
    EXPECT_EQ(ArcPoint(mm(0), mm(0), mm(10), mm(90)).x, Fixed4{});  // 0.01745329 x 90 leaves 0.0000023 mm
}

TEST(Spline, SegmentCountsOfTheControlPolygon) {
    TPointArray square{{mm(0), mm(0)}, {mm(10), mm(0)}, {mm(10), mm(10)}, {mm(0), mm(10)}};
    EXPECT_EQ(SegmentCount(square, mm(0.5)), 60);
    EXPECT_EQ(SegmentCount(square, mm(0.7)), 43);
    EXPECT_EQ(SegmentCount(TPointArray{{mm(0), mm(0)}, {mm(0.2), mm(0)}}, mm(0.5)), 1);
    EXPECT_EQ(SegmentCount(TPointArray{{mm(3), mm(3)}, {mm(3), mm(3)}, {mm(3), mm(3)}}, mm(0.5)), 0);
}

TEST(Spline, ZeroSegmentLengthIsRefusedOnlyWhereSplinesAre) {
    TItem s = spline({0, 0, 1, 1}, {{0, 0}, {10, 0}});
    auto pieces = SplinePieces(s, Fixed4{});
    ASSERT_FALSE(pieces.ok());
    EXPECT_EQ(pieces.error(), "The segment length must be greater than 0 to trace splines");
    EXPECT_FALSE(SplinePieces(s, mm(-1)).ok());
    EXPECT_FALSE(SplinePieces(spline({0, 0, 1, 1}, {{0, 0}, {1000, 0}}), mm(0.0001)).ok());  // 10 million pieces
    auto ok = SplinePieces(s, mm(0.5));
    ASSERT_TRUE(ok.ok());
    EXPECT_EQ(*ok, 20);
    // Many splines that together exceed what a program may hold are refused by
    // their counts, before any of them is evaluated.
    std::vector<TItem> many(51, spline({0, 0, 1, 1}, {{0, 0}, {100, 0}}));  // 1 million pieces each
    auto box = DrawingBoxOf(many, mm(0.0001), 1, {});
    ASSERT_FALSE(box.ok());
    EXPECT_EQ(box.error(),
              "The drawing's splines need more than 50000000 straight pieces; increase the segment length");
}

TEST(Spline, BasisAndPointsAgreeWithTheRecursion) {
    std::mt19937 random(11);
    for (int n = 0; n < 3000; ++n) {
        int points = 1 + static_cast<int>(random() % 6);
        int degree = static_cast<int>(random() % 5);
        std::vector<double> knots;
        double k = static_cast<double>(random() % 3) * 0.5;
        for (int i = 0; i < points + degree + 1; ++i) {
            if (random() % 3 != 0) { k += static_cast<double>(random() % 7) * 0.125; }
            knots.push_back(k);
        }
        std::vector<std::pair<double, double>> controls;
        for (int i = 0; i < points; ++i) {
            controls.emplace_back(static_cast<int>(random() % 4000) / 10.0 - 200,
                                  static_cast<int>(random() % 4000) / 7.0);
        }
        TItem s = spline(knots, controls);
        ASSERT_TRUE(IsTraceableSpline(s));
        SplineEvaluator evaluator(s);
        for (int j = 0; j < 12; ++j) {
            std::int64_t t = static_cast<std::int64_t>(random() % 40000) - 5000;
            if (j == 0) { t = 0; }
            if (j == 1) { t = 10000; }
            for (std::size_t i = 0; i < s.controlPoints.size(); ++i) {
                ASSERT_EQ(BasisValue(i, degree, Fixed4::fromRaw(t), s.knots).raw,
                          static_cast<std::int64_t>(literalBasis(i, degree, t, s.knots)));
            }
            TPoint expected = literalPoint(s, t);
            TPoint actual = evaluator.at(Fixed4::fromRaw(t));
            ASSERT_EQ(actual, expected) << "spline " << n << " t " << t;
        }
    }
}

TEST(Spline, TraceRunsOverTheWholeKnotRange) {
    // Knots from 0 to 1 keep the parameters j / n.
    TItem unit = spline({0, 0, 1, 1}, {{0, 0}, {10, 0}});
    EXPECT_EQ(TraceParameter(unit.knots, 1, 3), Fixed4::fromRaw(3333));
    EXPECT_EQ(TraceParameter(unit.knots, 2, 3), Fixed4::fromRaw(6667));
    // Any other range: first knot + j x span / n, so knots 0..4 (as common
    // writers produce) and 2..3 are traced end to end.
    TItem wide = spline({0, 0, 4, 4}, {{0, 0}, {10, 0}});
    EXPECT_EQ(TraceParameter(wide.knots, 1, 3), Fixed4::fromRaw(13333));
    EXPECT_EQ(TraceParameter(wide.knots, 3, 3), mm(4));
    TItem late = spline({2, 2, 3, 3}, {{0, 0}, {10, 0}});
    EXPECT_EQ(TraceParameter(late.knots, 0, 4), mm(2));
    EXPECT_EQ(TraceParameter(late.knots, 1, 4), mm(2.25));
    EXPECT_EQ(TraceParameter(late.knots, 0, 0), mm(2));  // no pieces: the start
    auto box = [](const TItem& item) { return *DrawingBoxOf({item}, mm(0.5), 1, {}); };
    EXPECT_EQ(box(wide), (DrawingBox{mm(0), mm(10), mm(0), mm(0)}));
    // The ends are clamped one unit inside the knots: 0.001 mm in from each end here.
    EXPECT_EQ(box(late), (DrawingBox{mm(0.001), mm(9.999), mm(0), mm(0)}));
    EXPECT_EQ(SplineEvaluator(unit).at(mm(1)), (TPoint{mm(9.999), mm(0)}));
    EXPECT_EQ(SplineEvaluator(unit).at(Fixed4{}), (TPoint{mm(0.001), mm(0)}));
}

TEST(DrawingBox, TheFirstEntitySetsTheBox) {
    auto box = [](std::vector<TItem> items) { return *DrawingBoxOf(items, mm(0.5), 1, {}); };
    // Not 0..6: the box does not start from the origin.
    EXPECT_EQ(box({line(5, 5, 6, 7)}), (DrawingBox{mm(5), mm(6), mm(5), mm(7)}));
    TItem circle;
    circle.kind = DxfKind::Circle;
    circle.x = mm(50);
    circle.y = mm(50);
    circle.radius = mm(10);
    EXPECT_EQ(box({circle, line(0, 45, 1, 45)}), (DrawingBox{mm(0), mm(60), mm(40), mm(60)}));
    // An arc first: its sampled box (0..10 by sampling from 0 to 90 degrees).
    EXPECT_EQ(box({arc(0, 0, 10, 0, 90)}), (DrawingBox{mm(0), mm(10), mm(0), mm(10)}));
    // A spline first sets the box to its start (parameter 0.0001), then its trace points extend it.
    EXPECT_EQ(box({spline({0, 0, 1, 1}, {{3, 4}, {5, 4}})}), (DrawingBox{mm(3.0002), mm(4.9998), mm(4), mm(4)}));
    // While all four values are exactly 0 a later arc replaces the box instead of extending it.
    EXPECT_EQ(box({line(0, 0, 0, 0), arc(20, 20, 10, 0, 90)}), (DrawingBox{mm(20), mm(30), mm(20), mm(30)}));
    EXPECT_EQ(box({line(0, 0, 1, 0), arc(20, 20, 10, 0, 90)}), (DrawingBox{mm(0), mm(30), mm(0), mm(30)}));
}

TEST(DrawingBox, ReportsProgressInWholePercent) {
    std::vector<std::string> texts;
    std::vector<TItem> items{line(0, 0, 1, 1), line(1, 1, 2, 2), line(2, 2, 3, 3)};
    auto box = DrawingBoxOf(items, mm(0.5), 0, [&](std::string_view text) { texts.emplace_back(text); });
    ASSERT_TRUE(box.ok());
    EXPECT_EQ(texts, (std::vector<std::string>{"Obliczanie ekstremów: 0%", "Obliczanie ekstremów: 33%",
                                               "Obliczanie ekstremów: 67%", "Obliczanie ekstremów: 100%"}));
}
