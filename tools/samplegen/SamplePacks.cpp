#include "tools/samplegen/SamplePacks.h"

#include "imaging/JpegEncoder.h"
#include "imaging/PngEncoder.h"
#include "slideshow/ManifestValues.h"
#include "slideshow/ResourceNames.h"
#include "tools/PackWriter.h"
#include "tools/samplegen/IconPainter.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <future>
#include <sstream>

namespace {

constexpr int kPhotoWidth = 1920;
constexpr int kPhotoHeight = 1080;
constexpr std::uint32_t kPanelBlue = 0x1F4E9A;

struct Picture {
    int nIdentifier;
    std::string jpeg;
};

DrawingSurface thumbnailOf(const DrawingSurface& photo) {
    DrawingSurface thumbnail = DrawingSurface::create(120, 90);
    cairo_t* pCairo = cairo_create(thumbnail.get());
    // The middle 4:3 of the photo, scaled down.
    const double dScale = 90.0 / photo.height();
    const double dLeft = (photo.width() - photo.height() * 4.0 / 3.0) / 2.0;
    cairo_scale(pCairo, dScale, dScale);
    cairo_set_source_surface(pCairo, photo.get(), -dLeft, 0);
    cairo_pattern_set_filter(cairo_get_source(pCairo), CAIRO_FILTER_GOOD);
    cairo_paint(pCairo);
    cairo_destroy(pCairo);
    return thumbnail;
}

std::string jpegOf(const DrawingSurface& surface, int nQuality) {
    std::string data;
    std::string csError;
    encodeJpeg(surface, nQuality, data, csError);
    return data;
}

// Where a photo carries its weather panel, as version-5 packs do: a soft
// glass behind the icon and temperature (in the box) and the texts below
// it, light under dark texts and dark under white ones, so the texts read
// on any sky. Older packs' texts sit on the panel artwork or the photo.
struct Backdrop {
    bool bPresent = false;
    bool bLight = false;
    int nLeft = 0;
    int nTop = 0;
    int nRight = 0;
    int nBottom = 0;
};

bool boxOnTheLeft(const SkyStyle& style) {
    // The panel goes where the sun is not.
    return style.dSunX > 0.5;
}

Backdrop backdropFor(const PackDesign& design, const SkyStyle& style, bool bBright) {
    Backdrop backdrop;
    if (design.nVersion != 5) {
        return backdrop;
    }
    const int nBoxLeft = boxOnTheLeft(style) ? design.nBoxOffset
                                             : kPhotoWidth - design.nBoxOffset - design.nPanelWidth;
    const int nBoxTop = design.boxOffsetY();
    // The fifth layout reaches 45 pixels left of the box and 381 right of
    // its left edge, 10 above it and, with a condition of three lines,
    // about 75 below it.
    backdrop = {true,         bBright,        nBoxLeft - 72,
                nBoxTop - 24, nBoxLeft + 396, nBoxTop + design.nPanelHeight + 92};
    return backdrop;
}

void paintBackdrop(DrawingSurface& photo, const Backdrop& backdrop) {
    if (!backdrop.bPresent) {
        return;
    }
    cairo_t* c = cairo_create(photo.get());
    const double v = backdrop.bLight ? 1.0 : 0.0;
    // Layers from the widest and faintest in: a soft edge, a calm middle.
    constexpr int kLayers = 8;
    constexpr int kStep = 3;
    for (int i = 0; i < kLayers; ++i) {
        const double inset = (i - kLayers + 1) * kStep;
        const double x0 = backdrop.nLeft - inset;
        const double y0 = backdrop.nTop - inset;
        const double x1 = backdrop.nRight + inset;
        const double y1 = backdrop.nBottom + inset;
        const double r = 22 + inset;
        cairo_new_sub_path(c);
        cairo_arc(c, x1 - r, y0 + r, r, -M_PI / 2, 0);
        cairo_arc(c, x1 - r, y1 - r, r, 0, M_PI / 2);
        cairo_arc(c, x0 + r, y1 - r, r, M_PI / 2, M_PI);
        cairo_arc(c, x0 + r, y0 + r, r, M_PI, 3 * M_PI / 2);
        cairo_close_path(c);
        cairo_set_source_rgba(c, v, v, v, backdrop.bLight ? 0.07 : 0.065);
        cairo_fill(c);
    }
    cairo_destroy(c);
    photo.flush();
}

std::vector<Picture> renderPhoto(const PackDesign& design, int nGroup, int nImage) {
    const GroupDesign& group = sampleGroups()[static_cast<std::size_t>(nGroup - 1)];
    const SkyStyle style = skyStyle(group.kind, design.nFirstVariant + nImage - 1);
    DrawingSurface photo = paintSky(style, kPhotoWidth, kPhotoHeight);
    paintBackdrop(photo, backdropFor(design, style, group.bBright));
    const int nIdentifier = 100 * nGroup + nImage;
    return {{nIdentifier, jpegOf(photo, 88)},
            {10000 + nIdentifier, jpegOf(thumbnailOf(photo), 90)}};
}

std::string manifestFor(const PackDesign& design, const std::vector<SkyStyle>& styles) {
    const auto& groups = sampleGroups();
    std::ostringstream m;
    m << "; " << design.csDisplayName << ": sample pack generated from procedural artwork.\n"
      << "[pack]\nformat = 1\n\n[getDLLVersionNumber]\nvalue = " << design.nVersion
      << "\n\n[getDLLDisplayName]\nvalue = " << design.csDisplayName
      << "\n\n[getNumImageGroups]\nvalue = " << groups.size()
      << "\n\n[getNumImagesForGroup]\ndefault = " << design.nImagesPerGroup
      << "\n\n[getDisplayNameForGroup]\n";
    for (std::size_t g = 0; g < groups.size(); ++g) {
        m << g + 1 << " = " << groups[g].szName << "\n";
    }
    m << "\n[getGroupForSkyCode]\n";
    for (int nCode = 0; nCode <= 47; ++nCode) {
        for (std::size_t g = 0; g < groups.size(); ++g) {
            const auto& codes = groups[g].skyCodes;
            if (std::find(codes.begin(), codes.end(), nCode) != codes.end()) {
                m << nCode << " = " << g + 1 << "\n";
            }
        }
    }
    m << "\n[getBoxLocationForImage]\n";
    for (std::size_t n = 0; n < styles.size(); ++n) {
        const bool bLeft = boxOnTheLeft(styles[n]);
        const char* szCorner = design.nVersion < 2 ? (bLeft ? "lower-left" : "lower-right")
                                                   : (bLeft ? "upper-left" : "upper-right");
        m << n / design.nImagesPerGroup + 1 << "." << n % design.nImagesPerGroup + 1 << " = "
          << szCorner << " " << design.nBoxOffset << " " << design.boxOffsetY() << "\n";
    }
    m << "\n[getBorderColorForImage]\ndefault = #000000\n";
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const Rgb& top = styles[g * design.nImagesPerGroup].top;
        m << g + 1 << " = "
          << colourToManifest(makeColorref(static_cast<std::uint8_t>(top.r * 80),
                                           static_cast<std::uint8_t>(top.g * 80),
                                           static_cast<std::uint8_t>(top.b * 80)))
          << "\n";
    }
    if (design.nVersion >= 3) {
        m << "\n[supportsWxTriggered]\nvalue = true\n";
    }
    const char* textSections[] = {"getColorForWeatherText", "getColorForLocationText",
                                  "getColorForTemperatureText"};
    for (int s = 0; s < 3; ++s) {
        if (design.nVersion >= (s == 0 ? 4 : 5)) {
            m << "\n[" << textSections[s] << "]\ndefault = #FFFFFF\n";
            for (std::size_t g = 0; g < groups.size(); ++g) {
                if (groups[g].bBright) {
                    m << g + 1 << " = " << (s == 2 ? "#10213A" : "#1A2433") << "\n";
                }
            }
        }
    }
    if (design.nVersion >= 5) {
        m << "\n[getIconPath]\nvalue = " << design.csIconPath << "\n";
    }
    return m.str();
}

