#include <gtest/gtest.h>

#include <random>

#include "ReferenceDxf.h"
#include "TestSupport.h"
#include "dxf/ChainPass.h"
#include "dxf/ComputeDrawingBox.h"

using namespace bw;
using bw::test::mm;

namespace {

TItem line(double x1, double y1, double x2, double y2) {
    TItem item;
    item.kind = DxfKind::Line;
    item.x1 = item.startX = mm(x1);
    item.y1 = item.startY = mm(y1);
    item.x2 = item.endX = mm(x2);
    item.y2 = item.endY = mm(y2);
    return item;
}

struct Step {
    std::size_t index;
    bool reversed;
    friend bool operator==(const Step&, const Step&) = default;
};

// Runs one pass, the position following the traced line ends (box-relative).
std::vector<Step> pass(std::vector<TItem> items, DrawingBox box, TPoint start) {
    ChainPass chain(items, box);
    std::vector<Step> steps;
    TPoint p = start;
    while (!chain.finished()) {
        ChainPick pick = chain.next(p);
        steps.push_back({pick.index, pick.reversed});
        const TItem& item = items[pick.index];
        if (item.kind == DxfKind::Line) { p = TPoint{item.x2 - box.minX, item.y2 - box.minY}; }
    }
    return steps;
}

}  // namespace

TEST(ChainPass, OpenChainStartsAtItsFreeEnd) {
    // P0(0,0) P1(10,0) P2(20,0) P3(30,0) stored as P1->P2, P1->P0, P2->P3.
    std::vector<TItem> chain{line(10, 0, 20, 0), line(10, 0, 0, 0), line(20, 0, 30, 0)};
    DrawingBox box{mm(0), mm(30), mm(0), mm(0)};
    auto steps = pass(chain, box, TPoint{mm(100), mm(100)});
    EXPECT_EQ(steps, (std::vector<Step>{{1, true}, {0, false}, {2, false}}));
}

TEST(ChainPass, NearTouchingEndsChainButStayFreeEnds) {
    // 0.005 mm apart: proximity chains them, but each end counts as free for the loose-end pick.
    std::vector<TItem> lines{line(0, 0, 10, 0), line(10.005, 0, 20, 0)};
    DrawingBox box{mm(0), mm(20), mm(0), mm(0)};
    auto steps = pass(lines, box, TPoint{mm(50), mm(50)});
    EXPECT_EQ(steps, (std::vector<Step>{{0, false}, {1, false}}));
    // 0.01 mm is not near any more: the second line is found as the first with a free end.
    std::vector<TItem> apart{line(0, 0, 10, 0), line(20, 0, 10.01, 0)};
    steps = pass(apart, box, TPoint{mm(50), mm(50)});
    EXPECT_EQ(steps, (std::vector<Step>{{0, false}, {1, false}}));
}

// Random small drawings on a coarse grid (ends that touch, nearly touch or
// duplicate), with every kind, compared pick by pick with the direct rules.
TEST(ChainPass, IndexedPicksAgreeWithTheDirectRulesOnRandomDrawings) {
    std::mt19937 random(3);
    for (int drawing = 0; drawing < 5000; ++drawing) {
        auto coordinate = [&]() {
            std::int64_t v = (static_cast<std::int64_t>(random() % 7) - 2) * 500;
            int jitter = static_cast<int>(random() % 10);
            if (jitter == 0) { v += static_cast<std::int64_t>(random() % 199) - 99; }
            if (jitter == 1) { v += 100; }
            return Fixed4::fromRaw(v);
        };
        std::vector<TItem> items;
        int count = 1 + static_cast<int>(random() % 14);
        for (int e = 0; e < count; ++e) {
            TItem item;
            int kind = static_cast<int>(random() % 10);
            if (kind < 5) {
                item.kind = DxfKind::Line;
                item.x1 = item.startX = coordinate();
                item.y1 = item.startY = coordinate();
                item.x2 = item.endX = random() % 8 == 0 ? item.x1 : coordinate();
                item.y2 = item.endY = coordinate();
            } else if (kind < 7) {
                item.kind = DxfKind::Arc;
                item.x = coordinate();
                item.y = coordinate();
                item.radius = Fixed4::fromRaw(500 * (1 + static_cast<std::int64_t>(random() % 3)));
                item.startAngle = Fixed4::fromRaw(900000 * static_cast<std::int64_t>(random() % 4));
                item.endAngle = Fixed4::fromRaw(900000 * static_cast<std::int64_t>(random() % 4));
                TPoint end = ArcPoint(item.x, item.y, item.radius, item.startAngle);
                TPoint start = ArcPoint(item.x, item.y, item.radius, item.endAngle);
                item.startX = start.x;
                item.startY = start.y;
                item.endX = end.x;
                item.endY = end.y;
                item.clockwise = true;
            } else if (kind < 9) {
                item.kind = DxfKind::Circle;
                item.x = coordinate();
                item.y = coordinate();
                item.radius = Fixed4::fromRaw(700);
            } else {
                item.kind = DxfKind::Spline;
                item.controlPoints = {{coordinate(), coordinate()}, {coordinate(), coordinate()}};
                item.knots = {Fixed4{}, Fixed4{}, Fixed4::fromRaw(10000), Fixed4::fromRaw(10000)};
                item.startX = item.controlPoints[0].x;
                item.startY = item.controlPoints[0].y;
                item.endX = item.controlPoints[1].x;
                item.endY = item.controlPoints[1].y;
            }
            items.push_back(item);
            if (random() % 6 == 0) { items.push_back(item); }  // duplicates
        }
        DrawingBox box = *DrawingBoxOf(items, Fixed4::fromRaw(5000), 1, {});
        if (random() % 4 == 0) { box.minX = coordinate(); }
        std::vector<TItem> fastItems = items;
        std::vector<TItem> slowItems = items;
        ChainPass chain(fastItems, box);
        TPoint p{box.minX, box.minY};
        for (std::size_t k = 0; k < items.size(); ++k) {
            ChainPick fast = chain.next(p);
            ChainPick slow = reference::NextPick(slowItems, box, p);
            ASSERT_EQ(fast.index, slow.index) << "drawing " << drawing << " pick " << k;
            ASSERT_EQ(fast.reversed, slow.reversed) << "drawing " << drawing << " pick " << k;
            ASSERT_TRUE(fastItems[fast.index] == slowItems[slow.index]);
            // Where the generator would stand afterwards, or now and then somewhere else.
            const TItem& item = slowItems[slow.index];
            if (random() % 8 == 0) {
                p = TPoint{coordinate(), coordinate()};
            } else if (item.kind == DxfKind::Line) {
                p = TPoint{item.x2 - box.minX, item.y2 - box.minY};
            } else if (item.kind == DxfKind::Arc) {
                p = ArcPoint(item.x - box.minX, item.y - box.minY, item.radius, item.startAngle);
            } else if (item.kind == DxfKind::Spline) {
                p = TPoint{item.endX - box.minX, item.endY - box.minY};
            }
        }
        EXPECT_TRUE(chain.finished());
        // The next pass starts from the entities as they were.
        RestorePassItems(fastItems, items);
        ASSERT_TRUE(fastItems == items) << "drawing " << drawing;
    }
}
