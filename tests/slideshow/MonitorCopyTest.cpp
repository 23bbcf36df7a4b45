#include "slideshow/MonitorCopy.h"

#include "FrameTestSupport.h"
#include "PackFixtures.h"

#include <gtest/gtest.h>

using namespace frame_testing;

namespace {

// The other monitors' screens, as a test sees them.
class RecordingScreens : public MonitorCopyScreens {
public:
    void showCopies(std::vector<MonitorCopy> copies) override {
        ++m_nCalls;
        m_copies = std::move(copies);
    }
    int m_nCalls = 0;
    std::vector<MonitorCopy> m_copies;
};

class MultipleMonitors : public ::testing::Test, protected selection_testing::SelectionTest {
protected:
    MultipleMonitors() {
        m_composer.setBlendImages(false);
        m_composer.setPreview(false);
    }

    // A photo of the frame's own size whose four quadrants differ, so that
    // every part of the frame can be told apart.
    void usePhotoOfSize(int W, int H) {
        m_composer.setImagePackFile(writePhotoPack(
            m_folder, "monitors.wxs", 5, {{1, fixtures::jpegOf(fixtures::quadrantSurface(W, H))}}));
    }

    // Draws with the show's window covering a primary of W x H at (0, 0).
    void draw(int W, int H, const std::vector<CMonitor>& monitors) {
        m_pScreen = std::make_unique<SurfaceScreen>(W, H);
        drawMultipleMonitor(m_composer, *m_pScreen, Rect{0, 0, W, H}, true, CMonitors(monitors),
                            &m_others);
    }

    FrameComposer m_composer{m_environment};
    std::unique_ptr<SurfaceScreen> m_pScreen;
    RecordingScreens m_others;
};

std::uint32_t rgbAt(const DrawingSurface& surface, int x, int y) {
    return surface.row(y)[x] & 0xFFFFFF;
}

// The picture is black but for the frame's part source, placed at (dx, dy).
void expectCopy(const DrawingSurface& picture, const DrawingSurface& frame, const Rect& source,
                int dx, int dy) {
    picture.flush();
    frame.flush();
    int nWrong = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const int fx = x - dx + source.left;
            const int fy = y - dy + source.top;
            const bool bInside =
                fx >= source.left && fx < source.right && fy >= source.top && fy < source.bottom;
            const std::uint32_t expected = bInside ? rgbAt(frame, fx, fy) : 0;
            if (rgbAt(picture, x, y) != expected && ++nWrong <= 3) {
                ADD_FAILURE() << "at (" << x << ", " << y << "): " << std::hex
                              << rgbAt(picture, x, y) << " instead of " << expected;
            }
        }
    }
    EXPECT_EQ(nWrong, 0);
}

