#include "FrameTestSupport.h"
#include "HostileJpeg.h"
#include "PackFixtures.h"
#include "imaging/Compositor.h"
#include "imaging/CxImage.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

using namespace frame_testing;

namespace {

constexpr std::uint32_t GREEN = 0x00FF00;
constexpr std::uint32_t RED = 0xFF0000;

class FrameComposition : public ::testing::Test, protected selection_testing::SelectionTest {
protected:
    FrameComposition() {
        m_composer.setWeatherPanelPainter(&m_panel);
        m_composer.setBlendImages(false);
    }

    void usePack(int nVersion, const std::map<int, std::string>& photos,
                 const std::string& csBorder = "#FF0000") {
        m_composer.setImagePackFile(
            writePhotoPack(m_folder, "frames.wxs", nVersion, photos, csBorder));
    }

    // Draws a new photo onto a screen of W by H and returns the screen.
    SurfaceScreen& drawOn(int W, int H, bool changeImage = true) {
        if (!m_pScreen || m_pScreen->m_surface.width() != W) {
            m_pScreen = std::make_unique<SurfaceScreen>(W, H);
        }
        m_composer.Draw(*m_pScreen, Rect{0, 0, W, H}, changeImage);
        return *m_pScreen;
    }

    // The full-screen show, online, so the panel is asked for.
    void fullScreenOnline() {
        m_composer.setPreview(false);
        m_environment.m_bConnected = true;
    }

    bool logged(const std::string& csText) const {
        return std::any_of(
            m_environment.m_lines.begin(), m_environment.m_lines.end(),
            [&](const std::string& line) { return line.find(csText) != std::string::npos; });
    }

