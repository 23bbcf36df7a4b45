#include "slideshow/CDrawBlendsThread.h"

#include "app/Trace.h"

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
                                     const DrawingSurface& newImage, BlendEnvironment& environment,
                                     DrawingSurface working, bool bShowsScreen, FramePool* pPool)
    : m_rect(rcScreen), m_hDCScreen(std::move(pScreen)), m_newImage(newImage),
      m_environment(environment), m_pPool(pPool), m_workingBitmap(std::move(working)),
      m_bShowsScreen(bShowsScreen) {}

CDrawBlendsThread::~CDrawBlendsThread() {
    if (m_thread.joinable()) {
        m_stopEvent.set();
        m_thread.join();
    }
    // The presenter may still read the last step: it finishes first.
    m_hDCScreen.reset();
    // Written behind cairo's back by the thread.
    m_workingBitmap.markDirty();
    if (m_pPool != nullptr) {
        m_pPool->give(std::move(m_workingBitmap));
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
    if (!m_workingBitmap.isValid()) {
        m_workingBitmap = m_environment.createSurface(m_rect.right, m_rect.bottom);
        m_bShowsScreen = false;
    }
    if (m_workingBitmap.width() != m_rect.right || m_workingBitmap.height() != m_rect.bottom) {
        traceFailure("CreateCompatibleBitmap() failed for either workingBitmap or "
                     "screenCopyBitmap; error code = ");
        // A drawing context needs its bitmap: there is nothing to draw on,
        // and the window keeps what it shows.
        traceFailure("CreateCompatibleDC() failed for workingDC and screenCopyDC; error code = ");
    } else {
        runTransition();
    }
    trace("Exiting Function: ");
    return false;
}

void CDrawBlendsThread::runTransition() {
    errno = 0;
    if (!m_bShowsScreen && !m_hDCScreen->copyScreen(m_workingBitmap, m_rect)) {
        traceFailure("(1) BitBlt() failed for m_hDCScreen to screenCopyDC blt; error code = ");
    }
    trace("#### Before looping");
    for (int nAlpha = 0; nAlpha <= LAST_STEP_ALPHA; ++nAlpha) {
        if (m_stopEvent.poll()) {
            trace("#### Breaking");
            break;
        }
        showStep(nAlpha, "(1) AlphaBlend() failed; error code = ",
                 "(3) BitBlt() failed for workingDC to m_hDCScreen blt; error code = ");
        m_environment.pause(STEP_PAUSE, m_stopEvent);
    }
    trace("#### Ending looping");
    // Stopped or not, the transition ends with the whole frame on screen.
    showStep(FULL_ALPHA, "(2) AlphaBlend() failed; error code = ",
             "(4) BitBlt() failed for workingDC to m_hDCScreen blt; error code = ");
}

void CDrawBlendsThread::showStep(int nAlpha, const char* pBlendFailure, const char* pCopyFailure) {
    // The window may still be drawing the step before from this surface.
    m_hDCScreen->reclaim(m_workingBitmap);
    errno = 0;
    if (!m_environment.alphaBlend(m_workingBitmap, m_workingBitmap, m_newImage, nAlpha)) {
        traceFailure(pBlendFailure);
    }
    errno = 0;
    if (!m_hDCScreen->present(m_workingBitmap, m_rect)) {
        traceFailure(pCopyFailure);
    }
}
