#pragma once

#include "slideshow/FrameParts.h"
#include "slideshow/ImageSelector.h"
#include "weather/PanelLayout.h"

#include <string>

class Compositor;
class CxImage;

// The weather panel of the full-screen show: the blue box's place (and, for
// packs below version 2 and above 5, its artwork), then the icon, location,
// condition and temperature in the layout of the pack's version. Reads the
// photo's record and the weather values from the composer.
class WeatherPanel : public WeatherPanelPainter {
public:
    // The environment (trace log) is not owned and must outlive the panel.
    explicit WeatherPanel(ImageSelectionEnvironment& environment = frameworkSelectionEnvironment());

    void drawBlueBox(const FrameComposer& owner, DrawingSurface& frame, bool* pOkToShowWeather,
                     Rect* pRectWxBlueBoxLocation, const Rect& rectImageLocation,
                     int nDllVersion) override;
    void drawBlueBox2(const FrameComposer& owner, DrawingSurface& frame, bool* pOkToShowWeather,
                      Rect* pRectWxBlueBoxLocation, const Rect& rectImageLocation,
                      int nDllVersion) override;
    void drawWeather(const FrameComposer& owner, DrawingSurface& frame,
                     const Rect& rectWxBlueBoxLocation, int nDllVersion) override;
    void drawWeather2(const FrameComposer& owner, DrawingSurface& frame,
                      const Rect& rectWxBlueBoxLocation, int nDllVersion) override;
    void drawWeather5(const FrameComposer& owner, DrawingSurface& frame,
                      const Rect& rectWxBlueBoxLocation, int nDllVersion) override;

private:
    bool isLogging() const { return m_environment.isLogging(); }
    void log(const char* szPrefix, const std::string& csMessage) const;
    void placeBox(const char* szPrefix, bool bDrawArtwork, const FrameComposer& owner,
                  DrawingSurface& frame, bool* pOkToShowWeather, Rect* pRectWxBlueBoxLocation,
                  const Rect& rectImageLocation);
    bool loadBoxArtwork(const char* szPrefix, const FrameComposer& owner, CxImage& artwork);
    void drawPackIcon(const char* szPrefix, const FrameComposer& owner, Compositor& compositor,
                      int nLastCode, const Rect& rectWxIcon);
    void drawPngIcon(const char* szPrefix, const FrameComposer& owner, Compositor& compositor,
                     const Rect& rectWxIcon);
    void drawCondition(const char* szPrefix, const FrameComposer& owner, Compositor& compositor,
                       const Rect& box, const PanelLayout& layout);
    void traceRects(const char* szPrefix,
                    std::initializer_list<std::pair<const char*, const Rect*>> rects) const;

    ImageSelectionEnvironment& m_environment;
};
