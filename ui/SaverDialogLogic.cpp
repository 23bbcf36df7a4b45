#include "ui/SaverDialogLogic.h"

#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "app/Trace.h"
#include "location/LocationText.h"
#include "packs/PackFolders.h"
#include "platform/MessageBox.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "slideshow/ImageDLLInterface.h"

#include <strings.h>

namespace {

constexpr const char* kInitPrefix = "CSaverDlg::OnInitDialog() - ";

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && ::strcasecmp(a.c_str(), b.c_str()) == 0;
}

void showNote(int nStringId) {
    platform::showMessageBox("Note", res::loadString(nStringId), platform::MessageBoxIcon::None);
}

} // namespace

SaverDialogValues initialSaverDialogValues() {
    SaverDialogValues values;
    values.m_speed = 0;
    values.m_blendImages = 0;
    values.m_clearScreen = 0;
    values.m_tempUnit = "F";
    return values;
}

SaverDialogLogic::SaverDialogLogic(SaverDialogControls& controls, SaverDialogServices& services,
                                   const ResolveLocationFactory& factory, CityChooser& chooser)
    : m_controls(controls), m_services(services), m_factory(factory), m_chooser(chooser),
      m_values(initialSaverDialogValues()) {}

void SaverDialogLogic::onInitDialog(SaverPreview& preview) {
    m_pPreview = &preview;
    switch (m_values.m_displayImageMethod) {
    case 2:
        m_values.m_methodRadio = 1;
        break;
    case 3:
        m_values.m_methodRadio = 2;
        break;
    default:
        m_values.m_methodRadio = 0;
        break;
    }
    m_values.m_orderRadio = m_values.m_displayShowAllMethod == 1 ? 0 : 1;
    m_controls.writeValues(m_values);

    preview.SetSpeed(m_values.m_speed, true);
    preview.setDisplayMethod(m_values.m_displayImageMethod, m_values.m_displayShowAllMethod);
    preview.setLocation(m_values.m_displayName, m_values.m_locID);
    preview.setBlendImages(m_values.m_blendImages != 0);

    m_controls.setSpeedPosition(m_values.m_speed);
    m_controls.setItemText(res::IDC_SPEED_GROUP, speedLabelText(m_controls.speedPosition()));
    fillTemperatureList();
    if (fillImagePackList()) {
        onPackChanged();
        m_controls.enableItem(res::IDC_SELECT_FAVORITES, true);
    } else {
        m_controls.enableItem(res::IDC_SELECT_FAVORITES, false);
    }
    if (!m_services.connectedToInternet()) {
        m_controls.enableItem(res::IDC_LOCATION, false);
    }
    m_controls.startFirstUseTimer();
    m_services.sendTrackingPing("35");
}

void SaverDialogLogic::fillTemperatureList() {
    m_controls.addListEntry(res::IDC_TEMPERATURE_LIST, "Celsius");
    m_controls.addListEntry(res::IDC_TEMPERATURE_LIST, "Fahrenheit");
    // The list is sorted: Celsius comes first.
    m_controls.selectListEntry(res::IDC_TEMPERATURE_LIST, m_values.m_tempUnit == "C" ? 0 : 1);
}

bool SaverDialogLogic::fillImagePackList() {
    m_packEntries.clear();
    std::string currentFile;
    // Every folder the show loads packs from, each file name once: the
    // entry is the copy the show would load.
    for (const PackFile& found : listPackFiles()) {
        const ImageDLLInterface pack(found.csPath);
        if (!pack.isLoaded()) {
            // A file that is not a pack would show nothing in the preview
            // or the show; it is not offered.
            if (isLogging()) {
                logMessage(std::string(kInitPrefix) + "Not listing " + found.csPath +
                           ": it is not an image pack that loads.");
            }
            continue;
        }
        std::string displayName = pack.getDLLDisplayName();
        if (displayName.empty()) {
            displayName = found.csFileName;
        }
        const int nIndex = m_controls.addListEntry(res::IDC_PACK_LIST, displayName);
        const auto at = nIndex < 0 || static_cast<std::size_t>(nIndex) > m_packEntries.size()
                            ? m_packEntries.end()
                            : m_packEntries.begin() + nIndex;
        m_packEntries.insert(at, found);
        // The stored name in other letter case still finds its pack; the
        // name spelled exactly wins when two files differ only in case.
        if (found.csFileName == m_values.m_packFileName ||
            (currentFile != m_values.m_packFileName &&
             sameIgnoringCase(found.csFileName, m_values.m_packFileName))) {
            currentFile = found.csFileName;
        }
        m_values.m_favorites[found.csFileName] = SettingsStore::GetString(
            settings::kMainSubsection, found.csFileName, settings::kFavouritesDefault);
    }
    if (m_packEntries.empty()) {
        return false;
    }
    // The entry of the current pack itself: a search by display name could
    // stop at another pack whose name begins with the same words.
    int nSelected = 0;
    for (std::size_t i = 0; i < m_packEntries.size(); ++i) {
        if (m_packEntries[i].csFileName == currentFile) {
            nSelected = static_cast<int>(i);
            break;
        }
    }
    m_controls.selectListEntry(res::IDC_PACK_LIST, nSelected);
    return true;
}

int SaverDialogLogic::currentPackEntry() const {
    const int nIndex = m_controls.selectedListEntry(res::IDC_PACK_LIST);
    return nIndex >= 0 && static_cast<std::size_t>(nIndex) < m_packEntries.size() ? nIndex : -1;
}

