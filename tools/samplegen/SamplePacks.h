#pragma once

#include "tools/samplegen/SkyPainter.h"

#include <cstdint>
#include <string>
#include <vector>

// One sample pack: which panel family it belongs to and how it looks.
struct PackDesign {
    std::string csFile;
    std::string csDisplayName;
    int nVersion = 5;
    int nImagesPerGroup = 4;
    int nFirstVariant = 0;
    int nPanelWidth = 380;
    int nPanelHeight = 100;
    int nIconSize = 64;
    std::uint32_t iconBackground = 0x1B2A4A;
    int nBoxOffset = 80;    // from the photo's side
    std::string csIconPath; // version 5: the PNG icons' path, inside the pack
    int nBoxOffsetY = -1;   // from its top; -1: the same as nBoxOffset
    // Offered by the catalogue for download rather than installed.
    bool bOffered = false;
    int boxOffsetY() const { return nBoxOffsetY < 0 ? nBoxOffset : nBoxOffsetY; }
};

struct GroupDesign {
    SkyKind kind;
    const char* szName;
    std::vector<int> skyCodes;
    bool bBright; // dark text reads better on it
};

const std::vector<GroupDesign>& sampleGroups();
std::vector<PackDesign> samplePackDesigns();

// Renders the pack's pictures (version 5: with its PNG icons) and writes it
// into the folder. False with the reason in csError.
bool writeSamplePack(const PackDesign& design, const std::string& csFolder, std::string& csError);

// Panel artwork: a blue glass panel.
DrawingSurface paintPanel(int nWidth, int nHeight, bool bFlatMiddle);
