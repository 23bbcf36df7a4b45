// The dialogs' pictures, looked at pixel by pixel.
#include "res/Bitmaps.h"
#include "res/DialogTemplates.h"
#include "res/EmbeddedPicture.h"
#include "res/ResourceIds.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

std::uint32_t alphaAt(const DrawingSurface& surface, int x, int y) {
    return surface.row(y)[x] >> 24;
}

// Relative luminance of an opaque pixel, as the contrast of text is judged.
double luminance(std::uint32_t pixel) {
    const auto linear = [](std::uint32_t channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear((pixel >> 16) & 0xFF) + 0.7152 * linear((pixel >> 8) & 0xFF) +
           0.0722 * linear(pixel & 0xFF);
}

double contrast(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

TEST(Artwork, BitmapsHaveTheSizesTheTemplatesWereDrawnFor) {
    EXPECT_EQ(res::bitmapSize(res::IDB_MONITOR), (Size{129, 117}));
    EXPECT_EQ(res::bitmapSize(res::IDB_ABOUT_BACKGROUND), (Size{225, 162}));
    EXPECT_EQ(res::bitmapSize(999), (Size{}));
    EXPECT_FALSE(res::renderBitmap(999, 10, 10).isValid());
    EXPECT_FALSE(res::renderBitmap(res::IDB_MONITOR, 0, 10).isValid());
    const DrawingSurface monitor = res::loadBitmap(res::IDB_MONITOR);
    ASSERT_TRUE(monitor.isValid());
    EXPECT_EQ(monitor.width(), 129);
    EXPECT_EQ(monitor.height(), 117);
}

TEST(Artwork, TheMonitorFramesItsScreenWhereThePreviewGoes) {
    for (const int nScale : {1, 3}) {
        SCOPED_TRACE("scale " + std::to_string(nScale));
        const DrawingSurface monitor =
            res::renderBitmap(res::IDB_MONITOR, 129 * nScale, 117 * nScale);
        const Rect screen{res::kMonitorScreen.left * nScale, res::kMonitorScreen.top * nScale,
                          res::kMonitorScreen.right * nScale, res::kMonitorScreen.bottom * nScale};
        // Around the monitor the dialog shows through.
        EXPECT_EQ(alphaAt(monitor, 0, 0), 0u);
        EXPECT_EQ(alphaAt(monitor, monitor.width() - 1, 0), 0u);
        EXPECT_EQ(alphaAt(monitor, 0, monitor.height() - 1), 0u);
        // The screen is dark glass, and the bezel closes round it.
        for (int y = screen.top; y < screen.bottom; y += nScale) {
            for (int x = screen.left; x < screen.right; x += nScale) {
                ASSERT_EQ(alphaAt(monitor, x, y), 255u) << x << "," << y;
                ASSERT_LT(luminance(monitor.row(y)[x]), 0.08) << x << "," << y;
            }
        }
        for (const auto& [x, y] :
             {std::pair{screen.left - 2 * nScale, (screen.top + screen.bottom) / 2},
              std::pair{screen.right + nScale, (screen.top + screen.bottom) / 2},
              std::pair{(screen.left + screen.right) / 2, screen.top - 2 * nScale},
              std::pair{(screen.left + screen.right) / 2, screen.bottom + nScale}}) {
            EXPECT_EQ(alphaAt(monitor, x, y), 255u) << x << "," << y;
        }
    }
}

// The about box's texts are drawn straight on its picture, so the picture
// must be light wherever a text stands.
TEST(Artwork, TheAboutPictureKeepsEveryTextReadable) {
    const DrawingSurface picture = res::loadBitmap(res::IDB_ABOUT_BACKGROUND);
    ASSERT_TRUE(picture.isValid());
    const DialogTemplate& about = *res::findDialogTemplate(res::IDD_ABOUTBOX);
    // The template's units on the display it was drawn for: 1.5 x 1.625 pixels.
    const double dLinks = luminance(0xFF336691); // RGB(51, 102, 145)
    const double dText = luminance(0xFF2E3436);  // the desktop's text colour
    for (const ControlTemplate& control : about.controls) {
        if (control.kind != ControlKind::Label) {
            continue;
        }
        SCOPED_TRACE("control " + std::to_string(control.id));
        const bool bLink =
            control.id == res::IDC_VIEW_PHOTOS_LINK || control.id == res::IDC_SUBMIT_PHOTOS_LINK;
        const int nLeft = static_cast<int>(control.rect.x * 1.5);
        const int nTop = static_cast<int>(control.rect.y * 1.625);
        const int nRight = static_cast<int>((control.rect.x + control.rect.width) * 1.5);
        const int nBottom = static_cast<int>((control.rect.y + control.rect.height) * 1.625);
        double dWorst = 100;
        for (int y = nTop; y < nBottom; ++y) {
            for (int x = nLeft; x < nRight; ++x) {
                EXPECT_EQ(alphaAt(picture, x, y), 255u);
                dWorst = std::min(dWorst,
                                  contrast(luminance(picture.row(y)[x]), bLink ? dLinks : dText));
            }
        }
        EXPECT_GE(dWorst, 4.5);
    }
}

TEST(Artwork, TheProgramIconIsBuiltInAtEverySizeAWindowAsksFor) {
    std::vector<int> sizes;
    for (const res::EmbeddedPicture& picture : res::programIconPictures()) {
        ASSERT_GT(picture.length, 24u);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(picture.data) + 1, 3), "PNG");
        // The width in the header's first chunk.
        const unsigned char* pWidth = picture.data + 16;
        EXPECT_EQ((pWidth[0] << 24) | (pWidth[1] << 16) | (pWidth[2] << 8) | pWidth[3],
                  picture.size);
        sizes.push_back(picture.size);
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48, 64, 128}));
}

} // namespace
