#include "FrameTestSupport.h"
#include "PackFixtures.h"
#include "slideshow/PhotoFit.h"
#include "slideshow/SpeedInterval.h"

#include <gtest/gtest.h>

using namespace frame_testing;

namespace {

class FramePanel : public ::testing::Test, protected selection_testing::SelectionTest {
protected:
    FramePanel() {
        m_composer.setWeatherPanelPainter(&m_panel);
        m_composer.setFrameBlender(&m_blender);
        m_composer.setPreview(false);
        m_environment.m_bConnected = true;
    }

    void drawWithVersion(int nVersion) {
        m_panel.m_calls.clear();
        std::string csName(1, 'v');
        csName += std::to_string(nVersion) + ".wxs";
        m_composer.setImagePackFile(
            writePhotoPack(m_folder, csName, nVersion, {{1, solidJpeg(64, 48, 0x00FF00)}}));
        m_composer.Draw(m_screen, Rect{0, 0, 160, 120}, true);
    }

    RecordingPanel m_panel;
    RecordingBlender m_blender;
    SurfaceScreen m_screen{160, 120};
    FrameComposer m_composer{m_environment};
};

TEST_F(FramePanel, PackVersionChoosesTheBoxAndPanelVariants) {
    const std::vector<std::pair<int, std::vector<std::string>>> expected = {
        {1, {"drawBlueBox 1", "drawWeather 1"}},   {2, {"drawBlueBox2 2", "drawWeather2 2"}},
        {4, {"drawBlueBox2 4", "drawWeather2 4"}}, {5, {"drawBlueBox2 5", "drawWeather5 5"}},
        {6, {"drawBlueBox 6", "drawWeather 6"}},
    };
    for (const auto& [nVersion, calls] : expected) {
        drawWithVersion(nVersion);
        EXPECT_EQ(m_panel.m_calls, calls) << "version " << nVersion;
    }
}

TEST_F(FramePanel, NoPanelWithoutABoxOrOffline) {
    m_panel.m_bPlaceBox = false;
    drawWithVersion(3);
    EXPECT_EQ(m_panel.m_calls, std::vector<std::string>{"drawBlueBox2 3"});
    m_environment.m_bConnected = false;
    drawWithVersion(3);
    EXPECT_TRUE(m_panel.m_calls.empty());
    EXPECT_EQ(m_blender.m_nStarts, 2); // the photo is still shown
}

TEST_F(FramePanel, BlendTakesTheFrameAndIsStoppedBeforeTheNextAndAtTheEnd) {
    drawWithVersion(4);
    EXPECT_EQ(m_blender.m_nStarts, 1);
    EXPECT_EQ(m_screen.m_nFramesShown, 0);
    EXPECT_EQ(m_blender.m_pFrame, &m_composer.currentFrame());
    const int nStopsBefore = m_blender.m_nStops;
    m_composer.Draw(m_screen, Rect{0, 0, 160, 120}, true);
    EXPECT_GT(m_blender.m_nStops, nStopsBefore);
    auto pOther = std::make_unique<FrameComposer>(m_environment);
    pOther->setFrameBlender(&m_blender);
    const int nStops = m_blender.m_nStops;
    // Going away ends any transition that still reads its frame.
    pOther.reset();
    EXPECT_EQ(m_blender.m_nStops, nStops + 1);
}

TEST_F(FramePanel, FrameIsCopiedAtOnceWhenTheBlendCannotStartOrIsOff) {
    m_blender.m_bStarts = false;
    drawWithVersion(4);
    EXPECT_EQ(m_blender.m_nStarts, 1);
    EXPECT_EQ(m_screen.m_nFramesShown, 1);
    m_composer.setBlendImages(false);
    m_composer.Draw(m_screen, Rect{0, 0, 160, 120}, true);
    EXPECT_EQ(m_blender.m_nStarts, 1);
    EXPECT_EQ(m_screen.m_nFramesShown, 2);
}

TEST(PhotoFitRule, ScalesCropsAndCentres) {
    EXPECT_EQ(fitPhoto(1600, 1200, 800, 600, 4, 4).placed, (Rect{40, 30, 760, 570}));
    EXPECT_EQ(fitPhoto(600, 800, 1024, 768, 4, 4).placed, (Rect{255, 42, 768, 726}));
    // A square photo counts as portrait.
    EXPECT_EQ(fitPhoto(1000, 1000, 800, 600, 3, 1).placed, (Rect{130, 30, 670, 570}));
    // A portrait photo on a very tall, narrow screen is fitted by its width.
    EXPECT_EQ(fitPhoto(900, 1000, 500, 2000, 3, 1).placed, (Rect{25, 750, 475, 1250}));
    const PhotoFit crop = fitPhoto(1600, 1200, 1280, 1024, 5, 4);
    EXPECT_TRUE(crop.bCropped);
    EXPECT_EQ(crop.crop, (Rect{160, 88, 1440, 1112}));
    EXPECT_EQ(crop.placed, (Rect{0, 0, 1280, 1024}));
    EXPECT_EQ(fitPhoto(1600, 1200, 1280, 1024, 5, 1).nCropShiftX, 160);
    EXPECT_EQ(fitPhoto(1600, 1200, 1280, 1024, 5, 2).nCropShiftY, 88);
    EXPECT_EQ(fitPhoto(1600, 1200, 1280, 1024, 5, 3).nCropShiftX, 160);
    EXPECT_EQ(fitPhoto(1600, 1200, 1280, 1024, 5, 3).nCropShiftY, -88);
    // Wider only: rows are all kept and the photo centred vertically.
    const PhotoFit wide = fitPhoto(2000, 500, 1280, 1024, 5, 0);
    EXPECT_EQ(wide.crop, (Rect{360, 0, 1640, 500}));
    EXPECT_EQ(wide.placed, (Rect{0, 262, 1280, 762}));
    EXPECT_FALSE(fitPhoto(640, 480, 1280, 1024, 5, 4).bCropped);
}

TEST(SpeedIntervalRule, TableJitterSpeedUpAndLimits) {
    EXPECT_EQ(speedInterval(1, false, 31).nTimerMs, 57970);
    EXPECT_EQ(speedInterval(1, false, 30).nTimerMs, 58985);
    EXPECT_EQ(speedInterval(1, false, 32).nTimerMs, 56955);
    EXPECT_EQ(speedInterval(7, true, 31).nTimerMs, 4500);
    EXPECT_EQ(speedInterval(0, false, 0).nTableMs, 30000);
    EXPECT_EQ(speedInterval(-1, false, 0).nTableMs, 15000);
    EXPECT_EQ(speedInterval(-4, false, 2).nTableMs, 15000);
    EXPECT_EQ(speedInterval(-4, false, 2).nTimerMs, 15000 - 3045);
    EXPECT_EQ(speedInterval(10, false, -1).nTimerMs, 600000); // clock unreadable
    const SpeedInterval huge = speedInterval(2000000000, false, 59);
    EXPECT_EQ(huge.nTableMs, MAX_SPEED_MINUTES * 60000);
    EXPECT_GT(huge.nTimerMs, 0);
    EXPECT_EQ(speedTraceText(1, speedInterval(1, false, 0)),
              "minute(s) setting; nSpeedInMinutes = 1, t = 60000");
    EXPECT_EQ(speedTraceText(-1, speedInterval(-1, false, 0)),
              "15 seconds setting; nSpeedInMinutes = -1, t = 15000");
    EXPECT_EQ(speedTraceText(0, speedInterval(0, false, 0)),
              "30 seconds setting; nSpeedInMinutes = 0, t = 30000");
}

} // namespace
