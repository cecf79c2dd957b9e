#include <gtest/gtest.h>

#include "raster/PictureSizing.h"

using namespace bw;

namespace {

struct SizingFixture : ::testing::Test {
    ResolutionFields fields;
    RasterState state;
    void load(int width, int height) {
        state.pictureFileName = "picture.jpg";
        RecordLoadedPicture(fields, state, PictureRequest{}, width, height, ',');
    }
    void type(ResolutionField field, std::string text) {
        SetResolutionField(fields, field, std::move(text), state, ',');
    }
};

}  // namespace

TEST(PictureSizing, AspectHasFourDecimals) {
    EXPECT_EQ(PictureAspect(640, 480).raw, 13333);
    EXPECT_EQ(PictureAspect(1, 2000).raw, 5);
    EXPECT_EQ(PictureAspect(2000, 1).raw, 20000000);
}

TEST_F(SizingFixture, OwnSizeLoadFillsTheFieldsAndLabels) {
    load(640, 480);
    EXPECT_EQ(fields.widthText, "640");
    EXPECT_EQ(fields.heightText, "480");
    EXPECT_EQ(fields.widthLabel, "192,0 mm");
    EXPECT_EQ(fields.heightLabel, "144,0 mm");
    EXPECT_EQ(state.pictureAspect.raw, 13333);
    EXPECT_FALSE(state.resizePending);
    EXPECT_FALSE(CommitResolution(fields, state));
}

TEST_F(SizingFixture, KeepAspectDerivesTheHeightAndCommitRereads) {
    fields.keepAspect = true;
    load(640, 480);
    type(ResolutionField::Width, "1000");
    EXPECT_EQ(fields.heightText, "750");  // 1000 / 1.3333 = 750.02
    EXPECT_EQ(fields.widthLabel, "300,0 mm");
    EXPECT_EQ(fields.heightLabel, "225,0 mm");
    EXPECT_TRUE(state.resizePending);
    auto request = CommitResolution(fields, state);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->width, 1000);
    EXPECT_EQ(request->height, 750);
    EXPECT_FALSE(state.resizePending);
    RecordLoadedPicture(fields, state, *request, 1000, 750, ',');
    EXPECT_EQ(state.pictureAspect.raw, 13333);  // only a read at the own size sets it
    EXPECT_EQ(state.loadedWidth, 1000);
}

TEST_F(SizingFixture, ResolutionIsCappedAt3000) {
    load(640, 480);
    type(ResolutionField::Width, "5000");
    EXPECT_EQ(fields.widthText, "3000");
    EXPECT_EQ(fields.widthLabel, "900,0 mm");
    type(ResolutionField::Height, "99999999999999999999999");
    EXPECT_EQ(fields.heightText, "3000");
}

TEST_F(SizingFixture, CapWithKeepAspectSettlesOnTheFinalTexts) {
    fields.keepAspect = true;
    load(1000, 2000);  // aspect 0.5
    type(ResolutionField::Width, "5000");
    EXPECT_EQ(fields.widthText, "3000");
    EXPECT_EQ(fields.heightText, "3000");
    EXPECT_EQ(fields.heightLabel, "900,0 mm");
    EXPECT_TRUE(state.resizePending);
}

TEST_F(SizingFixture, ZeroOrIncompleteTextsChangeNothing) {
    load(500, 400);
    type(ResolutionField::Width, "0");
    EXPECT_EQ(fields.widthLabel, "150,0 mm");
    EXPECT_FALSE(state.resizePending);
    EXPECT_FALSE(CommitResolution(fields, state));
    fields.pixelSizeText = "0,";
    type(ResolutionField::Width, "600");
    EXPECT_EQ(fields.widthLabel, "150,0 mm");
    EXPECT_FALSE(state.resizePending);
}

TEST_F(SizingFixture, TypedLettersAreFilteredOut) {
    load(500, 400);
    type(ResolutionField::Width, "6a0b0");
    EXPECT_EQ(fields.widthText, "600");
    EXPECT_TRUE(state.resizePending);
}

TEST_F(SizingFixture, PixelSizeChangeOnlyRelabels) {
    load(500, 400);
    fields.pixelSizeText = "0,1";
    PixelSizeChanged(fields, state, ',');
    EXPECT_EQ(fields.widthLabel, "50,0 mm");
    EXPECT_EQ(fields.heightLabel, "40,0 mm");
    EXPECT_FALSE(state.resizePending);
}

TEST_F(SizingFixture, EmptyOtherFieldLeavesNothingPending) {
    load(500, 400);
    fields.widthText.clear();
    type(ResolutionField::Height, "300");
    EXPECT_EQ(fields.heightLabel, "90,0 mm");
    EXPECT_FALSE(state.resizePending);
}

TEST_F(SizingFixture, KeepAspectWithoutPictureDoesNotDivideByZero) {
    fields.keepAspect = true;
    type(ResolutionField::Width, "100");
    EXPECT_EQ(fields.heightText, "0");
    KeepAspectClicked(fields, state, ',');  // no picture yet: nothing runs
    EXPECT_EQ(fields.heightText, "0");
}