    RecordingPanel m_panel;
    FrameComposer m_composer{m_environment};
    std::unique_ptr<SurfaceScreen> m_pScreen;
};

// Where the photo ends on one row or column, found by its colour.
int firstMatching(const DrawingSurface& s, int y, std::uint32_t rgb) {
    for (int x = 0; x < s.width(); ++x) {
        if (near(s.row(y)[x], rgb)) {
            return x;
        }
    }
    return -1;
}

TEST_F(FrameComposition, OlderPackScalesALandscapePhotoToNineTenthsOfTheWidth) {
    usePack(4, {{1, solidJpeg(1600, 1200, GREEN)}});
    fullScreenOnline();
    const DrawingSurface& screen = drawOn(800, 600).m_surface;
    screen.flush();
    EXPECT_EQ(m_panel.m_rectImageLocation, (Rect{40, 30, 760, 570}));
    EXPECT_EQ(firstMatching(screen, 300, GREEN), 40);
    EXPECT_TRUE(near(screen.row(300)[759], GREEN));
    EXPECT_TRUE(near(screen.row(300)[760], RED));
    EXPECT_TRUE(near(screen.row(29)[400], RED));
    EXPECT_TRUE(near(screen.row(30)[400], GREEN));
    EXPECT_TRUE(near(screen.row(569)[400], GREEN));
    EXPECT_TRUE(near(screen.row(570)[400], RED));
    EXPECT_TRUE(logged("Image is larger than the screen.  Going to resize the image smaller."));
}

TEST_F(FrameComposition, OlderPackScalesAPortraitPhotoToNineTenthsOfTheHeight) {
    usePack(4, {{1, solidJpeg(600, 800, GREEN)}});
    fullScreenOnline();
    const DrawingSurface& screen = drawOn(1024, 768).m_surface;
    EXPECT_EQ(m_panel.m_rectImageLocation, (Rect{255, 42, 768, 726}));
    screen.flush();
    EXPECT_EQ(firstMatching(screen, 400, GREEN), 255);
    EXPECT_TRUE(near(screen.row(400)[767], GREEN));
    EXPECT_TRUE(near(screen.row(400)[768], RED));
}

TEST_F(FrameComposition, Version5CropsALargerPhotoAroundItsCentre) {
    // Red everywhere the crop should cut away; the kept part is green.
    DrawingSurface photo = fixtures::solidSurface(1600, 1200, RED);
    Compositor(photo).fillRect(Rect{160, 88, 1440, 1112}, makeColorref(0, 255, 0));
    usePack(5, {{1, fixtures::jpegOf(photo)}}, "#0000FF");
    fullScreenOnline();
    const DrawingSurface& screen = drawOn(1280, 1024).m_surface;
    EXPECT_EQ(m_panel.m_rectImageLocation, (Rect{0, 0, 1280, 1024}));
    EXPECT_EQ(m_panel.m_infoSeen.boxlocation, 4);
    EXPECT_EQ(m_panel.m_infoSeen.cropShiftX, -160);
    EXPECT_EQ(m_panel.m_infoSeen.cropShiftY, -88);
    screen.flush();
    // Inset by a JPEG block, whose colours bleed across the crop's edge.
    for (const auto& [x, y] : {std::pair{16, 16}, {1263, 16}, {16, 1007}, {1263, 1007}}) {
        EXPECT_TRUE(near(screen.row(y)[x], GREEN)) << x << "," << y;
    }
}

TEST_F(FrameComposition, SmallPhotoIsCentredOverTheBorderColour) {
    usePack(4, {{1, solidJpeg(200, 100, GREEN)}});
    const DrawingSurface& screen = drawOn(400, 300).m_surface;
    screen.flush();
    EXPECT_TRUE(near(screen.row(0)[0], RED));
    EXPECT_TRUE(near(screen.row(299)[399], RED));
    EXPECT_TRUE(near(screen.row(99)[200], RED));
    EXPECT_TRUE(near(screen.row(100)[100], GREEN));
    EXPECT_TRUE(near(screen.row(199)[299], GREEN));
    EXPECT_TRUE(near(screen.row(150)[300], RED));
    EXPECT_TRUE(logged("Image is same size as, or smaller than, the screen."));
}

TEST_F(FrameComposition, WideScreenFitsALandscapePhotoByItsHeight) {
    usePack(4, {{1, solidJpeg(1600, 1200, GREEN)}});
    fullScreenOnline();
    drawOn(1920, 1080);
    // Nine tenths of the width would be 1296 rows high, more than the screen.
    EXPECT_EQ(m_panel.m_rectImageLocation, (Rect{312, 54, 1608, 1026}));
}

TEST_F(FrameComposition, PreviewPaintsBlackFirstAndNeverAsksForThePanel) {
    usePack(4, {{1, solidJpeg(100, 100, GREEN)}});
    m_environment.m_bConnected = true;
    SurfaceScreen& screen = drawOn(300, 200);
    EXPECT_EQ(screen.m_nBlackPaints, 1);
    EXPECT_EQ(screen.m_centreBeforeLastFrame, 0u);
    EXPECT_EQ(screen.m_nFramesShown, 1);
    drawOn(300, 200);
    EXPECT_EQ(screen.m_nBlackPaints, 1); // only before the first frame
    EXPECT_EQ(screen.m_nFramesShown, 2);
    EXPECT_TRUE(m_panel.m_calls.empty());
}

TEST_F(FrameComposition, FullScreenPaintsBlackFirstOnlyWithClearScreen) {
    usePack(4, {{1, solidJpeg(100, 100, GREEN)}});
    m_composer.setPreview(false);
    SurfaceScreen& screen = drawOn(300, 200);
    EXPECT_EQ(screen.m_nBlackPaints, 0);
    EXPECT_EQ(screen.m_centreBeforeLastFrame, 0x808080u);

    FrameComposer cleared(m_environment);
    cleared.setImagePackFile(m_folder.file("frames.wxs"));
    cleared.setPreview(false);
    cleared.setClearScreen(true);
    SurfaceScreen other(300, 200);
    cleared.Draw(other, Rect{0, 0, 300, 200}, true);
    EXPECT_EQ(other.m_nBlackPaints, 1);
}

TEST_F(FrameComposition, PausedPreviewDrawsNothingAndTheNextDrawIsAFirstFrame) {
    usePack(4, {{1, solidJpeg(100, 100, GREEN)}});
    SurfaceScreen& screen = drawOn(300, 200);
    ASSERT_TRUE(m_composer.currentFrame().isValid());
    m_composer.setPausePreview(true);
    drawOn(300, 200);
    EXPECT_TRUE(logged("m_pausePreivew == true. Not showing the next image."));
    EXPECT_EQ(screen.m_nFramesShown, 1);
    EXPECT_FALSE(m_composer.currentFrame().isValid());
    m_composer.setPausePreview(false);
    drawOn(300, 200);
    EXPECT_EQ(screen.m_nBlackPaints, 2);
    EXPECT_EQ(screen.m_nFramesShown, 2);
}

TEST_F(FrameComposition, RedrawWithoutChangeKeepsThePhoto) {
    usePack(4, {{1, solidJpeg(100, 100, GREEN)}, {2, solidJpeg(100, 100, 0x0000FF)}});
    m_composer.setDisplayMethod(3, 2); // every photo in pack order
    const DrawingSurface& screen = drawOn(200, 200).m_surface;
    const WxImageInfo first = m_composer.currentWxImageInfo();
    screen.flush();
    const std::uint32_t centre = screen.row(100)[100];
    drawOn(200, 200, false);
    EXPECT_EQ(m_composer.currentWxImageInfo(), first);
    screen.flush();
    EXPECT_EQ(screen.row(100)[100], centre);
    drawOn(200, 200, true);
    EXPECT_NE(m_composer.currentWxImageInfo().image, first.image);
}

TEST_F(FrameComposition, FailedDrawsShowNothingAndLeaveNoFrame) {
    SurfaceScreen screen(100, 100);
    m_composer.setImagePackFile("");
    m_composer.Draw(screen, Rect{0, 0, 100, 100}, true);
    EXPECT_TRUE(logged("m_imagedll is NULL, can't show an image!!!"));

    // A pack whose photo resource is missing.
    fixtures::writePack(m_folder.file("empty.wxs"), fixtures::completeManifest(4));
    m_composer.setImagePackFile(m_folder.file("empty.wxs"));
    m_composer.Draw(screen, Rect{0, 0, 100, 100}, true);
    EXPECT_TRUE(logged("FindResource() failed, m_imagedll->getModuleHandle() = "));
    EXPECT_TRUE(logged(", m_currentWxImageInfo.imageIdentifier = #"));

    // A photo that is not a JPEG.
    fixtures::writePack(m_folder.file("broken.wxs"), fixtures::completeManifest(4),
                        {{101, "not a picture"}, {102, "x"}, {201, "x"}, {202, "x"}});
    m_composer.setImagePackFile(m_folder.file("broken.wxs"));
    m_composer.Draw(screen, Rect{0, 0, 100, 100}, true);
    EXPECT_TRUE(logged("currentImage->LoadResource() failed to load"));

    // A hidden preview, and a window of no size.
    usePack(4, {{1, solidJpeg(10, 10, GREEN)}});
    screen.m_bVisible = false;
    m_composer.Draw(screen, Rect{0, 0, 100, 100}, true);
    EXPECT_TRUE(logged("The preview window is not visisble, don't bother to do anything."));
    // The black comes before the photo is looked for: once for each pack
    // whose photo then failed.
    EXPECT_EQ(screen.m_nBlackPaints, 2);
    screen.m_bVisible = true;
    m_composer.Draw(screen, Rect{0, 0, 0, 0}, true);
    EXPECT_TRUE(logged("CreateCompatibleBitmap() for bmpNewImage failed; error code = "));

    EXPECT_EQ(screen.m_nFramesShown, 0);
    EXPECT_FALSE(m_composer.currentFrame().isValid());
}

// A smooth picture: sky-like gradients, what the photos mostly are.
DrawingSurface gradients(int w, int h) {
    DrawingSurface surface = DrawingSurface::create(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            surface.row(y)[x] = 0xFF000000u | static_cast<std::uint32_t>((x * 255 / w) << 16) |
                                static_cast<std::uint32_t>((y * 255 / h) << 8) |
                                static_cast<std::uint32_t>(((x + y) * 255 / (w + h)));
        }
    }
    surface.markDirty();
    return surface;
}