TEST_F(MultipleMonitors, EachOtherMonitorShowsTheFrameByTheCopyRules) {
    struct Case {
        const char* what;
        int pw, ph; // the primary monitor, and so the frame
        int mw, mh; // the other monitor
        Rect source;
        int dx, dy;
    };
    const Case cases[] = {
        {"equal sizes: the whole frame", 1280, 1024, 1280, 1024, {0, 0, 1280, 1024}, 0, 0},
        {"a larger monitor: centred in black", 1280, 1024, 1920, 1080, {0, 0, 1280, 1024}, 320, 28},
        {"a smaller monitor: the frame's middle",
         1920,
         1080,
         1280,
         1024,
         {320, 28, 1600, 1052},
         0,
         0},
        {"a taller, narrower monitor: the middle columns, black below",
         1280,
         1024,
         1024,
         1280,
         {128, 0, 1152, 1024},
         0,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        usePhotoOfSize(c.pw, c.ph);
        // The other monitor comes first in enumeration order, left of the primary.
        draw(c.pw, c.ph,
             {CMonitor(Rect{-c.mw, 0, 0, c.mh}, false, "left"),
              CMonitor(Rect{0, 0, c.pw, c.ph}, true, "primary")});
        const DrawingSurface& frame = m_composer.currentFrame();
        ASSERT_TRUE(frame.isValid());
        ASSERT_EQ(m_others.m_copies.size(), 1u);
        const MonitorCopy& copy = m_others.m_copies[0];
        EXPECT_EQ(copy.monitor.getDeviceName(), "left");
        ASSERT_EQ(copy.picture.width(), c.mw);
        ASSERT_EQ(copy.picture.height(), c.mh);
        expectCopy(copy.picture, frame, c.source, c.dx, c.dy);
        EXPECT_EQ(monitorCopyPlacement(c.pw, c.ph, c.mw, c.mh),
                  (MonitorCopyPlacement{c.source, c.dx, c.dy}));
    }
}

TEST_F(MultipleMonitors, EveryMonitorButThePrimaryGetsItsOwnCopy) {
    usePhotoOfSize(640, 480);
    draw(640, 480,
         {CMonitor(Rect{-800, 0, 0, 600}, false, "left"),
          CMonitor(Rect{0, 0, 640, 480}, true, "primary"),
          CMonitor(Rect{640, -100, 1280, 380}, false, "right")});
    ASSERT_EQ(m_others.m_copies.size(), 2u);
    EXPECT_EQ(m_others.m_copies[0].monitor.getDeviceName(), "left");
    EXPECT_EQ(m_others.m_copies[1].monitor.getDeviceName(), "right");
    expectCopy(m_others.m_copies[0].picture, m_composer.currentFrame(), Rect{0, 0, 640, 480}, 80,
               60);
    expectCopy(m_others.m_copies[1].picture, m_composer.currentFrame(), Rect{0, 0, 640, 480}, 0, 0);
    // The show's own window got the frame once.
    EXPECT_EQ(m_pScreen->m_nFramesShown, 1);
}

TEST_F(MultipleMonitors, PreviewsAndSingleMonitorsLeaveTheOtherScreensAlone) {
    usePhotoOfSize(320, 240);
    m_composer.setPreview(true);
    draw(320, 240,
         {CMonitor(Rect{0, 0, 320, 240}, true, "primary"),
          CMonitor(Rect{320, 0, 1920, 1080}, false, "second")});
    EXPECT_EQ(m_others.m_nCalls, 0);
    EXPECT_EQ(m_pScreen->m_nFramesShown, 1);

    m_composer.setPreview(false);
    draw(320, 240, {CMonitor(Rect{0, 0, 320, 240}, true, "only")});
    EXPECT_EQ(m_pScreen->m_nFramesShown, 1);
    EXPECT_TRUE(m_others.m_copies.empty()); // no copy, and no screen kept for one
}

TEST_F(MultipleMonitors, ADrawThatDidNotCompleteLeavesTheOtherMonitorsBlack) {
    m_composer.setImagePackFile("");
    draw(320, 240,
         {CMonitor(Rect{0, 0, 320, 240}, true, "primary"),
          CMonitor(Rect{320, 0, 480, 120}, false, "second")});
    EXPECT_FALSE(m_composer.currentFrame().isValid());
    ASSERT_EQ(m_others.m_copies.size(), 1u);
    expectCopy(m_others.m_copies[0].picture, DrawingSurface(), Rect{}, 0, 0);
}

TEST(Monitors, ExactlyOneMonitorIsThePrimary) {
    const CMonitors none(
        {CMonitor(Rect{0, 0, 10, 10}, false, "a"), CMonitor(Rect{10, 0, 20, 10}, false, "b")});
    EXPECT_TRUE(none.getMonitor(0).isPrimaryMonitor());
    EXPECT_FALSE(none.getMonitor(1).isPrimaryMonitor());
    const CMonitors two({CMonitor(Rect{0, 0, 10, 10}, false, "a"),
                         CMonitor(Rect{10, 0, 20, 10}, true, "b"),
                         CMonitor(Rect{20, 0, 30, 10}, true, "c")});
    EXPECT_EQ(two.primaryMonitor().getDeviceName(), "b");
    EXPECT_FALSE(two.getMonitor(2).isPrimaryMonitor());
    Rect rect{1, 2, 3, 4};
    two.getMonitor(3).getMonitorRect(rect);
    EXPECT_TRUE(rect.isEmpty()); // outside the list: an empty monitor
    EXPECT_EQ(CMonitors({}).getCount(), 0);
}

} // namespace
