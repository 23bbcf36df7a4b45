#pragma once

#include <string>

namespace res {

// The caption of boxes that speak for the program as a whole.
inline constexpr const char* kApplicationTitle = "Nimbora Screensaver";

// The string resource with that id; empty for an id the table lacks.
std::string loadString(int id);

} // namespace res
