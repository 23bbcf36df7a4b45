#pragma once

#include "imaging/DrawingSurface.h"
#include "imaging/Rect.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>

struct _XDisplay;

namespace show_testing {

using namespace std::chrono_literals;

// Polls condition until it holds or the bound has passed; the bound only
// turns a hang into a failure.
bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds bound = std::chrono::seconds(90));

// A started program that the test ends by its process id.
class Child {
public:
    Child() = default;
    explicit Child(pid_t pid) : m_nPid(pid) {}
    Child(Child&& other) noexcept;
    Child& operator=(Child&& other) noexcept;
    ~Child(); // ends it (SIGTERM, then SIGKILL) if still running

    bool isRunning();
    pid_t pid() const { return m_nPid; }
    void signal(int nSignal) const;
    // The exit code once it ended within the bound; nullopt when it did not
    // end (or ended by a signal).
    std::optional<int> waitForExit(std::chrono::milliseconds bound = std::chrono::seconds(90));

private:
    void reap(int status);

    pid_t m_nPid = -1;
    bool m_bExited = false;
    int m_nExitStatus = 0;
};

// Starts argv (searched in PATH) with its standard output and error going
// to file (appended), or discarded when file is empty.
Child startProgram(const std::vector<std::string>& argv, const std::string& csOutputFile = "");

// A private X server for one test, with DISPLAY pointing at it while the
// object lives: Xvfb with one screen, or Xorg's dummy driver with two
// monitors side by side; optionally with a window manager (openbox).
class PrivateDisplay {
public:
    // Xvfb with a black root window of nWidth x nHeight.
    static std::unique_ptr<PrivateDisplay> startXvfb(int nWidth, int nHeight);
    // Xorg's dummy driver with two monitors laid out by RandR: left (the
    // primary) and right of it, each of a standard mode's size; null with
    // the reason in *pWhyNot when it cannot start.
    static std::unique_ptr<PrivateDisplay> startTwoMonitors(const Rect& rcLeft, const Rect& rcRight,
                                                            std::string* pWhyNot);
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    // Starts openbox and waits until it manages the screen.
    bool startWindowManager();

    const std::string& name() const { return m_csName; }
    _XDisplay* connection() const { return m_pDisplay; }
    int width() const;
    int height() const;

    // What the whole screen shows now.
    DrawingSurface screenshot() const;
    // The top-level window a show marked as its own; 0 while there is none.
    unsigned long findShowWindow() const;
    // The window's geometry on the root; empty when it is not there.
    Rect windowRect(unsigned long window) const;
    // Whether the window holds the keyboard focus (or its frame does).
    unsigned long focusWindow() const;
    // Whether the window's _NET_WM_STATE lists the state atom named.
    bool hasWindowState(unsigned long window, const char* pState) const;
    // A plain mapped window of our own, as another program would have.
    unsigned long createWindow(const Rect& rect, const char* pTitle);
    // What a window manager sends when a person clicks a close button.
    void sendDeleteWindow(unsigned long window);

    // Runs xdotool with the arguments and waits for it.
    bool xdotool(const std::vector<std::string>& arguments) const;

private:
    PrivateDisplay() = default;
    bool connect();

    testing_support::TempFolder m_folder;
    Child m_server;
    Child m_windowManager;
    std::string m_csName;
    _XDisplay* m_pDisplay = nullptr;
    std::unique_ptr<testing_support::ScopedEnvironment> m_pDisplayEnvironment;
};

} // namespace show_testing
