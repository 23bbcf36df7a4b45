#include "BlendTestSupport.h"
#include "FrameTestSupport.h"
#include "PackFixtures.h"
#include "TraceCapture.h"
#include "slideshow/BlendRunner.h"

#include <algorithm>
#include <future>
#include <gtest/gtest.h>
#include <numeric>

using namespace blend_testing;
using fixtures::solidSurface;

namespace {

constexpr int W = 40;
constexpr int H = 30;
constexpr std::uint32_t OLD_PICTURE = 0x000000;
constexpr std::uint32_t NEW_PICTURE = 0xFFFFFF;
const Rect SCREEN{0, 0, W, H};

std::vector<int> transitionAlphas(int nLastBlended) {
    std::vector<int> alphas(static_cast<std::size_t>(nLastBlended) + 1);
    std::iota(alphas.begin(), alphas.end(), 0);
    alphas.push_back(255);
    return alphas;
}

// Runs fn on a thread of its own; false when it has not returned within a
// bound far above any real wait, so that a hang fails the test instead of
// blocking it.
template <typename Function>
bool returnsPromptly(Function fn) {
    auto done = std::async(std::launch::async, fn);
    return done.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
}

class BlendThread : public ::testing::Test {
protected:
    BlendRunner::PresenterFactory presenterOnScreen() {
        return [this](FrameScreen&, const Rect&, bool) {
            return std::make_unique<SurfacePresenter>(m_screen, m_record);
        };
    }
    bool start(BlendEnvironment& environment) {
        m_pRunner = std::make_unique<BlendRunner>(presenterOnScreen(), environment);
        return m_pRunner->startBlend(m_unusedScreen, SCREEN, m_newImage, DrawingSurface());
    }
    bool waitUntilThreadEnds() {
        return m_pRunner->drawBlendsThread()->doneEvent().waitFor(std::chrono::seconds(30));
    }
    std::vector<std::string> threadLines() const {
        std::vector<std::string> lines;
        for (const std::string& csLine : m_trace.lines()) {
            const std::string csPrefix = "CDrawBlendsThread::InitInstance() - ";
            if (csLine.rfind(csPrefix, 0) == 0) {
                lines.push_back(csLine.substr(csPrefix.size()));
            }
        }
        return lines;
    }

