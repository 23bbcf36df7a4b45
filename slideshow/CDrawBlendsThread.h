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
// The fade is cumulative: each step blends the frame over the step before,
// in place, in one working surface that starts as what the window shows,
// and is handed to the window as it is: three frames of memory moved per
// step (the step read, the frame read, the step written), no copies. The
// window reads the step while the thread pauses; the thread takes it back
// before it writes the next.
//
// The thread reads the frame and nothing else of the window's: the owner
// keeps the frame alive and unchanged until the thread has been deleted.
class CDrawBlendsThread {
public:
    // rcScreen has its origin at (0, 0); its right and bottom are the
    // frame's width and height. The frame and the environment are not owned.
    // working is the surface the steps are made in, of the frame's size;
    // with bShowsScreen it already holds what the window shows (the frame
    // shown before, say), else the window is copied into it first. Without
    // one the environment makes it. It goes back to pPool, if given, when
    // the object is deleted.
    CDrawBlendsThread(std::unique_ptr<FramePresenter> pScreen, const Rect& rcScreen,
                      const DrawingSurface& newImage,
                      BlendEnvironment& environment = realBlendEnvironment(),
                      DrawingSurface working = DrawingSurface(), bool bShowsScreen = false,
                      FramePool* pPool = nullptr);
    // Waits for a thread that still runs, after asking it to stop; then lets
    // the presenter finish and gives the working surface back.
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
    void runTransition();
    void showStep(int nAlpha, const char* pBlendFailure, const char* pCopyFailure);

    const Rect m_rect;
    // Plays the window's device context: where the steps are shown.
    std::unique_ptr<FramePresenter> m_hDCScreen;
    const DrawingSurface& m_newImage;
    BlendEnvironment& m_environment;
    FramePool* m_pPool;
    // Plays both the screen copy and the working bitmap: the window's
    // picture at first, then each step.
    DrawingSurface m_workingBitmap;
    bool m_bShowsScreen;
    BlendEvent m_stopEvent{BlendEvent::ResetMode::MANUAL};
    BlendEvent m_doneEvent{BlendEvent::ResetMode::MANUAL};
    std::thread m_thread;
};
