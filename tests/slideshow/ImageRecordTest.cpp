#include "SelectionTestSupport.h"
#include "TraceCapture.h"
#include "app/TovakInterface.h"

#include <chrono>
#include <climits>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace selection_testing;
using ::testing::ElementsAre;

namespace {

class ImageRecordTest : public ::testing::Test, public SelectionTest {
protected:
    const ImageSelectionSettings kAllRandom{3, 1, "", 0};
};

TEST_F(ImageRecordTest, RecordCarriesWhatThePackSaysAboutThePhoto) {
    PackDescription description({2, 2});
    description.csBoxLocations = "default = lower-right 20 30\n2.1 = upper-left 5 -6\n";
    auto pack = loadPack(m_folder, "v5.wxs", description);

    m_clock.m_nSeconds = 1; // (2, 2)
    WxImageInfo info = next(*pack, kAllRandom);
    EXPECT_EQ(info.imageIdentifier, "#202");
    EXPECT_EQ(info.boxlocation, BOXLOCATION_LOWER_RIGHT);
    EXPECT_EQ(info.boxOffsetX, 20);
    EXPECT_EQ(info.boxOffsetY, 30);
    EXPECT_EQ(info.borderColor, makeColorref(0x10, 0x20, 0x30));
    EXPECT_EQ(info.weatherTextColor, makeColorref(0x11, 0x22, 0x33));
    EXPECT_EQ(info.locationTextColor, makeColorref(0x44, 0x55, 0x66));
    EXPECT_EQ(info.temperatureTextColor, makeColorref(0x77, 0x88, 0x99));
    EXPECT_EQ(info.iconPath, "selection-icons/");
    EXPECT_EQ(info.cropShiftX, 0);
    EXPECT_EQ(info.cropShiftY, 0);

    m_clock.m_nSeconds = 0; // (1, 1), then (2, 1) by the sequential walk
    WxImageInfo corner = next(*pack, {3, 2, "", 0});
    EXPECT_EQ(corner.borderColor, makeColorref(0x10, 0x20, 0x30));
    corner = next(*pack, {3, 2, "", 0});
    ASSERT_EQ(corner.imageIdentifier, "#102");
    EXPECT_EQ(corner.borderColor, makeColorref(0x40, 0x50, 0x60));
    corner = next(*pack, {3, 2, "", 0});
    ASSERT_EQ(corner.imageIdentifier, "#201");
    EXPECT_EQ(corner.boxlocation, BOXLOCATION_UPPER_LEFT);
    EXPECT_EQ(corner.boxOffsetX, 5);
    EXPECT_EQ(corner.boxOffsetY, -6);
}

TEST_F(ImageRecordTest, OlderPacksGiveTheFallbackColoursAndIconPath) {
    PackDescription description({2});
    description.nVersion = 2;
    auto pack = loadPack(m_folder, "v2.wxs", description);
    WxImageInfo info = next(*pack, kAllRandom);
    EXPECT_EQ(info.weatherTextColor, 0u);
    EXPECT_EQ(info.locationTextColor, 0xFFFFFFu);
    EXPECT_EQ(info.temperatureTextColor, 0xFFFFFFu);
    EXPECT_EQ(info.iconPath, "\\invalid version\\");

    description.nVersion = 4;
    auto version4 = loadPack(m_folder, "v4.wxs", description);
    info = next(*version4, kAllRandom);
    EXPECT_EQ(info.weatherTextColor, makeColorref(0x11, 0x22, 0x33));
    EXPECT_EQ(info.locationTextColor, 0xFFFFFFu);
}

TEST_F(ImageRecordTest, MissingRecordExportsLeaveTheirFallbacks) {
    PackDescription description({2});
    description.csBoxLocations.clear();
    description.bWithColours = false;
    auto pack = loadPack(m_folder, "bare.wxs", description);
    WxImageInfo info = next(*pack, kAllRandom);
    EXPECT_EQ(info.imageIdentifier, "#101");
    EXPECT_EQ(info.boxlocation, -1);
    EXPECT_EQ(info.boxOffsetX, 0);
    EXPECT_EQ(info.boxOffsetY, 0);
    EXPECT_EQ(info.borderColor, static_cast<COLORREF>(-1));
    EXPECT_EQ(info.weatherTextColor, 0u);
    EXPECT_EQ(info.locationTextColor, 0xFFFFFFu);
    EXPECT_EQ(info.iconPath, "\\invalid version\\");
}

TEST_F(ImageRecordTest, PackWithoutGroupsGivesNoPhoto) {
    PackDescription description({});
    description.csNumImageGroups = "0";
    auto empty = loadPack(m_folder, "empty.wxs", description);
    ImageDLLInterface notLoaded;
    m_environment.m_bConnected = true;

    const WxImageInfo unchosen;
    EXPECT_EQ(unchosen.group, -1);
    EXPECT_EQ(unchosen.image, -1);
    EXPECT_EQ(unchosen.temperatureTextColor, 0xFFFFFFu);
    EXPECT_EQ(unchosen.locationTextColor, 0xFFFFFFu);
    for (const ImageDLLInterface* pack : {empty.get(), &notLoaded}) {
        EXPECT_EQ(next(*pack, {1, 1, "", 32}), unchosen);
        EXPECT_EQ(next(*pack, {2, 1, "01,01", 0}), unchosen);
        EXPECT_EQ(next(*pack, {3, 1, "", 0}), unchosen);
        EXPECT_EQ(next(*pack, {3, 2, "", 0}), unchosen);
    }
    EXPECT_EQ(m_environment.m_lines.front(),
              "CDrawWnd::getNextImageInfoWxTriggered(), group = -1, image = -1");

    // Nothing was remembered: the walks still start at a random photo.
    auto pack = loadPack(m_folder, "three.wxs", PackDescription({3}));
    m_clock.m_nSeconds = 1;
    EXPECT_EQ(next(*pack, {3, 2, "", 0}).image, 2);
    EXPECT_EQ(next(*pack, {2, 1, "01,01;01,02", 0}).image, 2);
}

TEST_F(ImageRecordTest, NoTraceLinesWhenLoggingIsOff) {
    auto pack = loadPack(m_folder, "pair.wxs", PackDescription({2}));
    m_environment.m_bLogging = false;
    next(*pack, kAllRandom);
    next(*pack, {2, 1, "01,02", 0});
    EXPECT_TRUE(m_environment.m_lines.empty());
}

TEST_F(ImageRecordTest, ChoicesAreLoggedThroughTheFrameworkLibrary) {
    fixtures::TraceCapture capture;
    auto pack = loadPack(m_folder, "three-by-ten.wxs", PackDescription({10, 10, 10}));
    m_clock.m_nSeconds = 24;
    ImageSelector(*pack, kAllRandom).getNextImageInfo();
    EXPECT_THAT(capture.lines(),
                ::testing::Contains("CDrawWnd::getNextImageInfoAllRandom(), group = 1, image = 5"));
}

TEST(ImageSelectionEnvironmentTest, WaitEndsOnceTheSecondsTheSelectionReadsHaveMovedOn) {
    const int nSeen = platform::clock().localSeconds();
    EXPECT_TRUE(frameworkSelectionEnvironment().waitForSecondsOtherThan(nSeen));
    EXPECT_NE(platform::clock().localSeconds(), nSeen);
}

// Shows the old second for a number of reads after the wall clock's
// boundary, like a coarse clock that has not caught up yet; a stuck one
// never moves on.
class LaggingClock : public platform::Clock {
public:
    explicit LaggingClock(int nLaggingReads) : m_nLaggingReads(nLaggingReads) {}
    int localSeconds() const override { return ++m_nReads > m_nLaggingReads ? 8 : 7; }
    int m_nLaggingReads;
    mutable int m_nReads = 0;
};

TEST(ImageSelectionEnvironmentTest, WaitAsksTheClockAgainUntilItShowsANewSecond) {
    LaggingClock lagging(3);
    platform::setClock(&lagging);
    const bool bChanged = frameworkSelectionEnvironment().waitForSecondsOtherThan(7);
    platform::setClock(nullptr);
    EXPECT_TRUE(bChanged);
    EXPECT_EQ(lagging.m_nReads, 4);
}

TEST(ImageSelectionEnvironmentTest, WaitForAStuckClockEnds) {
    LaggingClock stuck(INT_MAX);
    platform::setClock(&stuck);
    const bool bChanged = frameworkSelectionEnvironment().waitForSecondsOtherThan(7);
    platform::setClock(nullptr);
    EXPECT_FALSE(bChanged);
}

TEST(ImageSelectionEnvironmentTest, WithoutTheFrameworkLibraryThereIsNoConnectionOrLog) {
    ASSERT_EQ(g_pTovakInterface, nullptr);
    EXPECT_FALSE(frameworkSelectionEnvironment().connectedToInternet());
    EXPECT_FALSE(frameworkSelectionEnvironment().isLogging());
    frameworkSelectionEnvironment().logMessage("dropped");
}

} // namespace
