#pragma once

#include "imaging/DrawingSurface.h"

#include <functional>
#include <mutex>
#include <vector>

// Frame-sized surfaces kept for the next frame instead of being freed and
// made again at every change: a new 1920 x 1080 surface costs 8 MB of fresh
// pages that the system must clear on first touch. The frame composer takes
// the frame it composes from here and gives back the one it replaces; a
// blend transition works in the frame it replaces and gives that back when
// it ends, so the show holds two frames. Safe to use from several threads.
class FramePool {
public:
    // Surfaces kept at most.
    static constexpr std::size_t kMaxKept = 2;
    // Makes a surface of a size: a window makes ones it can show without
    // a copy. It is called by take(), on the thread that takes.
    using SurfaceMaker = std::function<DrawingSurface(int nWidth, int nHeight)>;

    // Null: plain image surfaces. Surfaces kept so far are let go.
    void setSurfaceMaker(SurfaceMaker makeSurface);

    // A kept surface of this size (its pixels as they were left), or a new
    // one; invalid when none can be made. Kept surfaces of another size are
    // let go: the window changed size.
    DrawingSurface take(int nWidth, int nHeight);
    // Keeps a surface for reuse; an invalid one is ignored.
    void give(DrawingSurface surface);
    std::size_t kept() const;

private:
    mutable std::mutex m_mutex;
    SurfaceMaker m_makeSurface;
    std::vector<DrawingSurface> m_surfaces;
};
