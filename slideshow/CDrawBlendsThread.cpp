#include "slideshow/CDrawBlendsThread.h"

#include "app/Trace.h"

#include <cerrno>
#include <string>
#include <system_error>
#include <utility>

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
                                     DrawingSurface shown, FramePool* pPool)
    : m_rect(rcScreen), m_hDCScreen(std::move(pScreen)), m_newImage(newImage),
      m_environment(environment), m_pPool(pPool), m_screenCopyBitmap(std::move(shown)) {}

CDrawBlendsThread::~CDrawBlendsThread() {
    if (m_thread.joinable()) {
        m_stopEvent.set();
        m_thread.join();
    }
    // The presenter may still read a step: it finishes before they go.
    m_hDCScreen.reset();
    for (DrawingSurface* pSurface : {&m_screenCopyBitmap, &m_workingBitmap}) {
        // Written behind cairo's back by the thread.
        pSurface->markDirty();
        if (m_pPool != nullptr) {
            m_pPool->give(std::move(*pSurface));
        }
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

DrawingSurface CDrawBlendsThread::makeSurface() {
    return m_pPool != nullptr ? m_pPool->take(m_rect.right, m_rect.bottom)
                              : m_environment.createSurface(m_rect.right, m_rect.bottom);
}

bool CDrawBlendsThread::InitInstance() {
    trace("Entering Function: ");
    errno = 0;
    const bool bScreenKnown =
        m_screenCopyBitmap.width() == m_rect.right && m_screenCopyBitmap.height() == m_rect.bottom;
    if (!bScreenKnown) {
        m_screenCopyBitmap = makeSurface();
    }
    m_workingBitmap = makeSurface();
    if (!m_workingBitmap.isValid() || !m_screenCopyBitmap.isValid()) {
        traceFailure("CreateCompatibleBitmap() failed for either workingBitmap or "
                     "screenCopyBitmap; error code = ");
        // Without both surfaces there is nothing to draw on, and the window
        // keeps what it shows.
        traceFailure("CreateCompatibleDC() failed for workingDC and screenCopyDC; error code = ");
    } else {
        runTransition(bScreenKnown);
    }
    trace("Exiting Function: ");
    return false;
}

void CDrawBlendsThread::runTransition(bool bScreenKnown) {
    errno = 0;
    if (!bScreenKnown && !m_hDCScreen->copyScreen(m_screenCopyBitmap, m_rect)) {
        traceFailure("(1) BitBlt() failed for m_hDCScreen to screenCopyDC blt; error code = ");
    }
    // Each step goes into the surface the step before did not use.
    DrawingSurface* pBelow = &m_screenCopyBitmap;
    DrawingSurface* pTarget = &m_workingBitmap;
    trace("#### Before looping");
    for (int nAlpha = 0; nAlpha <= LAST_STEP_ALPHA; ++nAlpha) {
        if (m_stopEvent.poll()) {
            trace("#### Breaking");
            break;
        }
        showStep(*pTarget, *pBelow, nAlpha, "(1) AlphaBlend() failed; error code = ",
                 "(3) BitBlt() failed for workingDC to m_hDCScreen blt; error code = ");
        std::swap(pBelow, pTarget);
        m_environment.pause(STEP_PAUSE, m_stopEvent);
    }
    trace("#### Ending looping");
    // Stopped or not, the transition ends with the whole frame on screen.
    showStep(*pTarget, *pBelow, FULL_ALPHA, "(2) AlphaBlend() failed; error code = ",
             "(4) BitBlt() failed for workingDC to m_hDCScreen blt; error code = ");
}

void CDrawBlendsThread::showStep(DrawingSurface& target, const DrawingSurface& below, int nAlpha,
                                 const char* pBlendFailure, const char* pCopyFailure) {
    m_hDCScreen->reclaim(target);
    errno = 0;
    if (!m_environment.alphaBlend(target, below, m_newImage, nAlpha)) {
        traceFailure(pBlendFailure);
    }
    errno = 0;
    if (!m_hDCScreen->present(target, m_rect)) {
        traceFailure(pCopyFailure);
    }
}
