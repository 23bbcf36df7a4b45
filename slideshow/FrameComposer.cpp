#include "slideshow/FrameComposer.h"

#include "imaging/Colorref.h"
#include "imaging/CxImage.h"
#include "slideshow/PackResources.h"
#include "slideshow/PhotoFit.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>

namespace {

constexpr const char* DRAW_PREFIX =
    "CDrawWnd::Draw(FrameScreen& dc, Rect rcScreen, bool changeImage) - ";
constexpr const char* LOAD_PREFIX = "CDrawWnd::loadImageFromImageDLL(DrawingSurface& dc, bool* "
                                    "okToContinue, Rect rcScreen, Rect* rectImageLocation) - ";

std::string handleText(const void* pHandle) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%p", pHandle);
    return buffer;
}

std::string errorCode() {
    return std::to_string(errno);
}

// Paints the frame outside the photo's rectangle: the strips above, below
// and beside it.
void fillAround(DrawingSurface& frame, const Rect& photo, std::uint32_t pixel) {
    const int W = frame.width();
    const int H = frame.height();
    frame.fillRect(Rect{0, 0, W, photo.top}, pixel);
    frame.fillRect(Rect{0, photo.bottom, W, H}, pixel);
    frame.fillRect(Rect{0, photo.top, photo.left, photo.bottom}, pixel);
    frame.fillRect(Rect{photo.right, photo.top, W, photo.bottom}, pixel);
}

} // namespace

FrameComposer::FrameComposer(ImageSelectionEnvironment& environment)
    : m_environment(environment), m_imagedll(std::make_unique<ImageDLLInterface>()) {}

FrameComposer::~FrameComposer() {
    // The blend may still read the frame on screen: end it before it goes.
    stopBlendThread();
}

void FrameComposer::log(const std::string& csPrefix, const std::string& csMessage) const {
    m_environment.logMessage(csPrefix + csMessage);
}

void FrameComposer::setImagePackFile(const std::string& csPath) {
    stopBlendThread();
    m_imagedll.reset();
    if (!csPath.empty()) {
        m_imagedll = std::make_unique<ImageDLLInterface>(csPath);
    }
}

void FrameComposer::setDisplayMethod(int nMethod, int nOrder) {
    m_displayImageMethod = nMethod;
    m_displayShowAllMethod = nOrder;
}

void FrameComposer::stopBlendThread() {
    if (m_pBlender != nullptr) {
        m_pBlender->stopBlendThread();
    }
}

bool FrameComposer::createFrame(const Rect& rcScreen, DrawingSurface& frame) const {
    errno = 0;
    frame = rcScreen.right > 0 && rcScreen.bottom > 0
                ? m_pFramePool->take(rcScreen.right, rcScreen.bottom)
                : DrawingSurface();
    if (!frame.isValid()) {
        if (isLogging()) {
            log(DRAW_PREFIX,
                "CreateCompatibleBitmap() for bmpNewImage failed; error code = " + errorCode());
        }
        return false;
    }
    return true;
}

void FrameComposer::Draw(FrameScreen& dc, const Rect& rcScreen, bool changeImage) {
    bool ok = true;
    if (!m_imagedll) {
        if (isLogging()) {
            log(DRAW_PREFIX, "m_imagedll is NULL, can't show an image!!!");
        }
        ok = false;
    }
    if (m_isPreview && !dc.isVisible()) {
        if (isLogging()) {
            log(DRAW_PREFIX, "The preview window is not visisble, don't bother to do anything.");
        }
        ok = false;
    }
    if (m_pausePreivew) {
        if (isLogging()) {
            log(DRAW_PREFIX, "m_pausePreivew == true. Not showing the next image.");
        }
        ok = false;
    }
    stopBlendThread();

    const bool bFirstFrame = !m_bmpCurrentImage.isValid();
    const bool bPaintBlack = ok && bFirstFrame && (m_isPreview || m_clearScreen);
    if (bPaintBlack) {
        dc.paintBlack(rcScreen);
    }
    // Nothing below runs for a draw already abandoned: without a pack there
    // is nothing to choose from, and a paused preview keeps its place.
    DrawingSurface bmpNewImage;
    ok = ok && createFrame(rcScreen, bmpNewImage);
    if (ok && changeImage) {
        ImageSelectionSettings selection{m_displayImageMethod, m_displayShowAllMethod,
                                         m_csFavorites, m_nSkyCode};
        m_currentWxImageInfo =
            ImageSelector(*m_imagedll, selection, m_environment).getNextImageInfo();
    }
    Rect rectImageLocation;
    if (ok) {
        // The photo first, straight into the frame, then the border colour
        // around it: each pixel is written once.
        loadImageFromImageDLL(bmpNewImage, &ok, rcScreen, &rectImageLocation);
    }
    if (ok) {
        fillAround(bmpNewImage, rectImageLocation,
                   colorrefToPixel(m_currentWxImageInfo.borderColor));
        drawPanel(bmpNewImage, rectImageLocation, ok);
    }
    if (!ok) {
        // A draw that did not finish leaves no frame, and the next draw
        // starts as a first frame.
        m_pFramePool->give(std::move(bmpNewImage));
        m_pFramePool->give(std::move(m_bmpCurrentImage));
        m_bFrameOnScreen = false;
        return;
    }
    DrawingSurface shown = pictureShown(rcScreen, bPaintBlack);
    // The finished frame becomes the one on screen before it is shown, so
    // that a blend reads it where it stays.
    m_bmpCurrentImage = std::move(bmpNewImage);
    m_bmpCurrentImage.flush();
    showFrame(dc, rcScreen, std::move(shown));
}

