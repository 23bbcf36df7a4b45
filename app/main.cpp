#include "app/CSaverApp.h"
#include "app/PendingMessageBoxes.h"
#include "app/SettingsStore.h"
#include "app/TovakInterface.h"

#include <string>
#include <vector>

wxIMPLEMENT_APP_NO_MAIN(CSaverApp);

int main(int argc, char** argv) {
    // The framework library is loaded before the application object exists,
    // when no toolkit is up to show a box: its complaints wait for OnInit.
    queueMessageBoxesUntilToolkit();
    TovakInterface tovak("ScreenSaver", InstallFolder());
    g_pTovakInterface = &tovak;
    CSaverApp::setCommandLine(std::vector<std::string>(argv, argv + argc));
    const int exitCode = wxEntry(argc, argv);
    g_pTovakInterface = nullptr;
    return exitCode;
}
