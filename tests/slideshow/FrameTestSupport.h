#pragma once

#include "SelectionTestSupport.h"
#include "slideshow/FrameComposer.h"

#include <map>
#include <string>
#include <vector>

namespace frame_testing {

// A screen that is a surface: records what reached it.
class SurfaceScreen : public FrameScreen {
public:
    SurfaceScreen(int nWidth, int nHeight);
    bool isVisible() const override { return m_bVisible; }
    void paintBlack(const Rect& rect) override;
    bool showFrame(const DrawingSurface& frame, const Rect& rect) override;

    DrawingSurface m_surface;
    bool m_bVisible = true;
    int m_nBlackPaints = 0;
    int m_nFramesShown = 0;
    // Colour at the centre when the last frame arrived: black after a first
    // black paint, otherwise whatever was there.
    std::uint32_t m_centreBeforeLastFrame = 0;
};

// Records which panel operations ran, with what.
class RecordingPanel : public WeatherPanelPainter {
public:
    void drawBlueBox(const FrameComposer& owner, DrawingSurface& frame, bool* pOkToShowWeather,
                     Rect* pRect, const Rect& rectImageLocation, int nDllVersion) override;
    void drawBlueBox2(const FrameComposer& owner, DrawingSurface& frame, bool* pOkToShowWeather,
                      Rect* pRect, const Rect& rectImageLocation, int nDllVersion) override;
    void drawWeather(const FrameComposer&, DrawingSurface&, const Rect&, int) override;
    void drawWeather2(const FrameComposer&, DrawingSurface&, const Rect&, int) override;
    void drawWeather5(const FrameComposer&, DrawingSurface&, const Rect&, int) override;

    bool m_bPlaceBox = true;
    std::vector<std::string> m_calls;
    Rect m_rectImageLocation;
    WxImageInfo m_infoSeen;

private:
    void placeBox(const FrameComposer& owner, bool* pOkToShowWeather, Rect* pRect,
                  const Rect& rectImageLocation);
};

class RecordingBlender : public FrameBlender {
public:
    void stopBlendThread() override { ++m_nStops; }
    bool startBlend(FrameScreen& screen, const Rect& rcScreen, const DrawingSurface& frame,
                    DrawingSurface shown) override;

    bool m_bStarts = true;
    int m_nStops = 0;
    int m_nStarts = 0;
    const DrawingSurface* m_pFrame = nullptr;
    // The picture the transition was told the window shows, if any.
    DrawingSurface m_shown;
};

// A JPEG file of one colour (0xRRGGBB).
std::string solidJpeg(int nWidth, int nHeight, std::uint32_t rgb);

// Writes a pack with one group holding the photos given (image number to
// JPEG data), each with the border colour "#RRGGBB", and the box corner.
std::string writePhotoPack(const testing_support::TempFolder& folder, const std::string& csName,
                           int nVersion, const std::map<int, std::string>& photos,
                           const std::string& csBorder = "#FF0000",
                           const std::string& csBox = "lower-right 20 30");

// True when the pixel is within a JPEG's error of rgb.
bool near(std::uint32_t pixel, std::uint32_t rgb, int nTolerance = 24);

} // namespace frame_testing
