#include "imaging/DrawingSurface.h"
#include "imaging/Rect.h"
#include "platform/Process.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/WaitUntil.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

constexpr int HOST_WIDTH = 400;
constexpr int HOST_HEIGHT = 300;

std::uint32_t pixel(const DrawingSurface& shot, int x, int y) {
    return shot.row(y)[x] & 0xFFFFFF;
}

// The window's part of two pictures of the screen is the same.
bool samePixels(const DrawingSurface& a, const DrawingSurface& b) {
    for (int y = 0; y < HOST_HEIGHT; ++y) {
        for (int x = 0; x < HOST_WIDTH; ++x) {
            if (pixel(a, x, y) != pixel(b, x, y)) {
                return false;
            }
        }
    }
    return true;
}

// The preview host runs the program in its window, as a display-settings
// panel would; a screenshot of the display shows what the preview drew.
TEST(PreviewWindow, HostShowsASamplePhotoCentredOverItsBorderColour) {
    if (std::getenv("DISPLAY") == nullptr) {
        GTEST_SKIP() << "needs a display (run under xvfb-run)";
    }
    testing_support::TempFolder data;
    testing_support::ScopedEnvironment installFolder("NIMBORA_INSTALL_FOLDER", INSTALL_FOLDER);
    testing_support::ScopedEnvironment dataHome("NIMBORA_DATA_HOME", data.path());
    // The log tells when a fade has ended.
    testing_support::ScopedEnvironment logging("NIMBORA_LOGGING", "1");
    // The toolkit's teardown leaks vary from run to run; the exit code must
    // speak of the preview, not of them.
    testing_support::ScopedEnvironment noLeakCheck("ASAN_OPTIONS", "detect_leaks=0");
    platform::Process host = platform::Process::start(
        {PREVIEW_HOST, "--size", std::to_string(HOST_WIDTH) + "x" + std::to_string(HOST_HEIGHT),
         SCREENSAVER});
    ASSERT_TRUE(host.isRunning());
    const auto fadesEnded = [&data] {
        const std::string log = data.read("Nimbora/Screensaver/screensaver.log");
        std::size_t count = 0;
        for (std::size_t at = log.find("#### Ending looping"); at != std::string::npos;
             at = log.find("#### Ending looping", at + 1)) {
            ++count;
        }
        return count;
    };
    const std::string csShot = data.file("shot.png");
    const auto takeShot = [&csShot] {
        platform::Process grab =
            platform::Process::start({"import", "-window", "root", "png:" + csShot});
        EXPECT_EQ(grab.wait(60000), 0);
        DrawingSurface taken(cairo_image_surface_create_from_png(csShot.c_str()));
        if (taken.isValid()) {
            taken.flush();
        }
        return taken;
    };
    // A slow machine (or a sanitizer build) takes a while to start the
    // program and decode the first photo: wait until its fade has ended,
    // then until two pictures of the screen in a row show the same photo.
    EXPECT_TRUE(
        testing_support::waitUntil([&] { return fadesEnded() > 0; }, std::chrono::seconds(90)))
        << "the first photo never finished fading in";
    DrawingSurface shot = takeShot();
    ASSERT_TRUE(shot.isValid());
    ASSERT_GE(shot.width(), HOST_WIDTH);
    EXPECT_TRUE(testing_support::waitUntil([&] {
        DrawingSurface next = takeShot();
        const bool bSettled = next.isValid() && samePixels(next, shot) &&
                              pixel(next, HOST_WIDTH / 2, HOST_HEIGHT / 2) != pixel(next, 2, 2);
        shot = std::move(next);
        return bSettled;
    })) << "the screen never settled on a photo";
    ASSERT_TRUE(shot.isValid());
    kill(host.pid(), SIGTERM);
    EXPECT_EQ(host.wait(60000), 0); // the preview ended with its window

    const std::uint32_t border = pixel(shot, 2, 2);
    EXPECT_EQ(pixel(shot, HOST_WIDTH - 3, 2), border);
    EXPECT_EQ(pixel(shot, 2, HOST_HEIGHT - 3), border);
    EXPECT_EQ(pixel(shot, HOST_WIDTH - 3, HOST_HEIGHT - 3), border);
    Rect photo{HOST_WIDTH, HOST_HEIGHT, 0, 0};
    for (int y = 0; y < HOST_HEIGHT; ++y) {
        for (int x = 0; x < HOST_WIDTH; ++x) {
            if (pixel(shot, x, y) != border) {
                photo = Rect{std::min(photo.left, x), std::min(photo.top, y),
                             std::max(photo.right, x + 1), std::max(photo.bottom, y + 1)};
            }
        }
    }
    ASSERT_FALSE(photo.isEmpty()) << "no photo on the screen";
    // Nine tenths of the window's width, with equal margins.
    EXPECT_NEAR(photo.width(), HOST_WIDTH * 9 / 10, 2);
    EXPECT_NEAR(photo.left, HOST_WIDTH - photo.right, 2);
    EXPECT_NEAR(photo.top, HOST_HEIGHT - photo.bottom, 2);
}

} // namespace
