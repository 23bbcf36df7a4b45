#pragma once

#include "platform/Process.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "ui/ControlMap.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ui_test {

using namespace std::chrono_literals;

// Waits for condition, looking again every 50 ms; false when it still did
// not hold after timeout (which only turns a hang into a failure).
bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 30s);

// Runs xdotool with arguments, bounded in time; its exit code and output.
struct CommandResult {
    int exitCode = -1;
    std::string output;
};
CommandResult xdotool(const std::vector<std::string>& arguments);

// A person at the keyboard and mouse, on the visible window of that title.
bool focusWindow(const std::string& windowTitle);
bool typeInto(const std::string& windowTitle, const std::string& text);
bool pressKeys(const std::string& windowTitle, const std::string& keys);
bool clickControl(const ControlMap& map, int controlId);
bool isWindowShown(const std::string& windowTitle);

// The map a dialog of templateId wrote into folder, once it is there, its
// window is on the screen and until (when given) holds for it; nullopt when
// that did not happen in time.
std::optional<ControlMap>
waitForControlMap(const std::string& folder, int templateId,
                  const std::function<bool(const ControlMap&)>& until = {});

// What a test of the real program's windows sets for it: each dialog writes
// its control map into a private folder, message boxes go to stderr instead
// of the screen, no accessibility bridge is looked for, and the toolkit's
// teardown leaks, which vary from run to run, are not the test's to judge.
struct ProgramWindowEnvironment {
    // Where the program's output is kept for a failing test to show.
    std::string outputPath() const { return m_maps.file("output.txt"); }
    std::string output() const { return m_maps.read("output.txt"); }

    testing_support::TempFolder m_maps;
    testing_support::ScopedEnvironment m_mapFolder{"NIMBORA_CONTROL_MAP_FOLDER", m_maps.path()};
    testing_support::ScopedEnvironment m_accessibility{"NO_AT_BRIDGE", "1"};
    testing_support::ScopedEnvironment m_boxes{"NIMBORA_MESSAGE_BOXES", "stderr"};
    testing_support::ScopedEnvironment m_noLeakCheck{"ASAN_OPTIONS", "detect_leaks=0"};
};

// nimbora-dialog-tool with arguments, in a private data home whose settings
// send location searches to searchBase, driven with xdotool as a person
// would: it waits for windows and report lines, never for a time.
class DialogToolRun {
public:
    DialogToolRun(const std::string& searchBase, const std::vector<std::string>& arguments);
    ~DialogToolRun();
    DialogToolRun(const DialogToolRun&) = delete;
    DialogToolRun& operator=(const DialogToolRun&) = delete;

    std::vector<std::string> report() const;
    // The first report line that starts with prefix, once there is one.
    std::optional<std::string> waitForReport(const std::string& prefix);
    // The map of dialog templateId once it is shown; forgetDialog drops it,
    // so that the next showing is waited for.
    std::optional<ControlMap> waitForDialog(int templateId);
    void forgetDialog(int templateId);
    // The exit code once the tool has ended, -1 when it did not.
    int waitForExit();

    // Keyboard and mouse, to the visible window of that title.
    bool focus(const std::string& windowTitle);
    bool type(const std::string& windowTitle, const std::string& text);
    bool key(const std::string& windowTitle, const std::string& keys);
    bool click(const ControlMap& map, int controlId);
    bool windowShown(const std::string& windowTitle);

private:
    testing_support::TempFolder m_folder;
    testing_support::ScopedEnvironment m_dataHome;
    testing_support::ScopedEnvironment m_controlMaps;
    testing_support::ScopedEnvironment m_noLeakCheck;
    platform::Process m_tool;
};

} // namespace ui_test