    fixtures::TraceCapture m_trace;
    frame_testing::SurfaceScreen m_unusedScreen{1, 1};
    DrawingSurface m_screen = solidSurface(W, H, OLD_PICTURE);
    DrawingSurface m_newImage = solidSurface(W, H, NEW_PICTURE);
    PresenterRecord m_record;
    SteppingEnvironment m_environment;
    std::unique_ptr<BlendRunner> m_pRunner;
};

TEST_F(BlendThread, FadesInOverFiftyOneStepsThenShowsTheWholeFrame) {
    ASSERT_TRUE(start(m_environment));
    ASSERT_TRUE(waitUntilThreadEnds());

    EXPECT_EQ(m_environment.alphas(), transitionAlphas(50));
    EXPECT_EQ(m_record.nScreenCopies, 1);
    ASSERT_EQ(m_record.nPresents, 52);
    // The fade starts from what the window showed and never goes back; a
    // trace of the old picture is left for the last step to remove.
    EXPECT_EQ(m_record.centres.front(), OLD_PICTURE);
    EXPECT_TRUE(std::is_sorted(m_record.centres.begin(), m_record.centres.end()));
    EXPECT_LT(m_record.centres[50], NEW_PICTURE);
    EXPECT_TRUE(samePixels(m_screen, m_newImage));
    EXPECT_EQ(threadLines(),
              (std::vector<std::string>{"Entering Function: ", "#### Before looping",
                                        "#### Ending looping", "Exiting Function: "}));
}

TEST_F(BlendThread, StopAfterTheThreadEndedReturnsAtOnceAndConsumesTheSignal) {
    ASSERT_TRUE(start(m_environment));
    ASSERT_TRUE(waitUntilThreadEnds());

    EXPECT_TRUE(returnsPromptly([this] { m_pRunner->stopBlendThread(); }));
    EXPECT_EQ(m_pRunner->drawBlendsThread(), nullptr);
    EXPECT_TRUE(m_record.bDestroyed);
    // Left set, the signal would let the next stop return before its thread
    // has ended.
    EXPECT_FALSE(g_blendFinishedEvent.poll());
    // Nothing left to stop.
    EXPECT_TRUE(returnsPromptly([this] { m_pRunner->stopBlendThread(); }));
}

TEST_F(BlendThread, StopDuringTheTransitionShowsTheWholeFrameAtOnce) {
    m_environment.m_nHoldAfterStep = 10;
    ASSERT_TRUE(start(m_environment));
    ASSERT_TRUE(m_environment.waitUntilHeld());

    EXPECT_TRUE(returnsPromptly([this] { m_pRunner->stopBlendThread(); }));

    // The thread has ended and its presenter is gone by the time the stop
    // returns; the remaining steps were skipped.
    EXPECT_TRUE(m_record.bDestroyed);
    EXPECT_EQ(m_environment.alphas(), transitionAlphas(10));
    EXPECT_EQ(m_record.nPresents, 12);
    EXPECT_TRUE(samePixels(m_screen, m_newImage));
    EXPECT_EQ(threadLines(), (std::vector<std::string>{"Entering Function: ", "#### Before looping",
                                                       "#### Breaking", "#### Ending looping",
                                                       "Exiting Function: "}));
    EXPECT_FALSE(g_blendFinishedEvent.poll());
}

TEST_F(BlendThread, DeletingTheRunnerStopsItsTransition) {
    m_environment.m_nHoldAfterStep = 3;
    ASSERT_TRUE(start(m_environment));
    ASSERT_TRUE(m_environment.waitUntilHeld());

    EXPECT_TRUE(returnsPromptly([this] { m_pRunner.reset(); }));
    EXPECT_TRUE(m_record.bDestroyed);
    EXPECT_TRUE(samePixels(m_screen, m_newImage));
}

TEST_F(BlendThread, StartsFromThePictureShownAndBlendsInItsMemory) {
    FramePool pool;
    m_pRunner = std::make_unique<BlendRunner>(presenterOnScreen(), m_environment, &pool);
    // The owner knows the window shows grey, and hands over its memory.
    DrawingSurface shown = solidSurface(W, H, 0x808080);
    const DrawingSurface* pShown = &shown;
    const unsigned char* pPixels = cairo_image_surface_get_data(shown.get());
    ASSERT_TRUE(m_pRunner->startBlend(m_unusedScreen, SCREEN, m_newImage, std::move(shown)));
    ASSERT_TRUE(waitUntilThreadEnds());

    EXPECT_EQ(m_record.nScreenCopies, 0);
    ASSERT_EQ(m_record.nPresents, 52);
    EXPECT_EQ(m_record.centres.front(), 0x808080U);
    // Every step is made in the one surface, each after the window has let
    // go of the step before.
    EXPECT_EQ(m_record.nReclaims, 52);
    EXPECT_EQ(std::count(m_record.steps.begin(), m_record.steps.end(), m_record.steps.front()), 52);
    EXPECT_NE(m_record.steps.front(), pShown);
    EXPECT_TRUE(samePixels(m_screen, m_newImage));
    // The memory goes back for the next frame once the transition goes.
    EXPECT_EQ(pool.kept(), 0U);
    m_pRunner->stopBlendThread();
    ASSERT_EQ(pool.kept(), 1U);
    const DrawingSurface reused = pool.take(W, H);
    EXPECT_EQ(cairo_image_surface_get_data(reused.get()), pPixels);
}

TEST_F(BlendThread, WithoutSurfacesDrawsNothingButStillSignalsItsEnd) {
    m_environment.m_bFailSurfaces = true;
    ASSERT_TRUE(start(m_environment));
    ASSERT_TRUE(waitUntilThreadEnds());

    EXPECT_EQ(m_record.nScreenCopies, 0);
    EXPECT_EQ(m_record.nPresents, 0);
    EXPECT_TRUE(m_environment.alphas().empty());
    EXPECT_EQ(centre(m_screen), OLD_PICTURE);
    // The process-wide signal is there for the stop to consume.
    EXPECT_TRUE(returnsPromptly([this] { m_pRunner->stopBlendThread(); }));
    EXPECT_FALSE(g_blendFinishedEvent.poll());

    const std::vector<std::string> lines = threadLines();
    ASSERT_EQ(lines.size(), 4U);
    EXPECT_EQ(lines[1].rfind("CreateCompatibleBitmap() failed for either workingBitmap or "
                             "screenCopyBitmap; error code = ",
                             0),
              0U);
    EXPECT_EQ(lines[2].rfind("CreateCompatibleDC() failed for workingDC and screenCopyDC; "
                             "error code = ",
                             0),
              0U);
    EXPECT_EQ(lines[3], "Exiting Function: ");
}

TEST_F(BlendThread, InRealTimeEndsOnItsOwnWithTheWholeFrame) {
    ASSERT_TRUE(start(realBlendEnvironment()));
    ASSERT_TRUE(waitUntilThreadEnds());
    m_pRunner->stopBlendThread();

    EXPECT_EQ(m_record.nPresents, 52);
    EXPECT_TRUE(samePixels(m_screen, m_newImage));
}

TEST_F(BlendThread, ATransitionThatCannotBeMadeLeavesTheFrameToTheCaller) {
    BlendRunner runner([](FrameScreen&, const Rect&, bool) { return nullptr; }, m_environment);
    EXPECT_FALSE(runner.startBlend(m_unusedScreen, SCREEN, m_newImage, DrawingSurface()));
    EXPECT_EQ(runner.drawBlendsThread(), nullptr);
    EXPECT_TRUE(returnsPromptly([&runner] { runner.stopBlendThread(); }));

    const std::vector<std::string> lines = m_trace.lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "CDrawWnd::Draw(FrameScreen& dc, Rect rcScreen, bool changeImage) - "
                        "new CDrawBlendsThread( dc, rcScreen, m_newImageSaveHDC) failed."),
              lines.end());
}

TEST(BlendEvent, ManualResetStaysSetUntilReset) {
    BlendEvent event(BlendEvent::ResetMode::MANUAL);
    EXPECT_FALSE(event.poll());
    event.set();
    EXPECT_TRUE(event.poll());
    EXPECT_TRUE(event.poll());
    event.reset();
    EXPECT_FALSE(event.poll());
}

TEST(BlendEvent, AutoResetLetsOneWaitThrough) {
    BlendEvent event(BlendEvent::ResetMode::AUTO);
    event.set();
    event.set();
    EXPECT_TRUE(event.poll());
    EXPECT_FALSE(event.poll());

    std::thread setter([&event] { event.set(); });
    event.wait();
    setter.join();
    EXPECT_FALSE(event.poll());
}

} // namespace
