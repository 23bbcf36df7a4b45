#pragma once

#include "imaging/Rect.h"
#include "slideshow/BlendEnvironment.h"
#include "slideshow/BlendEvents.h"
#include "slideshow/FramePresenter.h"

#include <memory>
#include <thread>

class Compositor;

// The worker that fades a newly composed frame in over what the window
// shows: 51 blended steps of rising constant alpha, 35 ms apart, then the
// frame itself. The drawing window makes one per frame, starts it, and
// stops and deletes it before the next frame or when it goes away.
//
// The thread reads the frame and nothing else of the window's: the owner
// keeps the frame alive and unchanged until the thread has ended.
class CDrawBlendsThread {
public:
    // rcScreen has its origin at (0, 0); its right and bottom are the
    // frame's width and height. The frame and the environment are not owned.
    CDrawBlendsThread(std::unique_ptr<FramePresenter> pScreen, const Rect& rcScreen,
                      const DrawingSurface& newImage,
                      BlendEnvironment& environment = realBlendEnvironment());
    // Waits for a thread that still runs, after asking it to stop.
    ~CDrawBlendsThread();
    CDrawBlendsThread(const CDrawBlendsThread&) = delete;
    CDrawBlendsThread& operator=(const CDrawBlendsThread&) = delete;

    // Starts the thread, which runs InitInstance and then Delete. False when
    // the system could not start a thread.
    bool CreateThread();
    // The whole transition, on the calling thread. Answers false: there is
    // nothing more for the thread to do.
    bool InitInstance();
    // The end of the thread's life: sets the done event, then the
    // process-wide blend-finished event.
    void Delete();

    BlendEvent& stopEvent() { return m_stopEvent; }
    BlendEvent& doneEvent() { return m_doneEvent; }

private:
    void run();
    void runTransition(Compositor& workingDC, DrawingSurface& workingBitmap,
                       DrawingSurface& screenCopyBitmap);
    void showStep(DrawingSurface& workingBitmap, int nAlpha, const char* pBlendFailure,
                  const char* pCopyFailure);

    const Rect m_rect;
    // Plays the window's device context: where the steps are shown.
    std::unique_ptr<FramePresenter> m_hDCScreen;
    const DrawingSurface& m_newImage;
    BlendEnvironment& m_environment;
    BlendEvent m_stopEvent{BlendEvent::ResetMode::MANUAL};
    BlendEvent m_doneEvent{BlendEvent::ResetMode::MANUAL};
    std::thread m_thread;
};
