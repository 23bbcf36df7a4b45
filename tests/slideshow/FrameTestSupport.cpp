#include "FrameTestSupport.h"

#include "PackFixtures.h"
#include "imaging/Compositor.h"
#include "imaging/SurfacePixels.h"

#include <cstdlib>
#include <sstream>

namespace frame_testing {

SurfaceScreen::SurfaceScreen(int nWidth, int nHeight)
    : m_surface(DrawingSurface::create(nWidth, nHeight)) {
    m_surface.fill(0x808080); // what the window showed before
}

void SurfaceScreen::paintBlack(const Rect& rect) {
    ++m_nBlackPaints;
    Compositor(m_surface).fillRect(rect, 0);
}

bool SurfaceScreen::showFrame(const DrawingSurface& frame, const Rect& rect) {
    m_surface.flush();
    m_centreBeforeLastFrame =
        m_surface.row(m_surface.height() / 2)[m_surface.width() / 2] & 0xFFFFFF;
    ++m_nFramesShown;
    Compositor compositor(m_surface);
    const bool ok = compositor.copyPart(frame, rect, rect.left, rect.top);
    compositor.done();
    return ok;
}

void RecordingPanel::placeBox(const FrameComposer& owner, bool* pOkToShowWeather, Rect* pRect,
                              const Rect& rectImageLocation) {
    m_rectImageLocation = rectImageLocation;
    m_infoSeen = owner.currentWxImageInfo();
    *pRect = Rect{rectImageLocation.left, rectImageLocation.top, rectImageLocation.left + 10,
                  rectImageLocation.top + 10};
    *pOkToShowWeather = m_bPlaceBox;
}

void RecordingPanel::drawBlueBox(const FrameComposer& owner, DrawingSurface&,
                                 bool* pOkToShowWeather, Rect* pRect, const Rect& rectImageLocation,
                                 int nDllVersion) {
    m_calls.push_back("drawBlueBox " + std::to_string(nDllVersion));
    placeBox(owner, pOkToShowWeather, pRect, rectImageLocation);
}

void RecordingPanel::drawBlueBox2(const FrameComposer& owner, DrawingSurface&,
                                  bool* pOkToShowWeather, Rect* pRect,
                                  const Rect& rectImageLocation, int nDllVersion) {
    m_calls.push_back("drawBlueBox2 " + std::to_string(nDllVersion));
    placeBox(owner, pOkToShowWeather, pRect, rectImageLocation);
}

void RecordingPanel::drawWeather(const FrameComposer&, DrawingSurface&, const Rect&, int n) {
    m_calls.push_back("drawWeather " + std::to_string(n));
}

void RecordingPanel::drawWeather2(const FrameComposer&, DrawingSurface&, const Rect&, int n) {
    m_calls.push_back("drawWeather2 " + std::to_string(n));
}

void RecordingPanel::drawWeather5(const FrameComposer&, DrawingSurface&, const Rect&, int n) {
    m_calls.push_back("drawWeather5 " + std::to_string(n));
}

bool RecordingBlender::startBlend(FrameScreen&, const Rect&, const DrawingSurface& frame,
                                  DrawingSurface shown) {
    ++m_nStarts;
    m_pFrame = &frame;
    m_shown = std::move(shown);
    return m_bStarts;
}

std::string writePhotoPack(const testing_support::TempFolder& folder, const std::string& csName,
                           int nVersion, const std::map<int, std::string>& photos,
                           const std::string& csBorder, const std::string& csBox) {
    std::ostringstream manifest;
    manifest << "[pack]\nformat = 1\n\n[getNumImagesForGroup]\n1 = " << photos.size()
             << "\n\n[getNumImageGroups]\nvalue = 1\n\n[getGroupForSkyCode]\ndefault = 1\n"
             << "\n[getBoxLocationForImage]\ndefault = " << csBox
             << "\n\n[getBorderColorForImage]\ndefault = " << csBorder
             << "\n\n[getDLLDisplayName]\nvalue = Frames\n\n[getDLLVersionNumber]\nvalue = "
             << nVersion << "\n\n[getDisplayNameForGroup]\n1 = Sky\n";
    std::map<int, std::string> jpegs;
    for (const auto& [nImage, photo] : photos) {
        jpegs[100 + nImage] = photo;
    }
    const std::string csPath = folder.file(csName);
    fixtures::writePack(csPath, manifest.str(), jpegs);
    return csPath;
}

std::string solidJpeg(int nWidth, int nHeight, std::uint32_t rgb) {
    return fixtures::jpegOf(fixtures::solidSurface(nWidth, nHeight, rgb));
}

bool near(std::uint32_t pixel, std::uint32_t rgb, int nTolerance) {
    return nearColour(pixel, rgb, nTolerance);
}

} // namespace frame_testing
