#include "app/SaverActivity.h"

#include <gtest/gtest.h>

namespace {

TEST(SaverActivity, FirstMoveOnlyRecordsAndAnyLaterMoveElsewhereCloses) {
    for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{0, 1}, std::pair{-1, -1}}) {
        SaverActivity activity;
        EXPECT_EQ(activity.mouseMoved(640, 360), SaverResponse::Nothing);
        EXPECT_EQ(activity.lastMouseX(), 640);
        EXPECT_EQ(activity.lastMouseY(), 360);
        // The same place again (a toolkit may repeat a motion) keeps it running.
        EXPECT_EQ(activity.mouseMoved(640, 360), SaverResponse::Nothing);
        EXPECT_EQ(activity.mouseMoved(640 + dx, 360 + dy), SaverResponse::Close);
    }
}

TEST(SaverActivity, APositionOfMinusOneIsAPlaceLikeAnyOther) {
    // A monitor left of and above the primary has negative coordinates.
    SaverActivity activity;
    EXPECT_FALSE(activity.positionKnown());
    EXPECT_EQ(activity.mouseMoved(-1, -1), SaverResponse::Nothing);
    EXPECT_TRUE(activity.positionKnown());
    EXPECT_EQ(activity.mouseMoved(-1, -1), SaverResponse::Nothing);
    EXPECT_EQ(activity.mouseMoved(-2, -1), SaverResponse::Close);
}

TEST(SaverActivity, RightArrowShowsTheNextPhotoEveryOtherInputCloses) {
    SaverActivity activity;
    EXPECT_EQ(activity.keyPressed(true), SaverResponse::NextImage);
    EXPECT_EQ(activity.keyPressed(true), SaverResponse::NextImage);
    EXPECT_EQ(activity.keyPressed(false), SaverResponse::Close);
    EXPECT_EQ(activity.buttonPressed(), SaverResponse::Close);
    EXPECT_EQ(activity.deactivated(), SaverResponse::Close);
    // None of these forgets where the pointer was first seen.
    EXPECT_FALSE(activity.positionKnown());
}

TEST(SaverActivity, InsideASaverDaemonNothingMeansAnything) {
    SaverActivity activity(false);
    EXPECT_EQ(activity.mouseMoved(10, 10), SaverResponse::Nothing);
    EXPECT_EQ(activity.mouseMoved(500, 20), SaverResponse::Nothing);
    EXPECT_EQ(activity.keyPressed(true), SaverResponse::Nothing);
    EXPECT_EQ(activity.keyPressed(false), SaverResponse::Nothing);
    EXPECT_EQ(activity.buttonPressed(), SaverResponse::Nothing);
    EXPECT_EQ(activity.deactivated(), SaverResponse::Nothing);
}

} // namespace
