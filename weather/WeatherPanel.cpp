#include "weather/WeatherPanel.h"

#include "imaging/Compositor.h"
#include "imaging/CxImage.h"
#include "imaging/PngDecoder.h"
#include "slideshow/FrameComposer.h"
#include "slideshow/PackIcons.h"
#include "slideshow/ResourceNames.h"
#include "weather/BlueBox.h"
#include "weather/PanelIcon.h"

#include <cstdio>

namespace {

constexpr const char* kBlueBoxPrefix =
    "CDrawWnd::drawBlueBox(DrawingSurface& dc, bool* okToShowWeather, Rect* "
    "rectWxBlueBoxLocation, Rect rectImageLocation, int dllversion) - ";
constexpr const char* kBlueBox2Prefix =
    "CDrawWnd::drawBlueBox2(DrawingSurface& dc, bool* okToShowWeather, Rect* "
    "rectWxBlueBoxLocation, Rect rectImageLocation, int dllversion) - ";
constexpr const char* kWeatherPrefix =
    "CDrawWnd::drawWeather(DrawingSurface& dc, Rect rectWxBlueBoxLocation, int dllversion) - ";
constexpr const char* kWeather2Prefix =
    "CDrawWnd::drawWeather2(DrawingSurface& dc, Rect rectWxBlueBoxLocation, int dllversion) - ";
constexpr const char* kWeather5Prefix =
    "CDrawWnd::drawWeather5(DrawingSurface& dc, Rect rectWxBlueBoxLocation, int dllversion) - ";

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr int kNormal = 400;
constexpr int kBold = 700;
// Last sky code with an icon of its own: the first layout has one for the
// "not available" code 48 too.
constexpr int kLastIconCodeWeather = 48;
constexpr int kLastIconCodeWeather2 = 47;

// A line too long for its rectangle ends in an ellipsis rather than in half
// a glyph.
constexpr unsigned kOneLine =
    TEXTFORMAT_LEFT | TEXTFORMAT_SINGLELINE | TEXTFORMAT_VCENTER | TEXTFORMAT_END_ELLIPSIS;
constexpr unsigned kOneLineCentred =
    TEXTFORMAT_CENTER | TEXTFORMAT_SINGLELINE | TEXTFORMAT_VCENTER | TEXTFORMAT_END_ELLIPSIS;

// The panel's fonts are made for each frame, as they are released after
// it: the font map keeps what it resolved, so this costs microseconds.
TextFont arial(int nCellHeight, int nWeight) {
    return TextFont::create("Arial", nCellHeight, nWeight);
}

std::string handleText(const void* pHandle) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%p", pHandle);
    return buffer;
}

PackModule moduleOf(const FrameComposer& owner) {
    return owner.imagedll() != nullptr ? owner.imagedll()->getModuleHandle() : nullptr;
}

} // namespace

WeatherPanel::WeatherPanel(ImageSelectionEnvironment& environment) : m_environment(environment) {}

void WeatherPanel::log(const char* szPrefix, const std::string& csMessage) const {
    m_environment.logMessage(szPrefix + csMessage);
}

void WeatherPanel::traceRects(
    const char* szPrefix, std::initializer_list<std::pair<const char*, const Rect*>> rects) const {
    if (!isLogging()) {
        return;
    }
    for (const auto& [szName, pRect] : rects) {
        log(szPrefix, rectTraceText(szName, *pRect));
    }
}

// ---- the box -------------------------------------------------------------

void WeatherPanel::drawBlueBox(const FrameComposer& owner, DrawingSurface& frame,
                               bool* pOkToShowWeather, Rect* pRectWxBlueBoxLocation,
                               const Rect& rectImageLocation, int /*nDllVersion*/) {
    placeBox(kBlueBoxPrefix, true, owner, frame, pOkToShowWeather, pRectWxBlueBoxLocation,
             rectImageLocation);
}

void WeatherPanel::drawBlueBox2(const FrameComposer& owner, DrawingSurface& frame,
                                bool* pOkToShowWeather, Rect* pRectWxBlueBoxLocation,
                                const Rect& rectImageLocation, int /*nDllVersion*/) {
    // The pack's photos carry the artwork: only its size is used.
    placeBox(kBlueBox2Prefix, false, owner, frame, pOkToShowWeather, pRectWxBlueBoxLocation,
             rectImageLocation);
}

