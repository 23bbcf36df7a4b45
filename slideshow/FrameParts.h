#pragma once

#include "imaging/DrawingSurface.h"
#include "imaging/Rect.h"

class FrameComposer;

// Where a composed frame is shown: the drawing window, or a test's surface.
class FrameScreen {
public:
    virtual ~FrameScreen() = default;
    // False while the window is hidden; previews then skip drawing.
    virtual bool isVisible() const = 0;
    // Paints the rectangle black at once.
    virtual void paintBlack(const Rect& rect) = 0;
    // Shows the rectangle of the frame at the same place on screen, in one
    // copy. False when it could not.
    virtual bool showFrame(const DrawingSurface& frame, const Rect& rect) = 0;
};

// The weather panel drawn on each frame of the full-screen show: the box's
// placement and artwork, then its texts and icon. The composer says which
// variant by the pack's version; each reads the photo's record and the
// weather values from the composer.
class WeatherPanelPainter {
public:
    virtual ~WeatherPanelPainter() = default;
    // Set *pOkToShowWeather when a panel was placed, and *pRectWxBlueBoxLocation
    // to where it lies on the frame.
    virtual void drawBlueBox(const FrameComposer& owner, DrawingSurface& frame,
                             bool* pOkToShowWeather, Rect* pRectWxBlueBoxLocation,
                             const Rect& rectImageLocation, int nDllVersion) = 0;
    virtual void drawBlueBox2(const FrameComposer& owner, DrawingSurface& frame,
                              bool* pOkToShowWeather, Rect* pRectWxBlueBoxLocation,
                              const Rect& rectImageLocation, int nDllVersion) = 0;
    virtual void drawWeather(const FrameComposer& owner, DrawingSurface& frame,
                             const Rect& rectWxBlueBoxLocation, int nDllVersion) = 0;
    virtual void drawWeather2(const FrameComposer& owner, DrawingSurface& frame,
                              const Rect& rectWxBlueBoxLocation, int nDllVersion) = 0;
    virtual void drawWeather5(const FrameComposer& owner, DrawingSurface& frame,
                              const Rect& rectWxBlueBoxLocation, int nDllVersion) = 0;
};

// The fading in of a new frame over the old one.
class FrameBlender {
public:
    virtual ~FrameBlender() = default;
    // Ends a running transition, waiting until it has; returns at once when
    // none runs. After it, the blender no longer reads any frame.
    virtual void stopBlendThread() = 0;
    // Starts bringing frame in on screen. The frame stays alive and unchanged
    // until the next stopBlendThread. shown is what the window shows now, when
    // the caller knows it (the frame shown before, or black): the transition
    // starts from it and works in its memory. Invalid, the transition reads
    // the window instead. False when the transition could not be started;
    // the caller then shows the frame itself.
    virtual bool startBlend(FrameScreen& screen, const Rect& rcScreen, const DrawingSurface& frame,
                            DrawingSurface shown) = 0;
};