TEST_F(FrameComposition, AShrunkPhotoDecodedAtHalfSizeLooksLikeTheWholeOneShrunk) {
    const DrawingSurface photo = gradients(1600, 1200);
    const std::string jpeg = fixtures::jpegOf(photo);
    usePack(4, {{1, jpeg}});
    const DrawingSurface& screen = drawOn(800, 600).m_surface;
    // The old way: every pixel decoded, then every other one kept.
    CxImage whole;
    ASSERT_TRUE(whole.Decode(reinterpret_cast<const std::uint8_t*>(jpeg.data()), jpeg.size(),
                             CXIMAGE_FORMAT_JPG));
    DrawingSurface reference = DrawingSurface::create(800, 600);
    reference.fill(0xFF0000);
    ASSERT_TRUE(whole.Draw(&reference, 40, 30, 720, 540));
    // Decoded at half size, each pixel is the mean of a 2 x 2 block rather
    // than one of its pixels: on a photo's gradients that is under a level.
    double difference = 0;
    screen.flush();
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            for (const int shift : {0, 8, 16}) {
                difference += std::abs(static_cast<int>((screen.row(y)[x] >> shift) & 0xFF) -
                                       static_cast<int>((reference.row(y)[x] >> shift) & 0xFF));
            }
        }
    }
    EXPECT_LT(difference / (800.0 * 600 * 3), 1.0);
}

