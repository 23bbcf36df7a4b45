#pragma once

#include "packs/ImgPackInfo.h"

#include <cstdint>
#include <string>
#include <vector>

// The pack catalogue with the ask-me-later state of the promotion.
class ImgPacks {
public:
    // The text the catalogue dump writes to the debug output.
    std::string dumpPackList() const;

    // Pack the user asked to be reminded of; empty when none.
    std::string askMeLaterActivePackID;
    // Reminders left; -1 when none.
    std::int32_t askMeLaterCountDown = -1;
    // In document order.
    std::vector<ImgPackInfo> packs;
};
