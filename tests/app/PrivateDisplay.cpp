#include "PrivateDisplay.h"

#include "app/WeatherUpdateBroadcast.h"
#include "platform/Process.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

namespace show_testing {

namespace {

pid_t spawn(const std::vector<std::string>& argv, const std::string& csOutputFile, int nKeepFd) {
    std::vector<char*> arguments;
    for (const std::string& argument : argv) {
        arguments.push_back(const_cast<char*>(argument.c_str()));
    }
    arguments.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string csTarget = csOutputFile.empty() ? "/dev/null" : csOutputFile;
    posix_spawn_file_actions_addopen(&actions, 1, csTarget.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                     0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    (void)nKeepFd; // inherited as it is: it is not close-on-exec
    pid_t pid = -1;
    const int error =
        posix_spawnp(&pid, arguments.front(), &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : -1;
}

// Starts an X server told to write its display number to a pipe, and
// reads it; empty when the server did not come up.
std::string startServer(std::vector<std::string> argv, const std::string& csLog, Child& server) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        return "";
    }
    const int nWriteFd = fcntl(fds[1], F_DUPFD, 10); // a copy without close-on-exec
    close(fds[1]);
    argv.insert(argv.begin() + 1, {"-displayfd", std::to_string(nWriteFd)});
    server = Child(spawn(argv, csLog, nWriteFd));
    close(nWriteFd);
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    while (number.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
        pollfd descriptor{fds[0], POLLIN, 0};
        if (poll(&descriptor, 1, 200) <= 0) {
            if (!server.isRunning()) {
                break;
            }
            continue;
        }
        char buffer[16];
        const ssize_t nRead = read(fds[0], buffer, sizeof buffer);
        if (nRead <= 0) {
            break;
        }
        number.append(buffer, static_cast<std::size_t>(nRead));
    }
    close(fds[0]);
    if (number.find('\n') == std::string::npos) {
        return "";
    }
    number.resize(number.find('\n'));
    number.insert(number.begin(), ':');
    return number;
}

Atom atom(Display* pDisplay, const char* pName) {
    return XInternAtom(pDisplay, pName, False);
}

int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

} // namespace

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return condition();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

Child::Child(Child&& other) noexcept
    : m_nPid(std::exchange(other.m_nPid, -1)), m_bExited(other.m_bExited),
      m_nExitStatus(other.m_nExitStatus) {}

Child& Child::operator=(Child&& other) noexcept {
    if (this != &other) {
        this->~Child();
        m_nPid = std::exchange(other.m_nPid, -1);
        m_bExited = other.m_bExited;
        m_nExitStatus = other.m_nExitStatus;
    }
    return *this;
}

Child::~Child() {
    if (!isRunning()) {
        return;
    }
    signal(SIGTERM);
    if (!waitForExit(std::chrono::seconds(10)) && isRunning()) {
        signal(SIGKILL);
        waitForExit(std::chrono::seconds(10));
    }
}

void Child::reap(int status) {
    m_bExited = true;
    m_nExitStatus = status;
}

bool Child::isRunning() {
    if (m_nPid <= 0 || m_bExited) {
        return false;
    }
    int status = 0;
    if (waitpid(m_nPid, &status, WNOHANG) == m_nPid) {
        reap(status);
        return false;
    }
    return true;
}

void Child::signal(int nSignal) const {
    if (m_nPid > 0 && !m_bExited) {
        kill(m_nPid, nSignal);
    }
}

std::optional<int> Child::waitForExit(std::chrono::milliseconds bound) {
    waitUntil([this] { return !isRunning(); }, bound);
    if (!m_bExited || !WIFEXITED(m_nExitStatus)) {
        return std::nullopt;
    }
    return WEXITSTATUS(m_nExitStatus);
}

Child startProgram(const std::vector<std::string>& argv, const std::string& csOutputFile) {
    return Child(spawn(argv, csOutputFile, -1));
}

std::unique_ptr<PrivateDisplay> PrivateDisplay::startXvfb(int nWidth, int nHeight) {
    std::unique_ptr<PrivateDisplay> pDisplay(new PrivateDisplay());
    pDisplay->m_csName = startServer(
        {"Xvfb", "-screen", "0", std::to_string(nWidth) + "x" + std::to_string(nHeight) + "x24",
         "-br", "-nolisten", "tcp", "-noreset"},
        pDisplay->m_folder.file("server.log"), pDisplay->m_server);
    if (pDisplay->m_csName.empty() || !pDisplay->connect()) {
        return nullptr;
    }
    return pDisplay;
}

std::unique_ptr<PrivateDisplay>
PrivateDisplay::startTwoMonitors(const Rect& rcLeft, const Rect& rcRight, std::string* pWhyNot) {
    if (geteuid() != 0) {
        *pWhyNot = "Xorg with a configuration file of our own needs root";
        return nullptr;
    }
    if (access("/usr/lib/xorg/modules/drivers/dummy_drv.so", R_OK) != 0) {
        *pWhyNot = "Xorg's dummy driver (xserver-xorg-video-dummy) is not installed";
        return nullptr;
    }
    std::unique_ptr<PrivateDisplay> pDisplay(new PrivateDisplay());
    // One screen as large as both monitors; RandR then lays the driver's
    // first two outputs out on it, as a desktop with two monitors has them.
    const std::string csScreen = std::to_string(rcRight.right) + "x" +
                                 std::to_string(std::max(rcLeft.bottom, rcRight.bottom));
    const std::string csConfig =
        "Section \"ServerFlags\"\n  Option \"AutoAddDevices\" \"false\"\n"
        "  Option \"DontVTSwitch\" \"true\"\nEndSection\n"
        "Section \"Device\"\n  Identifier \"card\"\n  Driver \"dummy\"\n"
        "  VideoRam 64000\nEndSection\n"
        "Section \"Monitor\"\n  Identifier \"monitor\"\n  HorizSync 5.0 - 1000.0\n"
        "  VertRefresh 5.0 - 200.0\nEndSection\n"
        "Section \"Screen\"\n  Identifier \"screen\"\n  Device \"card\"\n"
        "  Monitor \"monitor\"\n  DefaultDepth 24\n  SubSection \"Display\"\n    Depth 24\n"
        "    Virtual " +
        std::to_string(rcRight.right) + " " +
        std::to_string(std::max(rcLeft.bottom, rcRight.bottom)) + "\n  EndSubSection\nEndSection\n";
    pDisplay->m_folder.write("xorg.conf", csConfig);
    pDisplay->m_csName = startServer({"Xorg", "-config", pDisplay->m_folder.file("xorg.conf"),
                                      "-noreset", "-nolisten", "tcp", "-novtswitch", "-sharevts",
                                      "-logfile", pDisplay->m_folder.file("xorg.log")},
                                     pDisplay->m_folder.file("server.log"), pDisplay->m_server);
    if (pDisplay->m_csName.empty() || !pDisplay->connect()) {
        *pWhyNot = "Xorg did not start: " + pDisplay->m_folder.read("server.log");
        return nullptr;
    }
    const auto mode = [](const Rect& rc) {
        return std::to_string(rc.width()) + "x" + std::to_string(rc.height());
    };
    const auto position = [](const Rect& rc) {
        return std::to_string(rc.left) + "x" + std::to_string(rc.top);
    };
    const auto run = [](const std::vector<std::string>& argv) {
        platform::Process process = platform::Process::start(argv);
        return process.isRunning() && process.wait(60000) == 0;
    };
    // The sizes must be among the driver's standard modes.
    if (!run({"xrandr", "--addmode", "DUMMY1", mode(rcRight)}) ||
        !run({"xrandr", "--fb", csScreen, "--output", "DUMMY0", "--mode", mode(rcLeft), "--pos",
              position(rcLeft), "--primary", "--output", "DUMMY1", "--mode", mode(rcRight), "--pos",
              position(rcRight)}) ||
        // A query makes the server look at its outputs again; until then
        // the toolkit, which reads the server's current state, would still
        // find the second one disconnected.
        !run({"xrandr", "--query"})) {
        *pWhyNot = "xrandr could not lay out two monitors";
        return nullptr;
    }
    return pDisplay;
}

bool PrivateDisplay::connect() {
    m_pDisplay = XOpenDisplay(m_csName.c_str());
    if (m_pDisplay == nullptr) {
        return false;
    }
    // Windows come and go under the test's feet.
    XSetErrorHandler(ignoreErrors);
    m_pDisplayEnvironment =
        std::make_unique<testing_support::ScopedEnvironment>("DISPLAY", m_csName);
    return true;
}

PrivateDisplay::~PrivateDisplay() {
    if (m_pDisplay != nullptr) {
        XCloseDisplay(m_pDisplay);
    }
    m_windowManager = Child();
    m_server = Child();
}

bool PrivateDisplay::startWindowManager() {
    m_windowManager = startProgram({"openbox", "--sm-disable"}, m_folder.file("wm.log"));
    return waitUntil([&] {
        return windowHasProperty(m_pDisplay, DefaultRootWindow(m_pDisplay),
                                 "_NET_SUPPORTING_WM_CHECK");
    });
}

// The root's size now: RandR may have changed it since the connection
// was made.
int PrivateDisplay::width() const {
    XWindowAttributes attributes{};
    XGetWindowAttributes(m_pDisplay, DefaultRootWindow(m_pDisplay), &attributes);
    return attributes.width;
}

int PrivateDisplay::height() const {
    XWindowAttributes attributes{};
    XGetWindowAttributes(m_pDisplay, DefaultRootWindow(m_pDisplay), &attributes);
    return attributes.height;
}

DrawingSurface PrivateDisplay::screenshot() const {
    XImage* pImage =
        XGetImage(m_pDisplay, DefaultRootWindow(m_pDisplay), 0, 0, static_cast<unsigned>(width()),
                  static_cast<unsigned>(height()), AllPlanes, ZPixmap);
    if (pImage == nullptr) {
        return DrawingSurface();
    }
    DrawingSurface shot = DrawingSurface::create(pImage->width, pImage->height);
    if (shot.isValid()) {
        shot.flush();
        for (int y = 0; y < pImage->height; ++y) {
            std::uint32_t* pRow = shot.row(y);
            for (int x = 0; x < pImage->width; ++x) {
                pRow[x] = static_cast<std::uint32_t>(XGetPixel(pImage, x, y)) & 0xFFFFFF;
            }
        }
        shot.markDirty();
    }
    XDestroyImage(pImage);
    return shot;
}

unsigned long PrivateDisplay::findShowWindow() const {
    const std::vector<unsigned long> shows = findShowWindows(m_pDisplay);
    return shows.empty() ? 0 : shows.front();
}

Rect PrivateDisplay::windowRect(unsigned long window) const {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(m_pDisplay, window, &attributes) == 0 ||
        attributes.map_state != IsViewable) {
        return Rect{};
    }
    int x = 0;
    int y = 0;
    Window child = None;
    XTranslateCoordinates(m_pDisplay, window, DefaultRootWindow(m_pDisplay), 0, 0, &x, &y, &child);
    return Rect{x, y, x + attributes.width, y + attributes.height};
}

