#include "weather/PanelFonts.h"

const TextFont& PanelFonts::arial(int nCellHeight, int nWeight) {
    const auto key = std::make_pair(nCellHeight, nWeight);
    auto found = m_fonts.find(key);
    if (found == m_fonts.end()) {
        found = m_fonts.emplace(key, TextFont::create("Arial", nCellHeight, nWeight)).first;
    }
    return found->second;
}
