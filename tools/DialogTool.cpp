// nimbora-dialog-tool: opens one of the program's dialogs on its own, for
// window tests and screenshots, and says how it ended.
//
//   nimbora-dialog-tool [--report FILE] enter-location
//   nimbora-dialog-tool [--report FILE] select-city NAME...
//   nimbora-dialog-tool [--report FILE] template ID
//   nimbora-dialog-tool [--report FILE] select-images PACK [FAVOURITES]
//   nimbora-dialog-tool [--report FILE] message TITLE TEXT [none|information|exclamation|error]
//
// It reports one tab-separated line per event to FILE (else to standard
// output): "box <title> <text>" as a message box opens, then "ok <location
// id> <display name>" (enter-location), "ok <index>" (select-city), "ok
// <favourites>" (select-images), "ended
// <result>" (template, message) or "cancel". The dialogs search through the
// services named in config.ini, as the program does; with
// NIMBORA_CONTROL_MAP_FOLDER set, each dialog says where its controls are.
#include "app/SettingsStore.h"
#include "app/TovakInterface.h"
#include "location/CSelectCityDlg.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"
#include "res/DialogTemplates.h"
#include "ui/CEnterLocation.h"
#include "ui/FavoriteImagePicker.h"
#include "ui/ToolkitMessageBox.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include <wx/app.h>

namespace {

const char* const kUsage =
    "usage: nimbora-dialog-tool [--report FILE] COMMAND\n"
    "  enter-location                 the location entry dialog\n"
    "  select-city NAME...            the city choice\n"
    "  template ID                    any dialog template, laid out, without behaviour\n"
    "  select-images PACK [FAVOURITES] the favourite picker over a pack file\n"
    "  message TITLE TEXT [ICON]      a message box (none, information, exclamation, error)\n";

class Report {
public:
    explicit Report(const std::string& path)
        : m_pFile(path.empty() ? stdout : std::fopen(path.c_str(), "a")) {}
    ~Report() {
        if (m_pFile != nullptr && m_pFile != stdout) {
            std::fclose(m_pFile);
        }
    }
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    bool isOpen() const { return m_pFile != nullptr; }
    void line(const std::string& text) {
        std::fprintf(m_pFile, "%s\n", text.c_str());
        std::fflush(m_pFile);
    }

private:
    std::FILE* m_pFile;
};

platform::MessageBoxIcon iconNamed(const std::string& name) {
    if (name == "information") {
        return platform::MessageBoxIcon::Information;
    }
    if (name == "exclamation") {
        return platform::MessageBoxIcon::Exclamation;
    }
    if (name == "error") {
        return platform::MessageBoxIcon::Error;
    }
    return platform::MessageBoxIcon::None;
}

class DialogToolApp : public wxApp {
public:
    bool OnInit() override {
        std::vector<std::string> arguments;
        for (int i = 1; i < argc; ++i) {
            arguments.push_back(argv[i].utf8_string());
        }
        std::string reportPath;
        if (arguments.size() >= 2 && arguments[0] == "--report") {
            reportPath = arguments[1];
            arguments.erase(arguments.begin(), arguments.begin() + 2);
        }
        m_arguments = std::move(arguments);
        m_pReport = std::make_unique<Report>(reportPath);
        return m_pReport->isOpen();
    }

    int OnRun() override {
        platform::setMessageBoxHandler([this](const std::string& title, const std::string& text,
                                              platform::MessageBoxIcon icon) {
            m_pReport->line("box\t" + title + "\t" + text);
            showToolkitMessageBox(title, text, icon);
        });
        const int exitCode = run();
        platform::setMessageBoxHandler({});
        return exitCode;
    }

private:
    int run() {
        const std::vector<std::string>& a = m_arguments;
        if (a.size() == 1 && a[0] == "enter-location") {
            CEnterLocation dialog;
            const bool ok = dialog.DoModal() == 1;
            m_pReport->line(ok ? "ok\t" + dialog.getLocationId() + "\t" + dialog.getDisplayName()
                               : "cancel");
            return 0;
        }
        if (a.size() >= 2 && a[0] == "select-city") {
            CSelectCityDlg dialog;
            dialog.m_cityNames.assign(a.begin() + 1, a.end());
            const bool ok = dialog.DoModal() == 1;
            m_pReport->line(ok ? "ok\t" + std::to_string(dialog.m_nSelectedCity) : "cancel");
            return 0;
        }
        if (a.size() == 2 && a[0] == "template") {
            const DialogTemplate* found = res::findDialogTemplate(std::atoi(a[1].c_str()));
            if (found == nullptr) {
                std::fprintf(stderr, "no dialog template %s\n", a[1].c_str());
                return 2;
            }
            CTemplateDialog dialog(nullptr, *found);
            m_pReport->line("ended\t" + std::to_string(dialog.DoModal()));
            return 0;
        }
        if ((a.size() == 2 || a.size() == 3) && a[0] == "select-images") {
            FavoritePickerRequest request;
            request.packPath = a[1];
            request.favorites = a.size() == 3 ? a[2] : "";
            const std::optional<std::string> chosen = FavoriteImagePicker().pickFavorites(request);
            m_pReport->line(chosen ? "ok\t" + *chosen : "cancel");
            return 0;
        }
        if ((a.size() == 3 || a.size() == 4) && a[0] == "message") {
            platform::showMessageBox(a[1], a[2], iconNamed(a.size() == 4 ? a[3] : "none"));
            m_pReport->line("ended\t1");
            return 0;
        }
        std::fputs(kUsage, stderr);
        return 2;
    }

    std::vector<std::string> m_arguments;
    std::unique_ptr<Report> m_pReport;
};

} // namespace

int main(int argc, char** argv) {
    // The framework library, when installed, carries the traces.
    std::unique_ptr<TovakInterface> tovak;
    if (platform::fileExists(InstallFolder() + "libtovak.so")) {
        tovak = std::make_unique<TovakInterface>("ScreenSaver", InstallFolder());
        g_pTovakInterface = tovak.get();
    }
    // wxEntry takes the application over and deletes it when it ends.
    wxApp::SetInstance(new DialogToolApp);
    const int exitCode = wxEntry(argc, argv);
    g_pTovakInterface = nullptr;
    return exitCode;
}
