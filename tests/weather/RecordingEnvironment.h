#pragma once

#include "slideshow/ImageSelector.h"

#include <string>
#include <vector>

namespace weather_testing {

// Online unless told otherwise, logging, and keeping every trace line.
class RecordingEnvironment : public ImageSelectionEnvironment {
public:
    bool connectedToInternet() override { return m_bConnected; }
    bool isLogging() override { return true; }
    void logMessage(const std::string& line) override { m_lines.push_back(line); }
    // No waiting: the image after the last is taken at once.
    bool waitForSecondsOtherThan(int) override { return false; }

    bool m_bConnected = true;
    std::vector<std::string> m_lines;
};

} // namespace weather_testing
