#pragma once

#include "imaging/DrawingSurface.h"
#include "imaging/Rect.h"
#include "slideshow/FrameParts.h"
#include "slideshow/FramePool.h"
#include "slideshow/ImageDLLInterface.h"
#include "slideshow/ImageSelector.h"
#include "slideshow/WxImageInfo.h"

#include <memory>
#include <string>

// The slideshow's frames, free of any window: it owns the active pack, the
// display options and the frame now on screen, and composes each new frame
// off screen (the photo fitted and centred over its border colour, the
// weather panel on top) before it reaches the screen in one copy or through
// the blend. The drawing window drives it.
class FrameComposer {
public:
    // The environment is not owned and must outlive the composer.
    explicit FrameComposer(
        ImageSelectionEnvironment& environment = frameworkSelectionEnvironment());
    ~FrameComposer();
    FrameComposer(const FrameComposer&) = delete;
    FrameComposer& operator=(const FrameComposer&) = delete;

    // Replaces the active pack; an empty path leaves none.
    void setImagePackFile(const std::string& csPath);
    void setFavorites(const std::string& csFavorites) { m_csFavorites = csFavorites; }
    void setDisplayMethod(int nMethod, int nOrder);
    void setClearScreen(bool bClear) { m_clearScreen = bClear; }
    void setBlendImages(bool bBlend) { m_blendImages = bBlend; }
    void setPreview(bool bPreview) { m_isPreview = bPreview; }
    void setPausePreview(bool bPause) { m_pausePreivew = bPause; }
    // The panel and the blend, each not owned; null leaves the frame without
    // a panel, or shows it in one copy.
    void setWeatherPanelPainter(WeatherPanelPainter* pPainter) { m_pPanel = pPainter; }
    void setFrameBlender(FrameBlender* pBlender) { m_pBlender = pBlender; }
    // Where frames come from and go back to; shared with the blend, which
    // works in the frame it replaces. Not owned; null: the composer's own.
    void setFramePool(FramePool* pPool) { m_pFramePool = pPool != nullptr ? pPool : &m_ownPool; }

    // Composes one frame of rcScreen's size (its right and bottom are the
    // width and height) and shows it on dc. With changeImage the next photo
    // is chosen; without, the photo on screen is composed again.
    void Draw(FrameScreen& dc, const Rect& rcScreen, bool changeImage);
    // Draws the current photo into the frame, scaled (packs below version 5)
    // or cropped (version 5 and up) and centred; *rectImageLocation is where
    // it lies. Only the pixels the frame shows are decoded, straight into
    // it; the rest of the frame is left as it was. Clears *okToContinue on
    // failure.
    void loadImageFromImageDLL(DrawingSurface& frame, bool* okToContinue, const Rect& rcScreen,
                               Rect* rectImageLocation);
    void stopBlendThread();

    // What the panel and the window read.
    const ImageDLLInterface* imagedll() const { return m_imagedll.get(); }
    const WxImageInfo& currentWxImageInfo() const { return m_currentWxImageInfo; }
    // The frame on screen; not valid before the first complete draw and
    // after a draw that did not complete. It stays unchanged until the next
    // Draw, so the user-interface thread may read it (to copy it to other
    // monitors) while a blend brings it in.
    const DrawingSurface& currentFrame() const { return m_bmpCurrentImage; }
    bool isPreview() const { return m_isPreview; }
    bool isPausePreview() const { return m_pausePreivew; }

    // The weather values, written by the weather code.
    int m_nSkyCode = 0;
    std::string m_csTemperature;
    std::string m_csDisplayName;
    std::string m_csLocationID;
    std::string m_csCCText;

private:
    bool isLogging() const { return m_environment.isLogging(); }
    void log(const std::string& csPrefix, const std::string& csMessage) const;
    bool createFrame(const Rect& rcScreen, DrawingSurface& frame) const;
    void drawPanel(DrawingSurface& frame, const Rect& rectImageLocation, bool& ok);
    void logLoadFailure(const std::string& csName) const;
    DrawingSurface pictureShown(const Rect& rcScreen, bool bPaintedBlack);
    void showFrame(FrameScreen& dc, const Rect& rcScreen, DrawingSurface shown);

    ImageSelectionEnvironment& m_environment;
    WeatherPanelPainter* m_pPanel = nullptr;
    FrameBlender* m_pBlender = nullptr;

    bool m_clearScreen = false;
    bool m_blendImages = true;
    std::unique_ptr<ImageDLLInterface> m_imagedll;
    WxImageInfo m_currentWxImageInfo;
    int m_displayImageMethod = 1;
    int m_displayShowAllMethod = 1;
    bool m_isPreview = true;
    bool m_pausePreivew = false;
    std::string m_csFavorites;
    FramePool m_ownPool;
    FramePool* m_pFramePool = &m_ownPool;
    DrawingSurface m_bmpCurrentImage;
    // The window shows m_bmpCurrentImage whole (once a running blend ends).
    bool m_bFrameOnScreen = false;
};
