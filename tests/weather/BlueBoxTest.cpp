#include "weather/BlueBox.h"

#include "PanelFixture.h"
#include "slideshow/ImageDLLInterface.h"

#include <gtest/gtest.h>

using namespace weather_testing;

namespace {

TEST(BlueBoxPlacement, EachCornerIsMeasuredFromItsOwnEdges) {
    const Rect photo{0, 0, 1024, 768};
    EXPECT_EQ(placeBlueBox(BOXLOCATION_LOWER_RIGHT, 20, 30, 300, 120, photo).rect,
              (Rect{704, 618, 1004, 738}));
    EXPECT_EQ(placeBlueBox(BOXLOCATION_UPPER_RIGHT, 20, 30, 300, 120, photo).rect,
              (Rect{704, 30, 1004, 150}));
    EXPECT_EQ(placeBlueBox(BOXLOCATION_LOWER_LEFT, 20, 30, 300, 120, photo).rect,
              (Rect{20, 618, 320, 738}));
    const BlueBoxPlacement centred =
        placeBlueBox(BOXLOCATION_UPPER_LEFT, 20, 30, 300, 120, Rect{112, 0, 912, 768});
    EXPECT_EQ(centred.rect, (Rect{132, 30, 432, 150}));
    EXPECT_TRUE(centred.bOkToShowWeather);
    EXPECT_EQ(centred.nDrawWidth, -1);
    // Negative offsets put the box outside the photo; nothing is clamped.
    EXPECT_EQ(placeBlueBox(BOXLOCATION_UPPER_LEFT, -10, -20, 300, 120, photo).rect,
              (Rect{-10, -20, 290, 100}));
    EXPECT_EQ(placeBlueBox(BOXLOCATION_LOWER_RIGHT, -10, -20, 300, 120, photo).rect,
              (Rect{734, 668, 1034, 788}));
}

TEST(BlueBoxPlacement, OtherCornersMeanNoBox) {
    for (const int nLocation : {0, 5, -1, 1000}) {
        const BlueBoxPlacement none =
            placeBlueBox(nLocation, 20, 30, 300, 120, Rect{0, 0, 1024, 768});
        EXPECT_FALSE(none.bOkToShowWeather);
        EXPECT_EQ(none.rect, (Rect{0, 0, 300, 120}));
        EXPECT_EQ(none.nDrawWidth, 0);
        EXPECT_EQ(none.nDrawHeight, 0);
    }
}

TEST(BlueBoxPlacement, AbsurdOffsetsNeitherOverflowNorReachTheFrame) {
    const BlueBoxPlacement far = placeBlueBox(BOXLOCATION_LOWER_RIGHT, -2147483647 - 1, 2147483647,
                                              300, 120, Rect{0, 0, 1024, 768});
    EXPECT_TRUE(far.bOkToShowWeather);
    EXPECT_GT(far.rect.left, 1 << 20);
    EXPECT_LT(far.rect.top, -(1 << 20));
}

class BlueBoxOnFrames : public PanelTest {};

TEST_F(BlueBoxOnFrames, OldPacksGetTheArtworkDrawnNewerOnesOnlyItsPlace) {
    setWeather(32, "", "", "");
    for (const int nVersion : {1, 6, 2, 3, 5}) {
        PanelPack pack;
        pack.nVersion = nVersion;
        loadPack(pack);
        const DrawingSurface& frame = compose(1024, 768);
        EXPECT_EQ(tracedRect("rectWxBlueBoxLocation"), (Rect{704, 618, 1004, 738}));
        // Inside the first margin column nothing but the artwork is drawn.
        const bool bDrawn = nVersion < 2 || nVersion > 5;
        EXPECT_TRUE(near(pixelAt(frame, 706, 700), bDrawn ? kArtworkColour : kPhotoColour))
            << "version " << nVersion;
        EXPECT_TRUE(traced("m_currentWxImageInfo.boxlocation = BOXLOCATION_LOWER_RIGHT"));
        EXPECT_TRUE(traced("Blue Box image location values: imgx = 704, imgy = 618, imgcx = -1, "
                           "imgcy = -1"));
    }
}

TEST_F(BlueBoxOnFrames, NoBoxMeansNoPanel) {
    setWeather(0,
               "72\xC2\xB0"
               "F",
               "Sunny", "Boulder, CO");
    for (const char* szBox : {"none 0 0", "5 20 30"}) {
        PanelPack pack;
        pack.csBox = szBox;
        loadPack(pack);
        const DrawingSurface& frame = compose(1024, 768);
        EXPECT_TRUE(traced("m_currentWxImageInfo.boxlocation = BOXLOCATION_NO_BOX (or is "
                           "defaulting to BOXLOCATION_NO_BOX)"));
        EXPECT_EQ(tracedRect("rectWxBlueBoxLocation"), (Rect{0, 0, 300, 120}));
        EXPECT_TRUE(traced("imgx = 0, imgy = 0, imgcx = 0, imgcy = 0"));
        EXPECT_EQ(inkIn(frame, Rect{0, 0, 1024, 768}, kPhotoColour), Rect{}) << szBox;
    }
}

TEST_F(BlueBoxOnFrames, APackWithoutArtworkHasNoPanel) {
    setWeather(0,
               "72\xC2\xB0"
               "F",
               "Sunny", "Boulder, CO");
    PanelPack pack;
    pack.nArtworkWidth = 0;
    loadPack(pack);
    const DrawingSurface& frame = compose(1024, 768);
    EXPECT_TRUE(traced("FindResource() failed to load the Blue Box, m_imagedll->getModuleHandle() "
                       "= "));
    EXPECT_TRUE(traced(", wxBoxID = #5099"));
    EXPECT_EQ(inkIn(frame, Rect{0, 0, 1024, 768}, kPhotoColour), Rect{});
}

} // namespace
