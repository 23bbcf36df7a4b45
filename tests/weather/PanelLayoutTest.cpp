#include "weather/PanelLayout.h"

#include "PanelFixture.h"
#include "weather/PanelIcon.h"

#include <gtest/gtest.h>

using namespace weather_testing;

namespace {

const std::string kDegreesF = "\xC2\xB0"
                              "F";

Rect centreOf(const Rect& rect) {
    const int x = (rect.left + rect.right) / 2;
    const int y = (rect.top + rect.bottom) / 2;
    return {x - 1, y - 1, x + 2, y + 2};
}

class Panel : public PanelTest {
protected:
    // The colour in the middle of the icon column, after one frame of the
    // pack version with the sky code.
    std::uint32_t iconColour(int nVersion, int nSkyCode, bool bIconsInArchive = false) {
        PanelPack pack;
        pack.nVersion = nVersion;
        pack.bIconsInArchive = bIconsInArchive;
        loadPack(pack);
        setWeather(nSkyCode, "", "", "");
        const DrawingSurface& frame = compose(1024, 768);
        const Rect middle = centreOf(tracedRect("rectWxIcon"));
        return pixelAt(frame, middle.left + 1, middle.top + 1);
    }
};

TEST_F(Panel, EachLayoutChoosesItsIconBySkyCode) {
    struct Case {
        int nVersion;
        int nSkyCode;
        std::uint32_t colour;
    };
    const Case cases[] = {
        {1, 0, kIcon0Colour},
        {1, 48, kIcon48Colour},
        {1, -1, kIconNotAvailableColour},
        {1, 49, kIconNotAvailableColour},
        {3, 0, kIcon0Colour},
        {3, 48, kIconNotAvailableColour},
        {3, -1, kIconNotAvailableColour},
        {5, 0, kIcon0Colour},
        {5, 48, kIconNotAvailableColour},
        {5, -1, kIconNotAvailableColour},
        {5, 47, kOtherIconColour},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(near(iconColour(c.nVersion, c.nSkyCode), c.colour))
            << "version " << c.nVersion << ", sky code " << c.nSkyCode;
    }
    // A version-5 pack may carry its icons inside it, with none beside it.
    EXPECT_TRUE(near(iconColour(5, 0, true), kIcon0Colour));
    EXPECT_TRUE(near(iconColour(5, 48, true), kIconNotAvailableColour));
}

TEST_F(Panel, RectanglesOfTheThreeLayouts) {
    setWeather(32, "72" + kDegreesF, "Sunny", "Boulder, CO");
    PanelPack pack;
    loadPack(pack);
    compose(1024, 768); // box (704, 618, 1004, 738)
    EXPECT_EQ(tracedRect("rectWxIcon"), (Rect{712, 618, 747, 738}));
    EXPECT_EQ(tracedRect("rectCCDescText"), (Rect{755, 618, 943, 729}));
    EXPECT_EQ(tracedRect("rectCCTemperature"), (Rect{951, 618, 996, 738}));
    EXPECT_EQ(tracedRect("rectMargin4"), (Rect{996, 618, 1004, 738}));
    EXPECT_EQ(tracedRect("rectLocation"), (Rect{756, 723, 944, 738}));

    pack.nVersion = 2;
    loadPack(pack);
    compose(1024, 768);
    EXPECT_EQ(tracedRect("rectWxIcon"), (Rect{712, 618, 784, 738}));
    EXPECT_EQ(tracedRect("rectCCDescText"), (Rect{792, 661, 996, 677}));
    EXPECT_EQ(tracedRect("rectLocation"), (Rect{792, 718, 996, 730}));
    EXPECT_EQ(tracedRect("rectMargin3"), (Rect{996, 618, 1004, 738}));

    pack.nVersion = 5;
    loadPack(pack);
    compose(1024, 768);
    EXPECT_EQ(tracedRect("rectWxIcon"), (Rect{712, 608, 802, 708}));
    EXPECT_EQ(tracedRect("rectCCDescText"), (Rect{659, 744, 859, 760}));
    EXPECT_EQ(tracedRect("rectLocation"), (Rect{865, 744, 1085, 764}));
}

TEST_F(Panel, ACropMovesTheVersion5PanelWithThePhoto) {
    setWeather(0, "72" + kDegreesF, "Sunny", "Boulder, CO");
    PanelPack pack;
    pack.nVersion = 5;
    pack.csBox = "lower-left 200 100";
    pack.nPhotoWidth = 800;
    pack.nPhotoHeight = 600;
    loadPack(pack);
    compose(800, 600);
    const Rect plainIcon = tracedRect("rectWxIcon");
    const Rect plainLocation = tracedRect("rectLocation");

    // 200 columns and 100 rows too many: cropped from (100, 50); the lower
    // box turns the row shift into -50.
    pack.nPhotoWidth = 1000;
    pack.nPhotoHeight = 700;
    loadPack(pack);
    const DrawingSurface& frame = compose(800, 600);
    EXPECT_EQ(tracedRect("rectWxBlueBoxLocation"), (Rect{200, 380, 500, 500}));
    const Rect icon = tracedRect("rectWxIcon");
    EXPECT_EQ(icon, (Rect{plainIcon.left - 100, plainIcon.top + 50, plainIcon.right - 100,
                          plainIcon.bottom + 50}));
    EXPECT_EQ(tracedRect("rectLocation"),
              (Rect{plainLocation.left - 100, plainLocation.top + 50, plainLocation.right - 100,
                    plainLocation.bottom + 50}));
    EXPECT_TRUE(anyPixelNear(frame, centreOf(icon), kIcon0Colour));
    EXPECT_FALSE(anyPixelNear(frame, centreOf(plainIcon), kIcon0Colour));
    EXPECT_FALSE(traced("The crop shift would move the panel off the frame"));
}

TEST_F(Panel, ACropNeverMovesTheVersion5PanelOffTheFrame) {
    setWeather(0, "72" + kDegreesF, "Sunny", "Boulder, CO");
    PanelPack pack;
    pack.nVersion = 5;
    pack.csBox = "upper-right 80 80";
    pack.nArtworkWidth = 380;
    pack.nArtworkHeight = 100;
    pack.nPhotoWidth = 1920;
    pack.nPhotoHeight = 1080;
    loadPack(pack);
    // Cropped from (320, 28): the box's own shift would be (-320, 28), which
    // puts the temperature and the location past the right edge.
    const DrawingSurface& frame = compose(1280, 1024);
    EXPECT_EQ(tracedRect("rectWxBlueBoxLocation"), (Rect{820, 80, 1200, 180}));
    EXPECT_TRUE(traced("The crop shift would move the panel off the frame; shifting it by -79, "
                       "28 instead of -320, 28"));
    EXPECT_EQ(tracedRect("rectLocation"), (Rect{1060, 158, 1280, 178}));
    EXPECT_TRUE(anyPixelNear(frame, tracedRect("rectLocation"), 0x00FF00, 60));
}

TEST(PanelCropShift, LimitedOnlyWhereThePanelWouldLeaveTheFrame) {
    const Rect box{820, 80, 1200, 180};
    EXPECT_EQ(limitedCropShift(box, -320, 28, 1280, 1024), (Size{-79, 28}));
    EXPECT_EQ(limitedCropShift(box, 100, -50, 1280, 1024), (Size{100, -50}));
    EXPECT_EQ(limitedCropShift(box, 0, 0, 1280, 1024), (Size{0, 0}));
    // Up to the top edge and no further.
    EXPECT_EQ(limitedCropShift(box, 0, 500, 1280, 1024), (Size{0, 70}));
    // A box the pack put partly off the frame is not pulled in, nor pushed
    // further out.
    const Rect outside{-100, 80, 280, 180};
    EXPECT_EQ(limitedCropShift(outside, 0, 0, 1280, 1024), (Size{0, 0}));
    EXPECT_EQ(limitedCropShift(outside, 40, 0, 1280, 1024), (Size{0, 0}));
    EXPECT_EQ(limitedCropShift(outside, -40, 0, 1280, 1024), (Size{-40, 0}));
}

TEST_F(Panel, LocationStripWidensOnlyForANameWiderThanIt) {
    const std::string csName = "Rancho Santa Margarita, CA";
    const int nWidth = textWidth(csName, 13, 400);
    ASSERT_GT(nWidth, 100);
    setWeather(32, "72" + kDegreesF, "", csName);
    PanelPack pack;
    pack.csBox = "upper-left 0 0";
    pack.nArtworkWidth = nWidth + 112; // the strip is exactly as wide as the name
    loadPack(pack);
    compose(1024, 768);
    EXPECT_FALSE(traced("The location text is to wide"));
    EXPECT_EQ(tracedRect("rectLocation"), (Rect{52, 105, nWidth + 52, 120}));
    EXPECT_EQ(tracedRect("rectCCTemperature").bottom, 120);

    // Where the temperature's digits start, centred in their column.
    const int nNarrowR = pack.nArtworkWidth;
    const int nTopBefore =
        inkIn(m_composer.currentFrame(), Rect{nNarrowR - 53, 0, nNarrowR - 8, 120}, kArtworkColour)
            .top;

    pack.nArtworkWidth = nWidth + 111;
    loadPack(pack);
    const DrawingSurface& frame = compose(1024, 768);
    EXPECT_TRUE(traced("The location text is to wide for the initial space...we are extending "
                       "its rect and bumping the CC Temp rect up."));
    const int R = pack.nArtworkWidth;
    EXPECT_EQ(tracedRect("rectLocation"), (Rect{52, 105, R - 4, 120}));
    EXPECT_EQ(tracedRect("rectCCTemperature"), (Rect{R - 53, 0, R - 8, 111}));
    // The temperature sits centred in the shorter column: higher up.
    const int nTopAfter = inkIn(frame, Rect{R - 53, 0, R - 8, 120}, kArtworkColour).top;
    EXPECT_GT(nTopBefore, nTopAfter);
}

TEST_F(Panel, ConditionShrinksThenWraps) {
    const std::string csText = "Freezing Drizzle";
    const int nWidth24 = textWidth(csText, 24, 400);
    ASSERT_LT(textWidth(csText, 15, 400), nWidth24 - 1);
    setWeather(32, "", csText, "");
    PanelPack pack;
    pack.csBox = "upper-left 0 0";
    pack.nArtworkWidth = nWidth24 + 112;
    loadPack(pack);
    const DrawingSurface& fits = compose(1024, 768);
    EXPECT_TRUE(traced("m_csCCText will fit in the space allowed."));
    const Rect wide = inkIn(fits, Rect{51, 0, nWidth24 + 51, 111}, kArtworkColour);
    EXPECT_GT(wide.height(), 15);

    pack.nArtworkWidth = nWidth24 + 111;
    loadPack(pack);
    const DrawingSurface& smaller = compose(1024, 768);
    EXPECT_TRUE(traced("m_csCCText is longer than space provided, changing font and layout to "
                       "multi line"));
    EXPECT_TRUE(traced("dc.GetTextExtent( m_csCCText), 2nd attempt, returns cx = " +
                       std::to_string(textWidth(csText, 15, 400))));
    EXPECT_TRUE(traced("The smaller font will work, don't go multi line"));
    const Rect small = inkIn(smaller, Rect{51, 0, nWidth24 + 50, 111}, kArtworkColour);
    EXPECT_LT(small.height(), wide.height());

    setWeather(32, "", "Thunderstorm Heavy Rain and Fog in the Vicinity", "");
    pack.nArtworkWidth = 300;
    pack.nArtworkHeight = 120;
    loadPack(pack);
    const DrawingSurface& wrapped = compose(1024, 768);
    EXPECT_TRUE(traced("The smaller font will not work by itself, go multi line"));
    EXPECT_EQ(tracedRect("rectCenteredCCDescText"), (Rect{51, 2, 239, 109}));
    const Rect lines = inkIn(wrapped, Rect{51, 0, 239, 120}, kArtworkColour);
    EXPECT_GE(lines.top, 2);
    EXPECT_LT(lines.top, 2 + 15);
    EXPECT_GT(lines.height(), 15 + 5); // more than one line at 15 pixels
    EXPECT_LE(lines.right, 239);
}

TEST_F(Panel, Version4DrawsItsTextsInThePacksColourOthersInWhite) {
    setWeather(32, "72" + kDegreesF, "Sunny", "Boulder, CO");
    for (const int nVersion : {2, 3, 4}) {
        PanelPack pack;
        pack.nVersion = nVersion;
        loadPack(pack);
        const DrawingSurface& frame = compose(1024, 768);
        const Rect texts{792, 618, 1004, 738};
        const bool bOwnColour = nVersion == 4;
        EXPECT_EQ(anyPixelNear(frame, texts, 0xFF0000, 60), bOwnColour) << nVersion;
        EXPECT_EQ(anyPixelNear(frame, texts, 0xFFFFFF, 60), !bOwnColour) << nVersion;
    }
}

TEST_F(Panel, Version5DrawsEachTextInItsOwnColour) {
    setWeather(0, "72" + kDegreesF, "Sunny", "Boulder, CO");
    PanelPack pack;
    pack.nVersion = 5;
    pack.csBox = "upper-left 100 100";
    loadPack(pack);
    const DrawingSurface& frame = compose(1024, 768);
    EXPECT_TRUE(anyPixelNear(frame, tracedRect("rectLocation"), 0x00FF00, 60));
    EXPECT_TRUE(anyPixelNear(frame, Rect{55, 226, 255, 242}, 0xFF0000, 60));
    EXPECT_TRUE(anyPixelNear(frame, Rect{256, 120, 476, 174}, 0xFFFF00, 60));
    // The temperature's 80-pixel digits fit their 54-pixel rectangle whole:
    // no row of them is cut off at its top or bottom.
    const Rect digits = inkIn(frame, Rect{256, 100, 476, 200}, kPhotoColour);
    EXPECT_GT(digits.top, 120);
    EXPECT_LT(digits.bottom, 174);
}

TEST_F(Panel, AMissingIconLeavesItsColumnEmptyAndTheTextsDrawn) {
    setWeather(12, "72" + kDegreesF, "Rain", "Boulder, CO");
    PanelPack pack;
    pack.nVersion = 5;
    loadPack(pack); // the PNG of sky code 12 is missing
    const DrawingSurface& frame = compose(1024, 768);
    EXPECT_TRUE(traced("Unable to load wxIcon "));
    EXPECT_EQ(inkIn(frame, tracedRect("rectWxIcon"), kPhotoColour), Rect{});
    EXPECT_TRUE(anyPixelNear(frame, tracedRect("rectLocation"), 0x00FF00, 60));
}

TEST_F(Panel, IconsLargerThanTheirColumnAreShrunkIntoIt) {
    setWeather(0, "", "", "");
    PanelPack pack;
    pack.nIconWidth = 60;
    pack.nIconHeight = 200;
    loadPack(pack);
    const DrawingSurface& frame = compose(1024, 768);
    const Rect column = tracedRect("rectWxIcon");
    const Rect icon = inkIn(
        frame, Rect{column.left - 8, column.top, column.right + 8, column.bottom}, kArtworkColour);
    EXPECT_GE(icon.left, column.left);
    EXPECT_LE(icon.right, column.right);
    EXPECT_GE(icon.top, column.top);
    EXPECT_LE(icon.bottom, column.bottom);
    EXPECT_GE(icon.width(), column.width() - 2);
}

TEST(PanelIconPlace, CentredAndShrunkToFitKeepingItsShape) {
    EXPECT_EQ(placeIcon(Rect{10, 20, 45, 140}, 20, 20), (Rect{17, 70, 37, 90}));
    EXPECT_EQ(placeIcon(Rect{10, 20, 45, 140}, 21, 21), (Rect{17, 69, 38, 90}));
    EXPECT_EQ(placeIcon(Rect{0, 0, 90, 100}, 180, 100), (Rect{0, 25, 90, 75}));
    EXPECT_EQ(placeIcon(Rect{0, 0, 90, 100}, 45, 400), (Rect{39, 0, 50, 100}));
    EXPECT_EQ(placeIcon(Rect{0, 0, 90, 100}, 10000, 1), (Rect{0, 49, 90, 50}));
    EXPECT_TRUE(placeIcon(Rect{0, 0, 0, 100}, 10, 10).isEmpty());
}

} // namespace