bool WeatherPanel::loadBoxArtwork(const char* szPrefix, const FrameComposer& owner,
                                  CxImage& artwork) {
    const PackModule hModule = moduleOf(owner);
    const PackResource resource = findResource(hModule, kPanelResourceName, kJpegResourceType);
    if (!resource) {
        if (isLogging()) {
            log(szPrefix, "FindResource() failed to load the Blue Box, "
                          "m_imagedll->getModuleHandle() = " +
                              handleText(hModule) + ", wxBoxID = " + kPanelResourceName);
        }
        return false;
    }
    if (!artwork.LoadResource(resource, CXIMAGE_FORMAT_JPG, hModule)) {
        if (isLogging()) {
            log(szPrefix, "currentImage->LoadResource() failed to load, "
                          "m_currentWxImageInfo.imageIdentifier = " +
                              owner.currentWxImageInfo().imageIdentifier);
        }
        return false;
    }
    if (!artwork.IsValid()) {
        if (isLogging()) {
            log(szPrefix, "currentImage->IsValid(), for the Blue Box, returned FALSE - " +
                              artwork.GetLastError());
        }
        return false;
    }
    return true;
}

void WeatherPanel::placeBox(const char* szPrefix, bool bDrawArtwork, const FrameComposer& owner,
                            DrawingSurface& frame, bool* pOkToShowWeather,
                            Rect* pRectWxBlueBoxLocation, const Rect& rectImageLocation) {
    if (isLogging()) {
        log(szPrefix, "Entering Function: ");
    }
    CxImage artwork;
    if (!loadBoxArtwork(szPrefix, owner, artwork)) {
        return;
    }
    const WxImageInfo& info = owner.currentWxImageInfo();
    const BlueBoxPlacement placement =
        placeBlueBox(info.boxlocation, info.boxOffsetX, info.boxOffsetY, artwork.GetWidth(),
                     artwork.GetHeight(), rectImageLocation);
    if (isLogging()) {
        log(szPrefix,
            "m_currentWxImageInfo.boxlocation = " + boxLocationTraceName(info.boxlocation));
    }
    const Rect& rect = placement.rect;
    if (bDrawArtwork && placement.bOkToShowWeather) {
        artwork.Draw(&frame, rect.left, rect.top, placement.nDrawWidth, placement.nDrawHeight);
    }
    *pOkToShowWeather = placement.bOkToShowWeather;
    *pRectWxBlueBoxLocation = rect;
    if (isLogging()) {
        const int nX = placement.bOkToShowWeather ? rect.left : 0;
        const int nY = placement.bOkToShowWeather ? rect.top : 0;
        log(szPrefix, "Blue Box image location values: imgx = " + std::to_string(nX) + ", imgy = " +
                          std::to_string(nY) + ", imgcx = " + std::to_string(placement.nDrawWidth) +
                          ", imgcy = " + std::to_string(placement.nDrawHeight));
        log(szPrefix, rectTraceText("rectWxBlueBoxLocation", rect));
        log(szPrefix, "Exiting Function: ");
    }
}

// ---- icons ---------------------------------------------------------------

void WeatherPanel::drawPackIcon(const char* szPrefix, const FrameComposer& owner,
                                Compositor& compositor, int nLastCode, const Rect& rectWxIcon) {
    const std::string csName = jpegIconName(owner.m_nSkyCode, nLastCode);
    const PackModule hModule = moduleOf(owner);
    const PackResource resource = findResource(hModule, csName, kJpegResourceType);
    if (!resource) {
        if (isLogging()) {
            log(szPrefix, "FindResource() failed to load wxIcon: m_nSkyCode = " +
                              std::to_string(owner.m_nSkyCode) + ", wxIcon = " + csName);
        }
        return;
    }
    CxImage icon;
    if (!icon.LoadResource(resource, CXIMAGE_FORMAT_JPG, hModule)) {
        if (isLogging()) {
            log(szPrefix, "currentImage->LoadResource() failed to load, wxIcon = " + csName);
        }
        return;
    }
    if (!icon.IsValid()) {
        if (isLogging()) {
            log(szPrefix, "currentImage->IsValid(), for wxIcon " + csName + " returned FALSE - " +
                              icon.GetLastError());
        }
        return;
    }
    drawIcon(compositor, icon.surface(), rectWxIcon);
}

