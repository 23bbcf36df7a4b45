#pragma once

#include "app/TovakInterface.h"

#include <string>

// Call sites ask isLogging() first and build the line only when it is true.
inline bool isLogging() {
    return g_pTovakInterface != nullptr && g_pTovakInterface->isLogging();
}

inline void logMessage(const std::string& line) {
    if (g_pTovakInterface != nullptr) {
        g_pTovakInterface->logMessage(line);
    }
}
