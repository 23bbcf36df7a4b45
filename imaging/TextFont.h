#pragma once

#include "imaging/CairoHandles.h"

#include <pango/pango-context.h>
#include <string>

// A font chosen the way the panel layouts ask for one: a face name, the cell
// height in pixels (ascent plus descent, the whole line a glyph row needs)
// and a weight from 100 to 1000 (400 normal, 700 bold). The face goes
// through fontconfig, so "Arial" finds a metric-compatible substitute.
// Move-only; an empty font is not valid and draws nothing.
class TextFont {
public:
    static constexpr int MAX_CELL_HEIGHT = 2048;

    TextFont() = default;
    // Empty when the cell height is not in 1..MAX_CELL_HEIGHT or no font
    // could be loaded at all.
    static TextFont create(const std::string& csFace, int nCellHeight, int nWeight);

    bool isValid() const { return m_pDescription != nullptr; }
    const PangoFontDescription* description() const { return m_pDescription.get(); }
    int cellHeight() const { return m_nCellHeight; }
    // Pixels from the top of the cell to the baseline.
    int ascent() const { return m_nAscent; }

private:
    FontDescriptionPtr m_pDescription;
    int m_nCellHeight = 0;
    int m_nAscent = 0;
};

// Gives a pango context the rendering options every measurement and every
// drawing of text shares, so that a measured width is the drawn width.
void applyTextRendering(PangoContext* pContext);
