#include <gtest/gtest.h>

#include "TestSupport.h"
#include "dxf/DxfView.h"

using namespace bw;
using bw::test::mm;

TEST(DxfView, FitsTheLimitingSide) {
    DrawingBox box{mm(0), mm(100), mm(0), mm(50)};
    DxfView view;
    view.viewScale = FitScale(box, 653, 645);
    EXPECT_EQ(view.viewScale, 64900);  // 6.49 pixels per mm, limited by the width
    EXPECT_EQ(MapPoint(view, box, 645, mm(0), mm(0)), (PixelPoint{1, 642}));
    EXPECT_EQ(MapPoint(view, box, 645, mm(100), mm(50)), (PixelPoint{650, 318}));
    EXPECT_EQ(FitScale(DrawingBox{mm(0), mm(10), mm(0), mm(100)}, 653, 645), 64100);  // limited by the height
}

TEST(DxfView, BoxesWithoutWidthOrHeight) {
    EXPECT_EQ(FitScale(DrawingBox{mm(0), mm(100), mm(5), mm(5)}, 653, 645), 64900);
    EXPECT_EQ(FitScale(DrawingBox{mm(5), mm(5), mm(0), mm(50)}, 653, 645), 128200);
    EXPECT_EQ(FitScale(DrawingBox{mm(5), mm(5), mm(5), mm(5)}, 653, 645), 10000);
    EXPECT_EQ(FitScale(DrawingBox{mm(0), mm(100), mm(0), mm(50)}, 2, 2), 1);  // a view smaller than its margin
}

TEST(DxfView, WheelStepsWaitForTheRunningRedraw) {
    DxfView view;
    view.viewScale = 100000;
    EXPECT_TRUE(ViewWheel(view, false, 600));  // towards the user: zoom in at once
    EXPECT_EQ(view.viewScale, 110000);
    EXPECT_FALSE(ViewWheel(view, false, 600));
    EXPECT_FALSE(ViewWheel(view, false, 600));
    EXPECT_EQ(view.pendingWheelSteps, -2);
    RedrawFinished(view);
    EXPECT_TRUE(ViewWheel(view, false, 600));
    EXPECT_EQ(view.viewScale, 146410);  // 1.1^3 at once
    EXPECT_EQ(view.pendingWheelSteps, 0);
}

TEST(DxfView, ZoomKeepsThePointUnderTheMouse) {
    DxfView view;
    view.viewScale = 100000;
    ViewMouseMove(view, 200, 300);
    ASSERT_TRUE(ViewWheel(view, false, 600));
    EXPECT_EQ(view.viewPanX, -20);  // 0 x 1.1 - 200 x 0.1
    EXPECT_EQ(view.viewPanY, 30);   // 0 x 1.1 + (600 - 300) x 0.1
    RedrawFinished(view);
    ASSERT_TRUE(ViewWheel(view, true, 600));
    EXPECT_EQ(view.viewScale, 99000);
    EXPECT_EQ(view.viewPanX, 2);   // -20 x 0.9 + 200 x 0.1
    EXPECT_EQ(view.viewPanY, -3);  // 30 x 0.9 - 300 x 0.1
}

TEST(DxfView, DraggingMovesByThePointerDistance) {
    DxfView view;
    ViewMouseDown(view, 10, 10);
    EXPECT_TRUE(ViewMouseMove(view, 40, 10));
    EXPECT_EQ(view.viewPanX, 30);
    // During the redraw a move is ignored; the next accepted move carries the whole distance.
    EXPECT_FALSE(ViewMouseMove(view, 50, 10));
    RedrawFinished(view);
    EXPECT_TRUE(ViewMouseMove(view, 60, 15));
    EXPECT_EQ(view.viewPanX, 50);
    EXPECT_EQ(view.viewPanY, 5);
    ViewMouseUp(view);
    RedrawFinished(view);
    EXPECT_FALSE(ViewMouseMove(view, 90, 90));
    EXPECT_EQ(view.viewPanX, 50);
}

TEST(DxfView, ArcsShorterThanAPixelAreNotDrawn) {
    DxfView view;
    view.viewScale = 10000;                                        // 1 pixel per mm
    EXPECT_TRUE(ArcVisibleOnScreen(view, mm(10), mm(0), mm(90)));  // 15.7 pixels
    EXPECT_FALSE(ArcVisibleOnScreen(view, mm(10), mm(0), mm(5)));  // 0.87 pixels
    EXPECT_FALSE(ArcVisibleOnScreen(view, mm(10), mm(45), mm(45)));
    EXPECT_TRUE(ArcVisibleOnScreen(view, mm(10), mm(350), mm(10)));  // counts 340 degrees as stored
}
