#include "tools/frames/OffscreenShow.h"

OffscreenShow::OffscreenShow(const std::string& csPackPath) {
    m_composer.setPreview(false);
    m_composer.setBlendImages(false);
    m_composer.setImagePackFile(csPackPath);
    m_composer.setWeatherPanelPainter(&m_panel);
}

void OffscreenShow::setPanel(bool bWithPanel) {
    m_composer.setWeatherPanelPainter(bWithPanel ? &m_panel : nullptr);
}

const DrawingSurface& OffscreenShow::compose(int nWidth, int nHeight, bool bChangeImage) {
    m_composer.Draw(m_screen, Rect{0, 0, nWidth, nHeight}, bChangeImage);
    return m_composer.currentFrame();
}