void WeatherPanel::drawPngIcon(const char* szPrefix, const FrameComposer& owner,
                               Compositor& compositor, const Rect& rectWxIcon) {
    // The pack's own icons: inside its archive, or beside it in its folder.
    std::string csPath;
    const PngDecodeResult icon = loadPackPngIcon(
        moduleOf(owner), pngIconPath("", owner.currentWxImageInfo().iconPath, owner.m_nSkyCode),
        kIconDecodeLimits, csPath);
    if (!icon.ok()) {
        if (isLogging()) {
            log(szPrefix, "Unable to load wxIcon " + csPath + " - " + icon.csError);
        }
        return;
    }
    drawIcon(compositor, icon.surface, rectWxIcon);
}

// ---- the layouts -----------------------------------------------------------

void WeatherPanel::drawWeather(const FrameComposer& owner, DrawingSurface& frame,
                               const Rect& rectWxBlueBoxLocation, int /*nDllVersion*/) {
    const char* szPrefix = kWeatherPrefix;
    const Rect& box = rectWxBlueBoxLocation;
    PanelLayout layout = weatherLayout(box);
    traceRects(szPrefix, {{"rectMargin1", &layout.rectMargin1},
                          {"rectWxIcon", &layout.rectWxIcon},
                          {"rectMargin2", &layout.rectMargin2},
                          {"rectCCDescText", &layout.rectCCDescText},
                          {"rectMargin3", &layout.rectMargin3},
                          {"rectCCTemperature", &layout.rectCCTemperature},
                          {"rectMargin4", &layout.rectMargin4},
                          {"rectLocation", &layout.rectLocation}});
    Compositor compositor(frame);
    drawPackIcon(szPrefix, owner, compositor, kLastIconCodeWeather, layout.rectWxIcon);

    const TextFont location = arial(13, kNormal);
    if (layout.rectLocation.width() < compositor.textExtent(location, owner.m_csDisplayName).cx) {
        if (isLogging()) {
            log(szPrefix, "The location text is to wide for the initial space...we are extending "
                          "its rect and bumping the CC Temp rect up.");
        }
        layout.rectLocation.right = box.right - 4;
        layout.rectCCTemperature.bottom = box.bottom - 9;
        traceRects(szPrefix, {{"rectLocation", &layout.rectLocation},
                              {"rectCCTemperature", &layout.rectCCTemperature}});
    }
    compositor.drawText(location, owner.m_csDisplayName, layout.rectLocation, kWhite, kOneLine);
    drawCondition(szPrefix, owner, compositor, box, layout);
    compositor.drawText(arial(24, kNormal), owner.m_csTemperature, layout.rectCCTemperature, kWhite,
                        kOneLineCentred);
    compositor.done();
}

void WeatherPanel::drawCondition(const char* szPrefix, const FrameComposer& owner,
                                 Compositor& compositor, const Rect& box,
                                 const PanelLayout& layout) {
    const std::string& csText = owner.m_csCCText;
    const Rect& rect = layout.rectCCDescText;
    const TextFont large = arial(24, kNormal);
    if (compositor.textExtent(large, csText).cx <= rect.width()) {
        if (isLogging()) {
            log(szPrefix, "m_csCCText will fit in the space allowed.");
        }
        compositor.drawText(large, csText, rect, kWhite, kOneLine);
        return;
    }
    if (isLogging()) {
        log(szPrefix,
            "m_csCCText is longer than space provided, changing font and layout to multi line");
    }
    const TextFont small = arial(15, kNormal);
    const int nSmallWidth = compositor.textExtent(small, csText).cx;
    if (isLogging()) {
        log(szPrefix, "dc.GetTextExtent( m_csCCText), 2nd attempt, returns cx = " +
                          std::to_string(nSmallWidth));
    }
    if (nSmallWidth <= rect.width()) {
        if (isLogging()) {
            log(szPrefix, "The smaller font will work, don't go multi line");
        }
        compositor.drawText(small, csText, rect, kWhite, kOneLine);
        return;
    }
    if (isLogging()) {
        log(szPrefix, "The smaller font will not work by itself, go multi line");
    }
    const Rect rectCenteredCCDescText = centeredCCDescTextRect(box);
    traceRects(szPrefix, {{"rectCenteredCCDescText", &rectCenteredCCDescText}});
    compositor.drawText(small, csText, rectCenteredCCDescText, kWhite,
                        TEXTFORMAT_LEFT | TEXTFORMAT_WORDBREAK | TEXTFORMAT_TOP);
}