DrawingSurface FrameComposer::pictureShown(const Rect& rcScreen, bool bPaintedBlack) {
    DrawingSurface shown = std::move(m_bmpCurrentImage);
    const bool bBlending = m_blendImages && m_pBlender != nullptr;
    if (!bBlending || !m_bFrameOnScreen || shown.width() != rcScreen.right ||
        shown.height() != rcScreen.bottom) {
        m_pFramePool->give(std::move(shown));
    }
    if (bBlending && bPaintedBlack) {
        shown = m_pFramePool->take(rcScreen.right, rcScreen.bottom);
        shown.fill(0);
    }
    // The blend writes into it behind cairo's back, on its own thread: cairo
    // finishes with it here first (the display too, when it shares it).
    shown.flush();
    shown.markDirty();
    return shown;
}

void FrameComposer::drawPanel(DrawingSurface& frame, const Rect& rectImageLocation, bool& ok) {
    const int nDllVersion = m_imagedll->getDLLVersionNumber();
    if (m_isPreview || m_pPanel == nullptr || !m_environment.connectedToInternet()) {
        return;
    }
    bool okToShowWeather = false;
    Rect rectWxBlueBoxLocation;
    if (nDllVersion >= 2 && nDllVersion <= 5) {
        m_pPanel->drawBlueBox2(*this, frame, &okToShowWeather, &rectWxBlueBoxLocation,
                               rectImageLocation, nDllVersion);
    } else {
        m_pPanel->drawBlueBox(*this, frame, &okToShowWeather, &rectWxBlueBoxLocation,
                              rectImageLocation, nDllVersion);
    }
    if (!ok || !okToShowWeather) {
        return;
    }
    if (nDllVersion >= 2 && nDllVersion <= 4) {
        m_pPanel->drawWeather2(*this, frame, rectWxBlueBoxLocation, nDllVersion);
    } else if (nDllVersion == 5) {
        m_pPanel->drawWeather5(*this, frame, rectWxBlueBoxLocation, nDllVersion);
    } else {
        m_pPanel->drawWeather(*this, frame, rectWxBlueBoxLocation, nDllVersion);
    }
}

void FrameComposer::showFrame(FrameScreen& dc, const Rect& rcScreen, DrawingSurface shown) {
    const DrawingSurface& frame = m_bmpCurrentImage;
    if (m_blendImages && m_pBlender != nullptr &&
        m_pBlender->startBlend(dc, rcScreen, frame, std::move(shown))) {
        m_bFrameOnScreen = true;
        return;
    }
    m_pFramePool->give(std::move(shown));
    // Without blending, or when the transition cannot start, the frame is
    // copied at once rather than not shown at all.
    m_bFrameOnScreen = dc.showFrame(frame, rcScreen);
    if (!m_bFrameOnScreen && isLogging()) {
        log(DRAW_PREFIX, "BitBlt() failed for no-blend option: " + errorCode());
    }
}

void FrameComposer::loadImageFromImageDLL(DrawingSurface& frame, bool* okToContinue,
                                          const Rect& rcScreen, Rect* rectImageLocation) {
    const std::string& csName = m_currentWxImageInfo.imageIdentifier;
    const PackModule hModule = m_imagedll->getModuleHandle();
    const PackResource resource = findResource(hModule, csName, "JPEG");
    if (!resource) {
        if (isLogging()) {
            log(LOAD_PREFIX,
                "FindResource() failed, m_imagedll->getModuleHandle() = " + handleText(hModule) +
                    ", m_currentWxImageInfo.imageIdentifier = " + csName);
        }
        *okToContinue = false;
        return;
    }
    // Header first: the fit comes from the size, and only what the frame
    // shows is decoded.
    CxImage currentImage;
    if (!currentImage.LoadResource(resource, CXIMAGE_FORMAT_JPG, hModule,
                                   CXIMAGE_DECODE_WHEN_DRAWN)) {
        logLoadFailure(csName);
        *okToContinue = false;
        return;
    }
    if (!currentImage.IsValid()) {
        if (isLogging()) {
            log(LOAD_PREFIX,
                "currentImage->IsValid() returned FALSE - " + currentImage.GetLastError());
        }
        *okToContinue = false;
        return;
    }
    const int W = rcScreen.right;
    const int H = rcScreen.bottom;
    const int nVersion = m_imagedll->getDLLVersionNumber();
    const PhotoFit fit = fitPhoto(currentImage.GetWidth(), currentImage.GetHeight(), W, H, nVersion,
                                  m_currentWxImageInfo.boxlocation);
    if (nVersion < 5 && isLogging()) {
        log(LOAD_PREFIX,
            fit.bLarger ? "Image is larger than the screen.  Going to resize the image smaller."
                        : "Image is same size as, or smaller than, the screen.");
    }
    if (nVersion >= 5) {
        // A photo that fits keeps no shift from an earlier, larger screen.
        m_currentWxImageInfo.cropShiftX = fit.nCropShiftX;
        m_currentWxImageInfo.cropShiftY = fit.nCropShiftY;
    }
    if (fit.bCropped &&
        !currentImage.Crop(fit.crop.left, fit.crop.top, fit.crop.right, fit.crop.bottom)) {
        *okToContinue = false;
        return;
    }
    // The pixels are decoded here: damaged data fails the load.
    if (!currentImage.Draw(&frame, fit.placed.left, fit.placed.top, fit.placed.width(),
                           fit.placed.height())) {
        logLoadFailure(csName);
        *okToContinue = false;
        return;
    }
    *rectImageLocation = fit.placed;
}

void FrameComposer::logLoadFailure(const std::string& csName) const {
    if (isLogging()) {
        log(LOAD_PREFIX, "currentImage->LoadResource() failed to load, "
                         "m_currentWxImageInfo.imageIdentifier = " +
                             csName);
    }
}