void addPngIcons(const PackDesign& design, PackWriter& writer) {
    for (int nCode = 0; nCode <= 48; ++nCode) {
        writer.addEntry("icons/" + design.csIconPath + iconFileName(nCode),
                        encodePng(paintIcon(iconForSkyCode(nCode), 80, true, 0)));
    }
}

} // namespace

const std::vector<GroupDesign>& sampleGroups() {
    static const std::vector<GroupDesign> groups = {
        {SkyKind::ClearDay, "Clear day", {32, 34, 36}, false},
        {SkyKind::ClearNight, "Clear night", {31, 33}, false},
        {SkyKind::PartlyCloudy, "Partly cloudy", {23, 24, 29, 30, 44}, false},
        {SkyKind::Cloudy, "Cloudy", {25, 26, 27, 28}, true},
        {SkyKind::Rain, "Rain", {5, 6, 8, 9, 10, 11, 12, 17, 18, 35, 39, 40}, false},
        {SkyKind::Thunderstorm, "Thunderstorm", {0, 1, 2, 3, 4, 37, 38, 45, 47}, false},
        {SkyKind::Snow, "Snow", {7, 13, 14, 15, 16, 41, 42, 43, 46}, true},
        {SkyKind::Fog, "Fog and haze", {19, 20, 21, 22}, true},
    };
    return groups;
}

