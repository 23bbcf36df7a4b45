#include "slideshow/CDrawBlendsThread.h"

#include "app/Trace.h"
#include "imaging/Compositor.h"

#include <cerrno>
#include <string>
#include <system_error>

namespace {

constexpr const char* INIT_PREFIX = "CDrawBlendsThread::InitInstance() - ";
// The blended steps run through these alphas; the last step replaces the
// picture with the frame.
constexpr int LAST_STEP_ALPHA = 50;
constexpr int FULL_ALPHA = 255;
constexpr std::chrono::milliseconds STEP_PAUSE(35);

void trace(const char* pMessage) {
    if (isLogging()) {
        logMessage(std::string(INIT_PREFIX) + pMessage);
    }
}

// For texts that end in "error code = ".
void traceFailure(const char* pMessage) {
    if (isLogging()) {
        logMessage(std::string(INIT_PREFIX) + pMessage + std::to_string(errno));
    }
}

} // namespace

CDrawBlendsThread::CDrawBlendsThread(std::unique_ptr<FramePresenter> pScreen, const Rect& rcScreen,
                                     const DrawingSurface& newImage, BlendEnvironment& environment)
    : m_rect(rcScreen), m_hDCScreen(std::move(pScreen)), m_newImage(newImage),
      m_environment(environment) {}

CDrawBlendsThread::~CDrawBlendsThread() {
    if (m_thread.joinable()) {
        m_stopEvent.set();
        m_thread.join();
    }
}

bool CDrawBlendsThread::CreateThread() {
    if (m_thread.joinable() || !m_hDCScreen) {
        return false;
    }
    try {
        m_thread = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void CDrawBlendsThread::run() {
    // Whatever happens in the transition, the owner must hear that it ended.
    try {
        InitInstance();
    } catch (...) {
    }
    Delete();
}

void CDrawBlendsThread::Delete() {
    m_doneEvent.set();
    g_blendFinishedEvent.set();
}

bool CDrawBlendsThread::InitInstance() {
    trace("Entering Function: ");
    errno = 0;
    DrawingSurface workingBitmap = m_environment.createSurface(m_rect.right, m_rect.bottom);
    DrawingSurface screenCopyBitmap = m_environment.createSurface(m_rect.right, m_rect.bottom);
    if (!workingBitmap.isValid() || !screenCopyBitmap.isValid()) {
        traceFailure("CreateCompatibleBitmap() failed for either workingBitmap or "
                     "screenCopyBitmap; error code = ");
    }
    // A drawing context needs its surface: without both there is nothing to
    // draw on, and the window keeps what it shows.
    Compositor workingDC(workingBitmap);
    Compositor screenCopyDC(screenCopyBitmap);
    if (!workingDC.isValid() || !screenCopyDC.isValid()) {
        traceFailure("CreateCompatibleDC() failed for workingDC and screenCopyDC; error code = ");
    } else {
        runTransition(workingDC, workingBitmap, screenCopyBitmap);
    }
    trace("Exiting Function: ");
    return false;
}

void CDrawBlendsThread::runTransition(Compositor& workingDC, DrawingSurface& workingBitmap,
                                      DrawingSurface& screenCopyBitmap) {
    errno = 0;
    if (!m_hDCScreen->copyScreen(screenCopyBitmap, m_rect)) {
        traceFailure("(1) BitBlt() failed for m_hDCScreen to screenCopyDC blt; error code = ");
    }
    errno = 0;
    if (!workingDC.copyPart(screenCopyBitmap, m_rect, m_rect.left, m_rect.top)) {
        traceFailure("(2) BitBlt() failed for screenCopyDC to workingDC blt; error code = ");
    }
    workingDC.done();

    trace("#### Before looping");
    for (int nAlpha = 0; nAlpha <= LAST_STEP_ALPHA; ++nAlpha) {
        if (m_stopEvent.poll()) {
            trace("#### Breaking");
            break;
        }
        showStep(workingBitmap, nAlpha, "(1) AlphaBlend() failed; error code = ",
                 "(3) BitBlt() failed for workingDC to m_hDCScreen blt; error code = ");
        m_environment.pause(STEP_PAUSE, m_stopEvent);
    }
    trace("#### Ending looping");
    // Stopped or not, the transition ends with the whole frame on screen.
    showStep(workingBitmap, FULL_ALPHA, "(2) AlphaBlend() failed; error code = ",
             "(4) BitBlt() failed for workingDC to m_hDCScreen blt; error code = ");
}

void CDrawBlendsThread::showStep(DrawingSurface& workingBitmap, int nAlpha,
                                 const char* pBlendFailure, const char* pCopyFailure) {
    errno = 0;
    if (!m_environment.alphaBlend(workingBitmap, m_newImage, nAlpha)) {
        traceFailure(pBlendFailure);
    }
    errno = 0;
    if (!m_hDCScreen->present(workingBitmap, m_rect)) {
        traceFailure(pCopyFailure);
    }
}
