#include "PanelFixture.h"

#include "imaging/Compositor.h"
#include "imaging/SurfacePixels.h"
#include "slideshow/PackFixtures.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace weather_testing {

namespace {

std::string solidJpeg(int nWidth, int nHeight, std::uint32_t rgb) {
    return fixtures::jpegOf(fixtures::solidSurface(nWidth, nHeight, rgb));
}

std::string solidPng(int nWidth, int nHeight, std::uint32_t rgb) {
    return fixtures::pngOf(fixtures::solidSurface(nWidth, nHeight, rgb));
}

std::string manifestFor(const PanelPack& pack) {
    std::ostringstream m;
    m << "[pack]\nformat = 1\n\n[getNumImagesForGroup]\ndefault = 1\n"
      << "\n[getNumImageGroups]\nvalue = 1\n\n[getGroupForSkyCode]\ndefault = 1\n"
      << "\n[getBoxLocationForImage]\ndefault = " << pack.csBox
      << "\n\n[getBorderColorForImage]\ndefault = #000000\n"
      << "\n[getDLLDisplayName]\nvalue = Panel\n\n[getDLLVersionNumber]\nvalue = " << pack.nVersion
      << "\n\n[getDisplayNameForGroup]\n1 = Sky\n"
      << "\n[getColorForWeatherText]\ndefault = " << pack.csWeatherColour
      << "\n\n[getColorForLocationText]\ndefault = " << pack.csLocationColour
      << "\n\n[getColorForTemperatureText]\ndefault = " << pack.csTemperatureColour
      << "\n\n[getIconPath]\nvalue = icons/\n";
    return m.str();
}

} // namespace

PanelTest::PanelTest() : m_installEnvironment("NIMBORA_INSTALL_FOLDER", m_installFolder.path()) {
    m_composer.setPreview(false);
    m_composer.setBlendImages(false);
    m_composer.setWeatherPanelPainter(&m_panel);
}

PanelTest::~PanelTest() = default;

void PanelTest::loadPack(const PanelPack& pack) {
    std::map<int, std::string> jpegs;
    jpegs[101] = solidJpeg(pack.nPhotoWidth, pack.nPhotoHeight, kPhotoColour);
    if (pack.nArtworkWidth > 0) {
        jpegs[5099] = solidJpeg(pack.nArtworkWidth, pack.nArtworkHeight, kArtworkColour);
    }
    const std::string csOther = solidJpeg(pack.nIconWidth, pack.nIconHeight, kOtherIconColour);
    for (int nCode = 1; nCode <= 47; ++nCode) {
        jpegs[5000 + nCode] = csOther;
    }
    jpegs[5000] = solidJpeg(pack.nIconWidth, pack.nIconHeight, kIcon0Colour);
    jpegs[5048] = solidJpeg(pack.nIconWidth, pack.nIconHeight, kIcon48Colour);
    jpegs[5098] = solidJpeg(pack.nIconWidth, pack.nIconHeight, kIconNotAvailableColour);
    const std::map<std::string, std::string> pngs = {
        {"00.png", solidPng(pack.nIconWidth, pack.nIconHeight, kIcon0Colour)},
        {"47.png", solidPng(pack.nIconWidth, pack.nIconHeight, kOtherIconColour)},
        {"na.png", solidPng(pack.nIconWidth, pack.nIconHeight, kIconNotAvailableColour)},
    };
    // Each pack in a folder of its own: its loose icons are the ones beside it.
    const std::string csFolder = m_folder.file("pack" + std::to_string(++m_nPacks) + "/");
    std::filesystem::create_directories(csFolder + "icons");
    std::map<std::string, std::string> entries;
    for (const auto& [csName, png] : pngs) {
        if (pack.bIconsInArchive) {
            entries["icons/icons/" + csName] = png;
        } else {
            std::ofstream(csFolder + "icons/" + csName, std::ios::binary) << png;
        }
    }
    const std::string csPath = csFolder + "panel.wxs";
    fixtures::writePack(csPath, manifestFor(pack), jpegs, entries);
    m_composer.setImagePackFile(csPath);
    ASSERT_TRUE(m_composer.imagedll()->isLoaded());
}

void PanelTest::setWeather(int nSkyCode, const std::string& csTemperature,
                           const std::string& csCCText, const std::string& csDisplayName) {
    m_composer.m_nSkyCode = nSkyCode;
    m_composer.m_csTemperature = csTemperature;
    m_composer.m_csCCText = csCCText;
    m_composer.m_csDisplayName = csDisplayName;
}

const DrawingSurface& PanelTest::compose(int nWidth, int nHeight) {
    m_environment.m_lines.clear();
    m_composer.Draw(m_screen, Rect{0, 0, nWidth, nHeight}, true);
    const DrawingSurface& frame = m_composer.currentFrame();
    EXPECT_TRUE(frame.isValid());
    frame.flush();
    return frame;
}

Rect PanelTest::tracedRect(const std::string& csName) const {
    const std::string csKey = " - " + csName + " values: ";
    for (auto line = m_environment.m_lines.rbegin(); line != m_environment.m_lines.rend(); ++line) {
        const std::size_t nAt = line->find(csKey);
        if (nAt == std::string::npos) {
            continue;
        }
        Rect rect;
        if (std::sscanf(line->c_str() + nAt + csKey.size(),
                        ".left = %d, .top = %d, .right = %d, .bottom = %d", &rect.left, &rect.top,
                        &rect.right, &rect.bottom) == 4) {
            return rect;
        }
    }
    ADD_FAILURE() << csName << " was not traced";
    return {};
}

bool PanelTest::traced(const std::string& csText) const {
    for (const std::string& csLine : m_environment.m_lines) {
        if (csLine.find(csText) != std::string::npos) {
            return true;
        }
    }
    return false;
}

int PanelTest::textWidth(const std::string& csText, int nCellHeight, int nWeight) {
    DrawingSurface scratch = DrawingSurface::create(4, 4);
    Compositor compositor(scratch);
    return compositor.textExtent(TextFont::create("Arial", nCellHeight, nWeight), csText).cx;
}

bool near(std::uint32_t pixel, std::uint32_t rgb, int nTolerance) {
    return nearColour(pixel, rgb, nTolerance);
}

bool anyPixelNear(const DrawingSurface& surface, const Rect& rect, std::uint32_t rgb,
                  int nTolerance) {
    for (int y = std::max(rect.top, 0); y < std::min(rect.bottom, surface.height()); ++y) {
        for (int x = std::max(rect.left, 0); x < std::min(rect.right, surface.width()); ++x) {
            if (near(pixelAt(surface, x, y), rgb, nTolerance)) {
                return true;
            }
        }
    }
    return false;
}

Rect inkIn(const DrawingSurface& surface, const Rect& area, std::uint32_t background,
           int nTolerance) {
    Rect ink{area.right, area.bottom, area.left, area.top};
    for (int y = std::max(area.top, 0); y < std::min(area.bottom, surface.height()); ++y) {
        for (int x = std::max(area.left, 0); x < std::min(area.right, surface.width()); ++x) {
            if (!near(pixelAt(surface, x, y), background, nTolerance)) {
                ink.left = std::min(ink.left, x);
                ink.top = std::min(ink.top, y);
                ink.right = std::max(ink.right, x + 1);
                ink.bottom = std::max(ink.bottom, y + 1);
            }
        }
    }
    return ink.isEmpty() ? Rect{} : ink;
}

} // namespace weather_testing
