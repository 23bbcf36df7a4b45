#include "BlendTestSupport.h"
#include "FrameTestSupport.h"
#include "slideshow/BlendRunner.h"

#include <gtest/gtest.h>

using namespace blend_testing;
using namespace frame_testing;

namespace {

constexpr int W = 64;
constexpr int H = 48;
constexpr std::uint32_t GREEN = 0x00FF00;
constexpr std::uint32_t BLUE = 0x0000FF;

// The composer bringing its frames in through real blend threads.
class BlendedDraw : public ::testing::Test, protected selection_testing::SelectionTest {
protected:
    BlendedDraw() {
        m_composer.setFrameBlender(&m_runner);
        m_composer.setBlendImages(true);
        m_composer.setDisplayMethod(3, 2);
        m_composer.setImagePackFile(writePhotoPack(
            m_folder, "blend.wxs", 5, {{1, solidJpeg(W, H, GREEN)}, {2, solidJpeg(W, H, BLUE)}}));
    }

    void draw() { m_composer.Draw(m_screen, Rect{0, 0, W, H}, true); }
    bool waitUntilThreadEnds() {
        return m_runner.drawBlendsThread()->doneEvent().waitFor(std::chrono::seconds(30));
    }

    SurfaceScreen m_screen{W, H};
    PresenterRecord m_record;
    SteppingEnvironment m_blendEnvironment;
    BlendRunner m_runner{[this](FrameScreen&, const Rect&, bool) {
                             return std::make_unique<SurfacePresenter>(m_screen.m_surface,
                                                                       m_record);
                         },
                         m_blendEnvironment};
    FrameComposer m_composer{m_environment};
};

TEST_F(BlendedDraw, ANewFrameStopsTheRunningTransitionWithItsFrameComplete) {
    m_blendEnvironment.m_nHoldAfterStep = 5;
    draw();
    ASSERT_NE(m_runner.drawBlendsThread(), nullptr);
    ASSERT_TRUE(m_blendEnvironment.waitUntilHeld());
    // The preview starts from black.
    EXPECT_EQ(m_record.centres.front(), 0x000000U);

    draw();
    ASSERT_NE(m_runner.drawBlendsThread(), nullptr);
    ASSERT_TRUE(waitUntilThreadEnds());
    m_runner.stopBlendThread();

    // Steps 0 to 5 and the whole first frame, then the second transition,
    // which starts from the first frame complete.
    ASSERT_EQ(m_record.centres.size(), 7U + 52U);
    EXPECT_TRUE(near(m_record.centres[6], GREEN));
    EXPECT_TRUE(near(m_record.centres[7], GREEN));
    EXPECT_TRUE(samePixels(m_screen.m_surface, m_composer.currentFrame()));
    EXPECT_TRUE(near(centre(m_screen.m_surface), BLUE));
    // Nothing was shown but through the transitions.
    EXPECT_EQ(m_screen.m_nFramesShown, 0);
}

TEST_F(BlendedDraw, ChangingThePackWaitsForTheTransition) {
    m_blendEnvironment.m_nHoldAfterStep = 2;
    draw();
    ASSERT_TRUE(m_blendEnvironment.waitUntilHeld());
    m_composer.setImagePackFile("");
    EXPECT_EQ(m_runner.drawBlendsThread(), nullptr);
    EXPECT_TRUE(m_record.bDestroyed);
    EXPECT_TRUE(near(centre(m_screen.m_surface), GREEN));
}

TEST_F(BlendedDraw, WithoutATransitionTheFrameIsCopiedAtOnce) {
    BlendRunner failing([](FrameScreen&, const Rect&, bool) { return nullptr; });
    m_composer.setFrameBlender(&failing);
    draw();
    EXPECT_EQ(m_screen.m_nFramesShown, 1);
    EXPECT_TRUE(near(centre(m_screen.m_surface), GREEN));
    m_composer.setFrameBlender(&m_runner);
}

} // namespace
