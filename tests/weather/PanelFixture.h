#pragma once

#include "RecordingEnvironment.h"
#include "imaging/DrawingSurface.h"
#include "imaging/SurfacePixels.h"
#include "slideshow/FrameComposer.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "weather/WeatherPanel.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace weather_testing {

// Colours of the test pack's pictures (0xRRGGBB), far apart from each other
// and from the white of the texts.
inline constexpr std::uint32_t kPhotoColour = 0x203040;
inline constexpr std::uint32_t kBorderColour = 0x000000;
inline constexpr std::uint32_t kArtworkColour = 0xC08000;
inline constexpr std::uint32_t kIcon0Colour = 0xFF0000;
inline constexpr std::uint32_t kIcon48Colour = 0x00FF00;
inline constexpr std::uint32_t kIconNotAvailableColour = 0x0000FF;
inline constexpr std::uint32_t kOtherIconColour = 0x808080;

// One pack of one photo with a panel, written to order.
struct PanelPack {
    int nVersion = 1;
    int nPhotoWidth = 1024;
    int nPhotoHeight = 768;
    // 0 leaves the artwork #5099 out.
    int nArtworkWidth = 300;
    int nArtworkHeight = 120;
    int nIconWidth = 20;
    int nIconHeight = 20;
    std::string csBox = "lower-right 20 30";
    // #RRGGBB of the version-4 and version-5 text colours.
    std::string csWeatherColour = "#FF0000";
    std::string csLocationColour = "#00FF00";
    std::string csTemperatureColour = "#FFFF00";
    // Version 5: the PNG icons inside the archive rather than beside it.
    bool bIconsInArchive = false;
};

// The real panel on frames composed off screen, with its trace lines kept.
class PanelTest : public ::testing::Test {
protected:
    PanelTest();
    ~PanelTest() override;

    // Writes the pack (and, for version 5, its PNG icons beside it or inside
    // it) and makes it the composer's.
    void loadPack(const PanelPack& pack);
    // One full-screen frame of the size with the weather values set.
    const DrawingSurface& compose(int nWidth, int nHeight);
    void setWeather(int nSkyCode, const std::string& csTemperature, const std::string& csCCText,
                    const std::string& csDisplayName);

    // The rectangle last traced under the name; fails the test when none was.
    Rect tracedRect(const std::string& csName) const;
    bool traced(const std::string& csText) const;

    // Width of the text on one line in Arial of the height and weight.
    static int textWidth(const std::string& csText, int nCellHeight, int nWeight);

    class Screen : public FrameScreen {
    public:
        bool isVisible() const override { return true; }
        void paintBlack(const Rect&) override {}
        bool showFrame(const DrawingSurface&, const Rect&) override { return true; }
    };

    testing_support::TempFolder m_folder;
    testing_support::TempFolder m_installFolder;
    testing_support::ScopedEnvironment m_installEnvironment;
    RecordingEnvironment m_environment;
    Screen m_screen;
    WeatherPanel m_panel{m_environment};
    FrameComposer m_composer{m_environment};
    int m_nPacks = 0;
};

// Whether any pixel inside rect is within tolerance of rgb.
bool anyPixelNear(const DrawingSurface& surface, const Rect& rect, std::uint32_t rgb,
                  int nTolerance = 40);
// The smallest rectangle inside area holding every pixel that is not the
// background colour; empty when there is none.
Rect inkIn(const DrawingSurface& surface, const Rect& area, std::uint32_t background,
           int nTolerance = 40);
bool near(std::uint32_t pixel, std::uint32_t rgb, int nTolerance = 40);

} // namespace weather_testing