TEST_F(FrameComposition, AHostilePhotoIsRefusedAndTheShowGoesOnWithTheNext) {
    hostile::ProgressiveJpeg hostileFile;
    hostileFile.nPadTo = 66 * 1024;
    usePack(5, {{1, hostileFile.bytes()}, {2, solidJpeg(200, 100, GREEN)}});
    m_composer.setDisplayMethod(3, 2); // every photo in pack order
    SurfaceScreen& screen = drawOn(400, 300);
    drawOn(400, 300);
    // One of the two draws was refused, the other shows the green photo.
    EXPECT_TRUE(logged("currentImage->LoadResource() failed to load, "
                       "m_currentWxImageInfo.imageIdentifier = #101"));
    EXPECT_EQ(screen.m_nFramesShown, 1);
    screen.m_surface.flush();
    EXPECT_TRUE(near(screen.m_surface.row(150)[200], GREEN));
}

TEST_F(FrameComposition, FramesReuseTheirMemoryAndKeepNothingOfThePhotoBefore) {
    usePack(4, {{1, solidJpeg(400, 300, GREEN)}, {2, solidJpeg(100, 50, 0x0000FF)}});
    m_composer.setDisplayMethod(3, 2);
    std::set<const unsigned char*> buffers;
    bool bChecked = false;
    for (int i = 0; i < 4; ++i) {
        drawOn(400, 300);
        const DrawingSurface& frame = m_composer.currentFrame();
        ASSERT_TRUE(frame.isValid());
        buffers.insert(cairo_image_surface_get_data(frame.get()));
        if (m_composer.currentWxImageInfo().image != 2 || i == 0) {
            continue;
        }
        // The small photo in a frame that held the big one: red around it.
        bChecked = true;
        frame.flush();
        for (int y = 0; y < 300; ++y) {
            for (int x = 0; x < 400; ++x) {
                ASSERT_FALSE(near(frame.row(y)[x], GREEN)) << x << "," << y;
            }
        }
        EXPECT_TRUE(near(frame.row(10)[10], RED));
        EXPECT_TRUE(near(frame.row(150)[200], 0x0000FF));
    }
    EXPECT_TRUE(bChecked);
    // Without a blend, two frames take turns.
    EXPECT_EQ(buffers.size(), 2U);
}

TEST_F(FrameComposition, TheBlendStartsFromWhatTheWindowShows) {
    RecordingBlender blender;
    m_composer.setFrameBlender(&blender);
    m_composer.setBlendImages(true);
    usePack(4, {{1, solidJpeg(100, 100, GREEN)}, {2, solidJpeg(100, 100, 0x0000FF)}});
    m_composer.setDisplayMethod(3, 2);
    // A preview's first frame comes in over the black it painted.
    drawOn(200, 200);
    ASSERT_TRUE(blender.m_shown.isValid());
    blender.m_shown.flush();
    EXPECT_EQ(blender.m_shown.row(100)[100] & 0xFFFFFF, 0U);
    const DrawingSurface first = m_composer.currentFrame().clone();
    // The next one over the frame before, whole.
    drawOn(200, 200);
    ASSERT_TRUE(blender.m_shown.isValid());
    blender.m_shown.flush();
    first.flush();
    EXPECT_TRUE(std::equal(first.row(0), first.row(0) + 200 * 200, blender.m_shown.row(0)));
    // A full-screen show without clearing starts from whatever is there: the
    // transition reads the window itself.
    FrameComposer fullScreen(m_environment);
    fullScreen.setFrameBlender(&blender);
    fullScreen.setPreview(false);
    fullScreen.setImagePackFile(m_folder.file("frames.wxs"));
    SurfaceScreen other(200, 200);
    fullScreen.Draw(other, Rect{0, 0, 200, 200}, true);
    EXPECT_FALSE(blender.m_shown.isValid());
    fullScreen.setFrameBlender(nullptr);
    m_composer.setFrameBlender(nullptr);
}

} // namespace
