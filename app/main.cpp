#include "app/CSaverApp.h"
#include "app/PendingMessageBoxes.h"
#include "app/PingQueue.h"
#include "app/SettingsStore.h"
#include "app/TovakInterface.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

wxIMPLEMENT_APP_NO_MAIN(CSaverApp);

namespace {

// How long the pings posted last may take to go out once the program is done;
// after SIGTERM (a saver daemon ending the show) much less, so that the
// program is gone within a second.
constexpr std::chrono::milliseconds kPingsAtExitBound{2000};
constexpr std::chrono::milliseconds kPingsAtSignalBound{300};

} // namespace

int main(int argc, char** argv) {
    // Everything is drawn with cairo. Unless told otherwise, GDK loads the
    // system's OpenGL stack at start-up only to choose visuals: tens of
    // megabytes and tens of milliseconds, for nothing. A user's own setting
    // stands.
    setenv("GDK_GL", "disable", 0);
    // The framework library is loaded before the application object exists,
    // when no toolkit is up to show a box: its complaints wait for OnInit.
    queueMessageBoxesUntilToolkit();
    TovakInterface tovak("ScreenSaver", InstallFolder());
    g_pTovakInterface = &tovak;
    PingQueue pings;
    setPingQueue(&pings);
    CSaverApp::setCommandLine(std::vector<std::string>(argv, argv + argc));
    const int exitCode = wxEntry(argc, argv);
    if (!pings.waitUntilSent(CSaverApp::endedBySignal() ? kPingsAtSignalBound
                                                        : kPingsAtExitBound)) {
        // A ping stuck on a dead service is not worth holding the session
        // for, nor may the library go while it is inside it: end here.
        std::fflush(nullptr);
        std::_Exit(exitCode);
    }
    setPingQueue(nullptr);
    g_pTovakInterface = nullptr;
    return exitCode;
}
