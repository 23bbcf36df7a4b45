#include "DialogDriver.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace ui_test {

namespace {

std::string quoted(const std::string& argument) {
    std::string text = "'";
    for (char c : argument) {
        text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return text + "'";
}

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string windowName(const std::string& title) {
    return "^" + title + "$";
}

} // namespace

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

CommandResult xdotool(const std::vector<std::string>& arguments) {
    std::string command = "timeout -k 5 60 xdotool";
    for (const std::string& argument : arguments) {
        command += ' ';
        command += quoted(argument);
    }
    CommandResult result;
    std::FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        result.output += buffer;
    }
    const int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    while (!result.output.empty() && result.output.back() == '\n') {
        result.output.pop_back();
    }
    return result;
}

DialogToolRun::DialogToolRun(const std::string& searchBase,
                             const std::vector<std::string>& arguments)
    : m_dataHome("NIMBORA_DATA_HOME", m_folder.path()),
      m_controlMaps("NIMBORA_CONTROL_MAP_FOLDER", m_folder.path()),
      // The toolkit's own teardown leaks vary from run to run; the exit code
      // must speak of the dialog.
      m_noLeakCheck("ASAN_OPTIONS", "detect_leaks=0") {
    std::filesystem::create_directories(m_folder.file("Nimbora/Screensaver"));
    m_folder.write("Nimbora/Screensaver/config.ini",
                   "[Software\\Nimbora\\Apps\\AppData\\services]\nsearch=" + searchBase + "\n");
    std::vector<std::string> command = {DIALOG_TOOL, "--report", m_folder.file("report.txt")};
    command.insert(command.end(), arguments.begin(), arguments.end());
    m_tool = platform::Process::start(command);
}

DialogToolRun::~DialogToolRun() {
    if (m_tool.isRunning()) {
        ::kill(m_tool.pid(), SIGKILL);
        m_tool.wait(10000);
    }
}

std::vector<std::string> DialogToolRun::report() const {
    std::vector<std::string> lines;
    std::stringstream text(readFile(m_folder.file("report.txt")));
    for (std::string line; std::getline(text, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::optional<std::string> DialogToolRun::waitForReport(const std::string& prefix) {
    std::optional<std::string> found;
    waitFor([&] {
        for (const std::string& line : report()) {
            if (line.rfind(prefix, 0) == 0) {
                found = line;
                return true;
            }
        }
        return false;
    });
    return found;
}

std::optional<ControlMap> DialogToolRun::waitForDialog(int templateId) {
    return waitForControlMap(m_folder.path(), templateId);
}

void DialogToolRun::forgetDialog(int templateId) {
    std::filesystem::remove(controlMapPath(m_folder.path(), templateId));
}

int DialogToolRun::waitForExit() {
    return m_tool.wait(60000);
}

bool DialogToolRun::focus(const std::string& windowTitle) {
    return focusWindow(windowTitle);
}

bool DialogToolRun::type(const std::string& windowTitle, const std::string& text) {
    return typeInto(windowTitle, text);
}

bool DialogToolRun::key(const std::string& windowTitle, const std::string& keys) {
    return pressKeys(windowTitle, keys);
}

bool DialogToolRun::click(const ControlMap& map, int controlId) {
    return clickControl(map, controlId);
}

bool DialogToolRun::windowShown(const std::string& windowTitle) {
    return isWindowShown(windowTitle);
}

bool focusWindow(const std::string& windowTitle) {
    return xdotool({"search", "--sync", "--onlyvisible", "--name", windowName(windowTitle),
                    "windowfocus", "--sync", "%1"})
               .exitCode == 0;
}

bool typeInto(const std::string& windowTitle, const std::string& text) {
    return focusWindow(windowTitle) && xdotool({"type", "--delay", "30", "--", text}).exitCode == 0;
}

bool pressKeys(const std::string& windowTitle, const std::string& keys) {
    return focusWindow(windowTitle) && xdotool({"key", "--delay", "30", keys}).exitCode == 0;
}

bool clickControl(const ControlMap& map, int controlId) {
    const MappedControl* control = map.find(controlId);
    if (control == nullptr || !focusWindow(map.title)) {
        return false;
    }
    const int x = (control->screenRect.x + control->screenRect.width / 2) * map.scale;
    const int y = (control->screenRect.y + control->screenRect.height / 2) * map.scale;
    return xdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y), "click", "1"})
               .exitCode == 0;
}

bool isWindowShown(const std::string& windowTitle) {
    return xdotool({"search", "--onlyvisible", "--name", windowName(windowTitle)}).exitCode == 0;
}

std::optional<ControlMap> waitForControlMap(const std::string& folder, int templateId,
                                            const std::function<bool(const ControlMap&)>& until) {
    std::optional<ControlMap> map;
    const std::string path = controlMapPath(folder, templateId);
    waitFor([&] {
        map = parseControlMap(readFile(path));
        return map.has_value() && (!until || until(*map));
    });
    if (!map || (until && !until(*map))) {
        return std::nullopt;
    }
    // Shown for the toolkit is not yet mapped for the X server.
    if (!waitFor([&] { return isWindowShown(map->title); })) {
        return std::nullopt;
    }
    return map;
}

} // namespace ui_test