unsigned long PrivateDisplay::focusWindow() const {
    Window focus = None;
    int nRevert = 0;
    XGetInputFocus(m_pDisplay, &focus, &nRevert);
    return focus;
}

bool PrivateDisplay::hasWindowState(unsigned long window, const char* pState) const {
    Atom type = None;
    int nFormat = 0;
    unsigned long nItems = 0;
    unsigned long nAfter = 0;
    unsigned char* pData = nullptr;
    if (XGetWindowProperty(m_pDisplay, window, atom(m_pDisplay, "_NET_WM_STATE"), 0, 64, False,
                           XA_ATOM, &type, &nFormat, &nItems, &nAfter, &pData) != Success ||
        pData == nullptr) {
        return false;
    }
    const Atom wanted = atom(m_pDisplay, pState);
    bool bFound = false;
    const auto* pAtoms = reinterpret_cast<const Atom*>(pData);
    for (unsigned long i = 0; i < nItems; ++i) {
        bFound = bFound || pAtoms[i] == wanted;
    }
    XFree(pData);
    return bFound;
}

unsigned long PrivateDisplay::createWindow(const Rect& rect, const char* pTitle) {
    const int nScreen = DefaultScreen(m_pDisplay);
    const Window window = XCreateSimpleWindow(
        m_pDisplay, RootWindow(m_pDisplay, nScreen), rect.left, rect.top,
        static_cast<unsigned>(rect.width()), static_cast<unsigned>(rect.height()), 0,
        WhitePixel(m_pDisplay, nScreen), WhitePixel(m_pDisplay, nScreen));
    XStoreName(m_pDisplay, window, pTitle);
    XWMHints hints{};
    hints.flags = InputHint;
    hints.input = True;
    XSetWMHints(m_pDisplay, window, &hints);
    XMapWindow(m_pDisplay, window);
    XSync(m_pDisplay, False);
    return window;
}

void PrivateDisplay::sendDeleteWindow(unsigned long window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = atom(m_pDisplay, "WM_PROTOCOLS");
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(atom(m_pDisplay, "WM_DELETE_WINDOW"));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_pDisplay, window, False, NoEventMask, &event);
    XSync(m_pDisplay, False);
}

bool PrivateDisplay::xdotool(const std::vector<std::string>& arguments) const {
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    platform::Process process = platform::Process::start(argv);
    return process.isRunning() && process.wait(60000) == 0;
}

} // namespace show_testing
