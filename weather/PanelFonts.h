#pragma once

#include "imaging/TextFont.h"

#include <map>
#include <utility>

// The panel's fonts, each made once and kept. A font is only a description
// resolved through fontconfig: made again it resolves to the same face at
// the same size, so a kept one draws exactly the same pixels, without the
// font lookup and the measuring of the line on every frame.
class PanelFonts {
public:
    // "Arial" of the cell height and weight.
    const TextFont& arial(int nCellHeight, int nWeight);

private:
    std::map<std::pair<int, int>, TextFont> m_fonts;
};