void SaverDialogLogic::onPackChanged() {
    const int nEntry = currentPackEntry();
    if (nEntry < 0 || m_pPreview == nullptr) {
        return;
    }
    // What the user typed or scrolled to since the values were last read
    // stays: the controls are written again below.
    m_controls.readValues(m_values);
    const PackFile& entry = m_packEntries[static_cast<std::size_t>(nEntry)];
    m_values.m_packFileName = entry.csFileName;
    m_pPreview->setImagePackFile(entry.csPath);
    m_pPreview->setFavorites(m_values.m_favorites[entry.csFileName]);

    const ImageDLLInterface pack(entry.csPath);
    if (pack.getDLLVersionNumber() < 3 || pack.supportsWxTriggered()) {
        m_controls.enableItem(res::IDC_METHOD_WEATHER, true);
    } else {
        m_controls.enableItem(res::IDC_METHOD_WEATHER, false);
        if (m_values.m_methodRadio == 0) {
            m_values.m_methodRadio = 2;
            // The preview shows what the dialog now says.
            m_pPreview->setDisplayMethod(3, m_values.m_orderRadio + 1);
        }
    }
    m_controls.writeValues(m_values);
}

void SaverDialogLogic::onSpeedScroll(SpeedScroll action, int nThumbPosition) {
    const int nPosition = scrolledSpeedPosition(m_controls.speedPosition(), action, nThumbPosition);
    m_controls.setSpeedPosition(nPosition);
    m_controls.setItemText(res::IDC_SPEED_GROUP, speedLabelText(nPosition));
    if (m_pPreview != nullptr) {
        m_pPreview->SetSpeed(nPosition, true);
    }
}

void SaverDialogLogic::onMethodOrOrderClicked() {
    m_controls.readValues(m_values);
    if (m_pPreview != nullptr) {
        m_pPreview->setDisplayMethod(m_values.m_methodRadio + 1, m_values.m_orderRadio + 1);
    }
}

void SaverDialogLogic::onBlendImagesClicked() {
    m_controls.readValues(m_values);
    if (m_pPreview != nullptr) {
        m_pPreview->setBlendImages(m_values.m_blendImages != 0);
    }
}

void SaverDialogLogic::onTemperatureChanged() {
    const bool bFahrenheit = m_controls.selectedListEntry(res::IDC_TEMPERATURE_LIST) != 0;
    m_values.m_tempUnit.assign(1, bFahrenheit ? 'F' : 'C');
}

void SaverDialogLogic::onSelectFavoriteImages() {
    if (m_pPreview == nullptr || currentPackEntry() < 0) {
        return;
    }
    const PackFile& entry = m_packEntries[static_cast<std::size_t>(currentPackEntry())];
    FavoritePickerRequest request;
    request.packPath = entry.csPath;
    request.packFileName = m_values.m_packFileName;
    request.favorites = m_values.m_favorites[m_values.m_packFileName];
    request.pausePreview = [this](bool bPause) { m_pPreview->setPausePreview(bPause); };
    request.setBusy = [this](bool bBusy) {
        m_values.m_busy = bBusy;
        m_controls.showWaitCursor(bBusy);
    };
    const std::optional<std::string> chosen = m_services.favoritePicker().pickFavorites(request);
    if (chosen) {
        m_values.m_favorites[m_values.m_packFileName] = *chosen;
        m_pPreview->setFavorites(*chosen);
    }
}

void SaverDialogLogic::onFirstUseTimer() {
    m_controls.stopFirstUseTimer();
    if (m_pPreview == nullptr) {
        return;
    }
    if (!m_services.connectedToInternet()) {
        m_pPreview->setPausePreview(true);
        showNote(res::IDS_CONNECTION_REQUIRED);
        m_pPreview->setPausePreview(false);
        return;
    }
    if (!m_values.m_locID.empty() && !m_values.m_displayName.empty()) {
        return;
    }
    m_pPreview->setPausePreview(true);
    const std::optional<ChosenLocation> chosen = m_services.askForLocation();
    if (chosen) {
        m_values.m_displayName = m_values.m_origDisplayName = chosen->displayName;
        m_values.m_locID = m_values.m_origLocID = chosen->locationId;
        m_controls.setItemText(res::IDC_LOCATION, chosen->displayName);
        settings::set(settings::kLocID, chosen->locationId);
        settings::set(settings::kDisplayName, chosen->displayName);
    }
    m_pPreview->setPausePreview(false);
    if (!chosen) {
        m_controls.endDialog(res::IDCANCEL);
    }
}

bool SaverDialogLogic::takeTypedLocation() {
    const std::string typed = trimWhiteSpace(m_controls.itemText(res::IDC_LOCATION));
    if (typed.empty()) {
        showNote(res::IDS_LOCATION_REQUIRED);
        return false;
    }
    if (typed == m_values.m_origDisplayName) {
        return true;
    }
    const std::optional<ChosenLocation> chosen = resolveTypedLocation(typed, m_factory, m_chooser);
    if (!chosen) {
        return false;
    }
    m_values.m_displayName = chosen->displayName;
    m_values.m_locID = chosen->locationId;
    return true;
}

void SaverDialogLogic::storeDisplayMethods() {
    switch (m_values.m_methodRadio) {
    case 0:
        m_values.m_displayImageMethod = 1;
        break;
    case 1:
        m_values.m_displayImageMethod = 2;
        break;
    default:
        m_values.m_displayImageMethod = 3;
        break;
    }
    m_values.m_displayShowAllMethod = m_values.m_orderRadio != 0 ? 2 : 1;
}

void SaverDialogLogic::onOK() {
    const bool bAccept = !m_services.connectedToInternet() || takeTypedLocation();
    m_controls.readValues(m_values);
    storeDisplayMethods();
    if (bAccept) {
        m_controls.endDialog(res::IDOK);
    }
}