std::vector<PackDesign> samplePackDesigns() {
    // The version-5 panel sits far enough in that the crop of a 5:4 screen
    // (1280 of the 1920 columns) keeps all of it.
    PackDesign skies{"nimbora-skies.wxs",
                     "Nimbora Skies",
                     5,
                     4,
                     0,
                     380,
                     100,
                     64,
                     0x1B2A4A,
                     380,
                     "nimbora-skies/",
                     110};
    PackDesign horizons{
        "nimbora-horizons.wxs", "Nimbora Horizons", 4, 3, 4, 300, 90, 64, 0x1B2A4A, 60, ""};
    PackDesign classic{
        "nimbora-classic.wxs", "Nimbora Classic", 1, 2, 7, 320, 56, 32, kPanelBlue, 40, ""};
    // Not installed: the catalogue offers it, so the promotion has a pack to
    // show. Variant 11 is a late afternoon.
    PackDesign highlands{"nimbora-highlands.wxs",
                         "Nimbora Highlands",
                         5,
                         2,
                         11,
                         380,
                         100,
                         64,
                         0x1B2A4A,
                         380,
                         "nimbora-highlands/",
                         110,
                         true};
    return {skies, horizons, classic, highlands};
}

bool writeSamplePack(const PackDesign& design, const std::string& csFolder, std::string& csError) {
    const auto& groups = sampleGroups();
    std::vector<SkyStyle> styles;
    std::vector<std::future<std::vector<Picture>>> photos;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        for (int i = 0; i < design.nImagesPerGroup; ++i) {
            // Two photos at a time: one for each core of a small machine.
            if (photos.size() >= 2) {
                photos[photos.size() - 2].wait();
            }
            styles.push_back(skyStyle(groups[g].kind, design.nFirstVariant + i));
            photos.push_back(std::async(std::launch::async, renderPhoto, std::cref(design),
                                        static_cast<int>(g) + 1, i + 1));
        }
    }
    PackWriter writer;
    writer.addEntry("manifest.ini", manifestFor(design, styles));
    for (auto& photo : photos) {
        for (Picture& picture : photo.get()) {
            writer.addEntry("JPEG/" + std::to_string(picture.nIdentifier) + ".jpg",
                            std::move(picture.jpeg));
        }
    }
    writer.addEntry(
        "JPEG/5099.jpg",
        jpegOf(paintPanel(design.nPanelWidth, design.nPanelHeight, design.nVersion < 2), 92));
    for (int nCode = 0; nCode <= 48; ++nCode) {
        writer.addEntry(
            "JPEG/" + std::to_string(5000 + nCode) + ".jpg",
            jpegOf(paintIcon(iconForSkyCode(nCode), design.nIconSize, false, design.iconBackground),
                   92));
    }
    writer.addEntry("JPEG/5098.jpg", jpegOf(paintIcon(IconKind::NotAvailable, design.nIconSize,
                                                      false, design.iconBackground),
                                            92));
    if (!design.csIconPath.empty()) {
        addPngIcons(design, writer);
    }
    return writer.write(csFolder + design.csFile, csError);
}

DrawingSurface paintPanel(int nWidth, int nHeight, bool bFlatMiddle) {
    DrawingSurface panel = DrawingSurface::create(nWidth, nHeight);
    cairo_t* c = cairo_create(panel.get());
    const double r = ((kPanelBlue >> 16) & 0xFF) / 255.0;
    const double g = ((kPanelBlue >> 8) & 0xFF) / 255.0;
    const double b = (kPanelBlue & 0xFF) / 255.0;
    cairo_pattern_t* pFill = cairo_pattern_create_linear(0, 0, 0, nHeight);
    cairo_pattern_add_color_stop_rgb(pFill, 0, r + 0.15, g + 0.15, b + 0.1);
    cairo_pattern_add_color_stop_rgb(pFill, bFlatMiddle ? 0.2 : 0.5, r, g, b);
    cairo_pattern_add_color_stop_rgb(pFill, bFlatMiddle ? 0.8 : 1.0, r, g, b);
    cairo_pattern_add_color_stop_rgb(pFill, 1, r * 0.7, g * 0.7, b * 0.75);
    cairo_set_source(c, pFill);
    cairo_paint(c);
    cairo_pattern_destroy(pFill);
    cairo_set_source_rgba(c, 1, 1, 1, 0.55);
    cairo_set_line_width(c, 2);
    cairo_rectangle(c, 1, 1, nWidth - 2, nHeight - 2);
    cairo_stroke(c);
    cairo_destroy(c);
    return panel;
}
