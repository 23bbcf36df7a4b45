#pragma once

#include "ui/SaverDialogLogic.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ui_test {

// The settings dialog's controls as plain values: what a person would see
// in them. Lists sort as the toolkit's sorted lists do.
class FakeControls : public SaverDialogControls {
public:
    void readValues(SaverDialogValues& values) override;
    void writeValues(const SaverDialogValues& values) override;
    int speedPosition() const override { return m_nSpeed; }
    void setSpeedPosition(int nPosition) override;
    void setItemText(int nId, const std::string& text) override { m_texts[nId] = text; }
    std::string itemText(int nId) const override;
    void enableItem(int nId, bool bEnable) override { m_enabled[nId] = bEnable; }
    int addListEntry(int nId, const std::string& text) override;
    void selectListEntry(int nId, int nIndex) override { m_selected[nId] = nIndex; }
    int selectedListEntry(int nId) const override;
    void showWaitCursor(bool bWait) override { m_bWaitCursor = bWait; }
    void startFirstUseTimer() override { m_bTimer = true; }
    void stopFirstUseTimer() override { m_bTimer = false; }
    void endDialog(int nResult) override { m_nEnded = nResult; }

    bool enabled(int nId) const;
    // Picks the entry with that text, as a person would in the list.
    void pick(int nListId, const std::string& text);

    int m_nSpeed = 0;
    std::map<int, std::string> m_texts;
    std::map<int, bool> m_enabled;
    std::map<int, std::vector<std::string>> m_lists;
    std::map<int, int> m_selected;
    int m_nMethodChecked = -1;
    int m_nOrderChecked = -1;
    bool m_bClearScreen = false;
    bool m_bBlendImages = false;
    bool m_bWaitCursor = false;
    bool m_bTimer = false;
    std::optional<int> m_nEnded;
};

// Records what the dialog asked of the preview, one line per call.
class FakePreview : public SaverPreview {
public:
    void SetSpeed(int nSpeed, bool speedUp) override;
    void setDisplayMethod(int nMethod, int nOrder) override;
    void setBlendImages(bool bBlend) override;
    void setPausePreview(bool bPause) override;
    void setImagePackFile(const std::string& csPath) override;
    void setFavorites(const std::string& csText) override;
    void setLocation(const std::string& csName, const std::string& csId) override;

    std::vector<std::string> m_calls;
};

class FakePicker : public FavoritePicker {
public:
    std::optional<std::string> pickFavorites(const FavoritePickerRequest& request) override;

    std::vector<FavoritePickerRequest> m_requests;
    std::optional<std::string> m_answer;
    // What the preview and the dialog were told while the picker was open.
    std::vector<std::string> m_seenWhileOpen;
    const FakePreview* m_pPreview = nullptr;
    const FakeControls* m_pControls = nullptr;
    const SaverDialogValues* m_pValues = nullptr;
};

class FakeServices : public SaverDialogServices {
public:
    bool connectedToInternet() override { return m_bConnected; }
    void sendTrackingPing(const std::string& code) override { m_pings.push_back(code); }
    std::optional<ChosenLocation> askForLocation() override;
    FavoritePicker& favoritePicker() override { return m_picker; }

    bool m_bConnected = true;
    std::vector<std::string> m_pings;
    std::optional<ChosenLocation> m_location; // nullopt: the user cancels
    int m_nLocationAsked = 0;
    std::vector<std::string> m_previewWhenAsked;
    const FakePreview* m_pPreview = nullptr;
    FakePicker m_picker;
};

} // namespace ui_test
