#pragma once

#include "imaging/DrawingSurface.h"

#include <mutex>
#include <vector>

// Frame-sized surfaces kept for the next frame instead of being freed and
// made again at every change: a new 1920 x 1080 surface costs 8 MB of fresh
// pages that the system must clear on first touch. The frame composer takes
// the frame it composes from here and gives back the one it replaces; a
// blend transition takes its working surface and gives both back when it
// ends. Safe to use from several threads.
class FramePool {
public:
    // Surfaces kept at most; the show needs three at a time.
    static constexpr std::size_t kMaxKept = 3;

    // A kept surface of this size (its pixels as they were left), or a new
    // one; invalid when none can be made. Kept surfaces of another size are
    // let go: the window changed size.
    DrawingSurface take(int nWidth, int nHeight);
    // Keeps a surface for reuse; an invalid one is ignored.
    void give(DrawingSurface surface);
    std::size_t kept() const;

private:
    mutable std::mutex m_mutex;
    std::vector<DrawingSurface> m_surfaces;
};
