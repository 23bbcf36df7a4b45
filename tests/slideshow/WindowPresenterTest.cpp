#include "slideshow/WindowFramePresenter.h"
#include "support/WxTestApplication.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>
#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/window.h>

namespace {

constexpr int W = 80;
constexpr int H = 60;

// Runs the toolkit's events until condition holds; false when it did not
// within a bound that only a hang reaches.
template <typename Condition>
bool runEventsUntil(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    for (;;) {
        wxTheApp->Yield(true);
        wxTheApp->ProcessPendingEvents();
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::uint32_t shownCentre(wxWindow& window) {
    const DrawingSurface shown = captureWindow(window);
    if (!shown.isValid()) {
        return 0xDEADBEEF;
    }
    return shown.row(shown.height() / 2)[shown.width() / 2] & 0xFFFFFF;
}

void paintWindow(wxWindow& window, std::uint32_t rgb) {
    wxClientDC dc(&window);
    dc.SetBackground(wxBrush(wxColour((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF)));
    dc.Clear();
}

// A loaded machine may take a while to hand drawing to the display, so
// events run until the centre shows the colour looked for; the last colour
// seen is the answer.
std::uint32_t centreOnceSettled(wxWindow& window, std::uint32_t expected) {
    std::uint32_t shown = shownCentre(window);
    runEventsUntil([&] { return (shown = shownCentre(window)) == expected; });
    return shown;
}

// Presents one step of one colour from a thread of its own, as the blend
// thread does. The presenter reads the step after present() returns: the
// caller keeps it.
bool presentFromThread(WindowFramePresenter& presenter, DrawingSurface& step, std::uint32_t rgb) {
    bool ok = false;
    std::thread blend([&] {
        presenter.reclaim(step);
        step.fill(rgb);
        ok = presenter.present(step, Rect{0, 0, W, H});
    });
    blend.join();
    return ok;
}

class WindowPresenter : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testing_support::wxApplicationReady()) {
            GTEST_SKIP() << "needs a display";
        }
        m_pFrame =
            new wxFrame(nullptr, wxID_ANY, "blend", wxPoint(0, 0), wxSize(W, H), wxBORDER_NONE);
        m_pWindow = new wxWindow(m_pFrame, wxID_ANY, wxPoint(0, 0), wxSize(W, H));
        m_pFrame->Show();
        ASSERT_TRUE(runEventsUntil([this] { return m_pWindow->IsShownOnScreen(); }));
        // Without a window manager the first layout may leave the child tiny.
        m_pFrame->SetClientSize(W, H);
        m_pWindow->SetSize(0, 0, W, H);
        ASSERT_TRUE(runEventsUntil([this] { return m_pWindow->GetClientSize() == wxSize(W, H); }));
        ASSERT_TRUE(runEventsUntil([this] {
            paintWindow(*m_pWindow, 0xFF0000);
            return shownCentre(*m_pWindow) == 0xFF0000U;
        }));
    }
    void TearDown() override {
        if (m_pFrame != nullptr) {
            m_pFrame->Destroy();
            runEventsUntil([this] { return !wxTheApp->IsScheduledForDestruction(m_pFrame); });
        }
    }

    wxFrame* m_pFrame = nullptr;
    wxWindow* m_pWindow = nullptr;
    DrawingSurface m_stepA = DrawingSurface::create(W, H);
    DrawingSurface m_stepB = DrawingSurface::create(W, H);
};

TEST_F(WindowPresenter, StartsFromWhatTheWindowShowsAndDrawsStepsOnTheInterfaceThread) {
    ASSERT_EQ(m_pWindow->GetClientSize(), wxSize(W, H));
    ASSERT_EQ(shownCentre(*m_pWindow), 0xFF0000U);
    WindowFramePresenter presenter(*m_pWindow, true);
    DrawingSurface screenCopy = DrawingSurface::create(W, H);
    ASSERT_TRUE(presenter.copyScreen(screenCopy, Rect{0, 0, W, H}));
    EXPECT_EQ(screenCopy.row(H / 2)[W / 2] & 0xFFFFFF, 0xFF0000U);

    ASSERT_TRUE(presentFromThread(presenter, m_stepA, 0x0000FF));
    EXPECT_EQ(centreOnceSettled(*m_pWindow, 0x0000FF), 0x0000FFU);
    // Steps that arrive faster than they are drawn: the newest wins.
    ASSERT_TRUE(presentFromThread(presenter, m_stepB, 0x00FF00));
    ASSERT_TRUE(presentFromThread(presenter, m_stepA, 0xFFFF00));
    EXPECT_EQ(centreOnceSettled(*m_pWindow, 0xFFFF00), 0xFFFF00U);
}

TEST_F(WindowPresenter, AStepTakenBackBeforeItIsDrawnIsNotDrawn) {
    WindowFramePresenter presenter(*m_pWindow, false);
    ASSERT_TRUE(presentFromThread(presenter, m_stepA, 0x0000FF));
    // The thread wants the surface for the next step before the window
    // came round to drawing it.
    std::thread blend([&] { presenter.reclaim(m_stepA); });
    blend.join();
    m_stepA.fill(0x00FF00);
    // The handed-over call runs now, and finds nothing to draw.
    wxTheApp->ProcessPendingEvents();
    EXPECT_EQ(shownCentre(*m_pWindow), 0xFF0000U);
}

TEST_F(WindowPresenter, ALastStepNotYetDrawnIsDrawnWhenThePresenterGoes) {
    auto pPresenter = std::make_unique<WindowFramePresenter>(*m_pWindow, false);
    ASSERT_TRUE(presentFromThread(*pPresenter, m_stepA, 0x00FF00));
    pPresenter.reset();
    EXPECT_EQ(shownCentre(*m_pWindow), 0x00FF00U);
    // The handed-over call still queued draws nothing more.
    paintWindow(*m_pWindow, 0x0000FF);
    runEventsUntil([] { return !wxTheApp->HasPendingEvents(); });
    // A stale draw would leave green there for good.
    EXPECT_EQ(centreOnceSettled(*m_pWindow, 0x0000FF), 0x0000FFU);
}

} // namespace
