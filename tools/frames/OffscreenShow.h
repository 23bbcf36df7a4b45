#pragma once

#include "slideshow/FrameComposer.h"
#include "weather/WeatherPanel.h"

#include <string>

// The full-screen show composed off screen, without a window or a network:
// one pack, weather values given by hand, the real panel, frames of any
// size. For looking at frames and for measuring them.
class OffscreenShow {
public:
    explicit OffscreenShow(const std::string& csPackPath);
    OffscreenShow(const OffscreenShow&) = delete;
    OffscreenShow& operator=(const OffscreenShow&) = delete;

    FrameComposer& composer() { return m_composer; }
    WeatherPanel& panel() { return m_panel; }
    // Without the panel the frame is the photo alone, as a preview has it.
    void setPanel(bool bWithPanel);

    // Composes a frame of nWidth by nHeight: the next photo by the display
    // method when bChangeImage, else the photo of the last frame again.
    // The frame is invalid when it could not be composed.
    const DrawingSurface& compose(int nWidth, int nHeight, bool bChangeImage);

private:
    // Online, silent and without pauses.
    class Environment : public ImageSelectionEnvironment {
    public:
        bool connectedToInternet() override { return true; }
        bool isLogging() override { return false; }
        void logMessage(const std::string&) override {}
        // No waiting: the image after the last is taken at once.
        bool waitForSecondsOtherThan(int) override { return false; }
    };

    // Takes frames without showing them anywhere.
    class Screen : public FrameScreen {
    public:
        bool isVisible() const override { return true; }
        void paintBlack(const Rect&) override {}
        bool showFrame(const DrawingSurface&, const Rect&) override { return true; }
    };

    Environment m_environment;
    Screen m_screen;
    WeatherPanel m_panel{m_environment};
    FrameComposer m_composer{m_environment};
};
