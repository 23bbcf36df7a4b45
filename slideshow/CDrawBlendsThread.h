#pragma once

#include "imaging/Rect.h"
#include "slideshow/BlendEnvironment.h"
#include "slideshow/BlendEvents.h"
#include "slideshow/FramePool.h"
#include "slideshow/FramePresenter.h"

#include <memory>
#include <thread>

// The worker that fades a newly composed frame in over what the window
// shows: 51 blended steps of rising constant alpha, 35 ms apart, then the
// frame itself. The drawing window makes one per frame, starts it, and
// stops and deletes it before the next frame or when it goes away.
//
// The fade is cumulative: each step blends the frame over the step before.
// Two surfaces take turns: each step is written into the one the window is
// not reading, straight from the other and the frame, and handed to the
// window as it is (three frames of memory moved per step, no copies).
//
// The thread reads the frame and nothing else of the window's: the owner
// keeps the frame alive and unchanged until the thread has been deleted.
class CDrawBlendsThread {
public:
    // rcScreen has its origin at (0, 0); its right and bottom are the
    // frame's width and height. The frame and the environment are not owned.
    // shown is what the window shows now, when the owner knows it: the fade
    // starts from it instead of a copy of the window, and works in its
    // memory. The working surfaces come from pPool when one is given (else
    // from the environment) and go back to it when the object is deleted.
    CDrawBlendsThread(std::unique_ptr<FramePresenter> pScreen, const Rect& rcScreen,
                      const DrawingSurface& newImage,
                      BlendEnvironment& environment = realBlendEnvironment(),
                      DrawingSurface shown = DrawingSurface(), FramePool* pPool = nullptr);
    // Waits for a thread that still runs, after asking it to stop; then lets
    // the presenter finish and gives the working surfaces back.
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
    DrawingSurface makeSurface();
    void runTransition(bool bScreenKnown);
    void showStep(DrawingSurface& target, const DrawingSurface& below, int nAlpha,
                  const char* pBlendFailure, const char* pCopyFailure);

    const Rect m_rect;
    // Plays the window's device context: where the steps are shown.
    std::unique_ptr<FramePresenter> m_hDCScreen;
    const DrawingSurface& m_newImage;
    BlendEnvironment& m_environment;
    FramePool* m_pPool;
    // The two surfaces the steps take turns in; the screen copy holds what
    // the window showed before the first step.
    DrawingSurface m_screenCopyBitmap;
    DrawingSurface m_workingBitmap;
    BlendEvent m_stopEvent{BlendEvent::ResetMode::MANUAL};
    BlendEvent m_doneEvent{BlendEvent::ResetMode::MANUAL};
    std::thread m_thread;
};
