#include "ui/SettingsDialogHost.h"

#include "app/TovakInterface.h"
#include "res/ResourceIds.h"
#include "ui/CEnterLocation.h"
#include "ui/CSaverDlg.h"
#include "ui/FavoriteImagePicker.h"

#include <wx/app.h>

namespace {

// The program as the settings dialog reaches it.
class DialogServices : public SaverDialogServices {
public:
    explicit DialogServices(UsageTracker& tracker) : m_tracker(tracker) {}

    bool connectedToInternet() override {
        return g_pTovakInterface != nullptr && g_pTovakInterface->connectedToInternet();
    }
    void sendTrackingPing(const std::string& code) override {
        m_tracker.sendTrackingPing(code, "");
    }
    std::optional<ChosenLocation> askForLocation() override {
        CEnterLocation dialog;
        if (dialog.DoModal() != res::IDOK) {
            return std::nullopt;
        }
        return ChosenLocation{dialog.getDisplayName(), dialog.getLocationId()};
    }
    FavoritePicker& favoritePicker() override { return m_picker; }

private:
    UsageTracker& m_tracker;
    FavoriteImagePicker m_picker;
};

} // namespace

bool SettingsDialogHost::runSettingsDialog(ConfigurationValues& values, UsageTracker& tracker) {
    DialogServices services(tracker);
    CSaverDlg dialog(services);
    static_cast<ConfigurationValues&>(dialog.values()) = values;
    // The dialog is the program's window while it is open.
    wxWindow* pPreviousTop = wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr;
    if (wxTheApp != nullptr) {
        wxTheApp->SetTopWindow(&dialog);
    }
    const bool bOK = dialog.DoModal() == res::IDOK;
    if (wxTheApp != nullptr) {
        wxTheApp->SetTopWindow(pPreviousTop);
    }
    if (bOK) {
        values = dialog.values();
    }
    return bOK;
}