void WeatherPanel::drawWeather2(const FrameComposer& owner, DrawingSurface& frame,
                                const Rect& rectWxBlueBoxLocation, int nDllVersion) {
    const char* szPrefix = kWeather2Prefix;
    const COLORREF colour = nDllVersion == 4 ? owner.currentWxImageInfo().weatherTextColor : kWhite;
    const PanelLayout layout = weather2Layout(rectWxBlueBoxLocation);
    traceRects(szPrefix, {{"rectMargin1", &layout.rectMargin1},
                          {"rectWxIcon", &layout.rectWxIcon},
                          {"rectMargin2", &layout.rectMargin2},
                          {"rectCCDescText", &layout.rectCCDescText},
                          {"rectLocation", &layout.rectLocation},
                          {"rectMargin3", &layout.rectMargin3}});
    Compositor compositor(frame);
    drawPackIcon(szPrefix, owner, compositor, kLastIconCodeWeather2, layout.rectWxIcon);
    compositor.drawText(arial(13, kNormal), owner.m_csDisplayName, layout.rectLocation, colour,
                        kOneLine);
    compositor.drawText(arial(15, kNormal), owner.m_csCCText, layout.rectCCDescText, colour,
                        kOneLine);
    compositor.drawText(arial(24, kNormal), owner.m_csTemperature, layout.rectCCTemperature, colour,
                        kOneLine);
    compositor.done();
}

void WeatherPanel::drawWeather5(const FrameComposer& owner, DrawingSurface& frame,
                                const Rect& rectWxBlueBoxLocation, int /*nDllVersion*/) {
    const char* szPrefix = kWeather5Prefix;
    const WxImageInfo& info = owner.currentWxImageInfo();
    const Size shift = limitedCropShift(rectWxBlueBoxLocation, info.cropShiftX, info.cropShiftY,
                                        frame.width(), frame.height());
    if (isLogging() && (shift.cx != info.cropShiftX || shift.cy != info.cropShiftY)) {
        log(szPrefix, "The crop shift would move the panel off the frame; shifting it by " +
                          std::to_string(shift.cx) + ", " + std::to_string(shift.cy) +
                          " instead of " + std::to_string(info.cropShiftX) + ", " +
                          std::to_string(info.cropShiftY));
    }
    PanelLayout layout = weather5Layout(rectWxBlueBoxLocation, shift.cx, shift.cy);
    traceRects(szPrefix, {{"rectMargin1", &layout.rectMargin1},
                          {"rectWxIcon", &layout.rectWxIcon},
                          {"rectMargin2", &layout.rectMargin2},
                          {"rectCCDescText", &layout.rectCCDescText},
                          {"rectMargin3", &layout.rectMargin3},
                          {"rectLocation", &layout.rectLocation}});
    Compositor compositor(frame);
    drawPngIcon(szPrefix, owner, compositor, layout.rectWxIcon);
    const TextFont text = arial(20, kBold);
    compositor.drawText(text, owner.m_csDisplayName, layout.rectLocation, info.locationTextColor,
                        kOneLine);
    // The condition may run to several lines below the box.
    layout.rectCCDescText.bottom *= 2;
    compositor.drawText(text, owner.m_csCCText, layout.rectCCDescText, info.weatherTextColor,
                        TEXTFORMAT_CENTER | TEXTFORMAT_WORDBREAK | TEXTFORMAT_TOP);
    compositor.drawText(arial(80, kBold), owner.m_csTemperature, layout.rectCCTemperature,
                        info.temperatureTextColor, kOneLine);
    compositor.done();
}
