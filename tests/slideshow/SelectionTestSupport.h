#pragma once

#include "platform/Clock.h"
#include "slideshow/ImageDLLInterface.h"
#include "slideshow/ImageSelector.h"
#include "support/TempFolder.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace selection_testing {

// A local clock whose seconds the test sets.
class SettableClock : public platform::Clock {
public:
    int localSeconds() const override { return m_nSeconds; }
    int m_nSeconds = 0;
};

// Records trace lines and waits; each wait moves the clock on by one second,
// unless the test froze it: then the wait finds the clock stuck.
class RecordingEnvironment : public ImageSelectionEnvironment {
public:
    explicit RecordingEnvironment(SettableClock& clock) : m_clock(clock) {}

    bool connectedToInternet() override { return m_bConnected; }
    bool isLogging() override { return m_bLogging; }
    void logMessage(const std::string& line) override { m_lines.push_back(line); }
    bool waitForSecondsOtherThan(int nSeenSeconds) override;

    bool m_bConnected = false;
    bool m_bLogging = true;
    bool m_bClockFrozen = false;
    int m_nWaits = 0;
    std::vector<std::string> m_lines;

private:
    SettableClock& m_clock;
};

// What a test pack says; every section that is set goes into the manifest.
struct PackDescription {
    explicit PackDescription(std::vector<int> counts, std::string skyCodes = "32 = 1\n")
        : imagesPerGroup(std::move(counts)), csSkyCodes(std::move(skyCodes)) {}

    std::vector<int> imagesPerGroup;
    // Overrides the group count the pack reports; by default the size of
    // imagesPerGroup.
    std::string csNumImageGroups;
    int nVersion = 5;
    // "skyCode = group" lines.
    std::string csSkyCodes;
    std::string csBoxLocations = "default = lower-right 20 30\n";
    // Extra "group = count" lines, e.g. for groups beyond the reported count.
    std::string csExtraImageCounts;
    bool bWithColours = true;
};

std::string manifestFor(const PackDescription& description);

// Writes a pack built from the description into folder and loads it.
std::unique_ptr<ImageDLLInterface> loadPack(const testing_support::TempFolder& folder,
                                            const std::string& csName,
                                            const PackDescription& description);

// Installs a settable clock and clears the selection memory for one test.
class SelectionTest {
public:
    SelectionTest();
    ~SelectionTest();
    SelectionTest(const SelectionTest&) = delete;
    SelectionTest& operator=(const SelectionTest&) = delete;

    WxImageInfo next(const ImageDLLInterface& pack, const ImageSelectionSettings& settings) {
        return ImageSelector(pack, settings, m_environment).getNextImageInfo();
    }

    testing_support::TempFolder m_folder;
    SettableClock m_clock;
    RecordingEnvironment m_environment{m_clock};
};

} // namespace selection_testing
