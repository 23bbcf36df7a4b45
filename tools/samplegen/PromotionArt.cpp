#include "tools/samplegen/PromotionArt.h"

#include <cairo.h>
#include <cstdint>
#include <fstream>

namespace {

// Larger than the dialog at the common desktop fonts (746 x 542 pixels with
// an 8 x 17 base unit), so that no border shows; what must be read sits in
// the top left 720 x 470 pixels, above the buttons.
constexpr int kWidth = 840;
constexpr int kHeight = 640;
constexpr int kTextLeft = 48;

void text(cairo_t* c, double x, double y, double dSize, bool bBold, const char* szText,
          double dAlpha = 1.0) {
    cairo_select_font_face(c, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                           bBold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(c, dSize);
    // A close shadow keeps white text readable on bright clouds.
    const double dOffset = dSize >= 30 ? 2 : 1;
    cairo_set_source_rgba(c, 0.02, 0.06, 0.14, 0.6 * dAlpha);
    cairo_move_to(c, x + dOffset, y + dOffset);
    cairo_show_text(c, szText);
    cairo_set_source_rgba(c, 1, 1, 1, dAlpha);
    cairo_move_to(c, x, y);
    cairo_show_text(c, szText);
}

// A dark band behind texts: soft above and below, fading out to the right.
void paintBand(cairo_t* c, double dTop, double dBottom) {
    cairo_pattern_t* pVertical = cairo_pattern_create_linear(0, dTop, 0, dBottom);
    const double dEdge = 18 / (dBottom - dTop);
    cairo_pattern_add_color_stop_rgba(pVertical, 0, 0.03, 0.08, 0.2, 0);
    cairo_pattern_add_color_stop_rgba(pVertical, dEdge, 0.03, 0.08, 0.2, 0.7);
    cairo_pattern_add_color_stop_rgba(pVertical, 1 - dEdge, 0.03, 0.08, 0.2, 0.7);
    cairo_pattern_add_color_stop_rgba(pVertical, 1, 0.03, 0.08, 0.2, 0);
    cairo_pattern_t* pFade = cairo_pattern_create_linear(0, 0, 760, 0);
    cairo_pattern_add_color_stop_rgba(pFade, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(pFade, 0.6, 0, 0, 0, 0.75);
    cairo_pattern_add_color_stop_rgba(pFade, 1, 0, 0, 0, 0);
    cairo_set_source(c, pVertical);
    cairo_mask(c, pFade);
    cairo_pattern_destroy(pFade);
    cairo_pattern_destroy(pVertical);
}

void paintThumbnail(cairo_t* c, const DrawingSurface& photo, double x, double y, double dWidth) {
    const double dScale = dWidth / photo.width();
    const double dHeight = photo.height() * dScale;
    cairo_save(c);
    cairo_rectangle(c, x - 3, y - 3, dWidth + 6, dHeight + 6);
    cairo_set_source_rgba(c, 1, 1, 1, 0.85);
    cairo_fill(c);
    cairo_translate(c, x, y);
    cairo_scale(c, dScale, dScale);
    cairo_set_source_surface(c, photo.get(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(c), CAIRO_FILTER_GOOD);
    cairo_paint(c);
    cairo_restore(c);
}

// The sky of the pack's group g (from 1), image i (from 1), painted at the
// size asked rather than scaled down from a photo.
DrawingSurface packSky(const PackDesign& design, int nGroup, int nImage, int nWidth, int nHeight) {
    const GroupDesign& group = sampleGroups()[static_cast<std::size_t>(nGroup - 1)];
    return paintSky(skyStyle(group.kind, design.nFirstVariant + nImage - 1), nWidth, nHeight);
}

void putLittleEndian(std::string& out, std::uint32_t nValue, int nBytes) {
    for (int i = 0; i < nBytes; ++i) {
        out += static_cast<char>((nValue >> (8 * i)) & 0xFF);
    }
}

} // namespace

DrawingSurface paintPromotion(const PackDesign& design) {
    DrawingSurface picture = DrawingSurface::create(kWidth, kHeight);
    cairo_t* c = cairo_create(picture.get());
    // The pack's first clear day, filling the picture.
    const DrawingSurface background = packSky(design, 1, 1, kWidth, kHeight);
    cairo_set_source_surface(c, background.get(), 0, 0);
    cairo_paint(c);
    paintBand(c, 28, 228);
    paintBand(c, 356, 452);

    text(c, kTextLeft, 82, 20, false, "A new image pack for Nimbora Screensaver", 0.9);
    text(c, kTextLeft, 138, 46, true, design.csDisplayName.c_str());
    text(c, kTextLeft, 176, 19, false, "Hills and valleys under every sky: sun, clouds,");
    text(c, kTextLeft, 202, 19, false, "rain, thunderstorms, snow and fog.");

    // Four of its photos, from fair weather to foul.
    const int groups[] = {3, 5, 6, 7};
    for (int i = 0; i < 4; ++i) {
        paintThumbnail(c, packSky(design, groups[i], 2, 288, 162), kTextLeft + i * 162, 262, 144);
    }
    text(c, kTextLeft, 400, 22, true, "Would you like to install it now?");
    text(c, kTextLeft, 428, 16, false, "It is installed for you alone, and changes nothing else.",
         0.9);
    cairo_destroy(c);
    picture.flush();
    return picture;
}

bool writeBitmapFile(const DrawingSurface& picture, const std::string& csPath,
                     std::string& csError) {
    const int nWidth = picture.width();
    const int nHeight = picture.height();
    const std::uint32_t nRowBytes = (static_cast<std::uint32_t>(nWidth) * 3 + 3) & ~3u;
    const std::uint32_t nPixelBytes = nRowBytes * static_cast<std::uint32_t>(nHeight);
    std::string bmp = "BM";
    putLittleEndian(bmp, 14 + 40 + nPixelBytes, 4);
    putLittleEndian(bmp, 0, 4);
    putLittleEndian(bmp, 14 + 40, 4);
    putLittleEndian(bmp, 40, 4); // BITMAPINFOHEADER
    putLittleEndian(bmp, static_cast<std::uint32_t>(nWidth), 4);
    putLittleEndian(bmp, static_cast<std::uint32_t>(nHeight), 4); // bottom-up rows
    putLittleEndian(bmp, 1, 2);
    putLittleEndian(bmp, 24, 2);
    putLittleEndian(bmp, 0, 4); // BI_RGB
    putLittleEndian(bmp, nPixelBytes, 4);
    putLittleEndian(bmp, 3780, 4); // 96 dpi
    putLittleEndian(bmp, 3780, 4);
    putLittleEndian(bmp, 0, 4);
    putLittleEndian(bmp, 0, 4);
    for (int y = nHeight - 1; y >= 0; --y) {
        const std::uint32_t* pRow = picture.row(y);
        std::string row;
        for (int x = 0; x < nWidth; ++x) {
            row += static_cast<char>(pRow[x] & 0xFF);
            row += static_cast<char>((pRow[x] >> 8) & 0xFF);
            row += static_cast<char>((pRow[x] >> 16) & 0xFF);
        }
        row.resize(nRowBytes, '\0');
        bmp += row;
    }
    std::ofstream out(csPath, std::ios::binary | std::ios::trunc);
    if (!out.write(bmp.data(), static_cast<std::streamsize>(bmp.size())) || !out.flush()) {
        csError = "cannot write " + csPath;
        return false;
    }
    return true;
}
