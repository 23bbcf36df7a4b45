#include "SaverDialogFakes.h"

#include "res/ResourceIds.h"

#include <algorithm>
#include <strings.h>

namespace ui_test {

void FakeControls::readValues(SaverDialogValues& values) {
    values.m_speed = m_nSpeed;
    values.m_locationText = itemText(res::IDC_LOCATION);
    values.m_methodRadio = m_nMethodChecked;
    values.m_orderRadio = m_nOrderChecked;
    values.m_clearScreen = m_bClearScreen ? 1 : 0;
    values.m_blendImages = m_bBlendImages ? 1 : 0;
}

void FakeControls::writeValues(const SaverDialogValues& values) {
    setSpeedPosition(values.m_speed);
    m_texts[res::IDC_LOCATION] = values.m_locationText;
    m_nMethodChecked = values.m_methodRadio;
    m_nOrderChecked = values.m_orderRadio;
    m_bClearScreen = values.m_clearScreen == 1;
    m_bBlendImages = values.m_blendImages == 1;
}

void FakeControls::setSpeedPosition(int nPosition) {
    m_nSpeed = std::clamp(nPosition, -1, 10);
}

std::string FakeControls::itemText(int nId) const {
    const auto found = m_texts.find(nId);
    return found == m_texts.end() ? std::string() : found->second;
}

int FakeControls::addListEntry(int nId, const std::string& text) {
    std::vector<std::string>& list = m_lists[nId];
    const auto at = std::find_if(list.begin(), list.end(), [&](const std::string& entry) {
        return ::strcasecmp(text.c_str(), entry.c_str()) < 0;
    });
    const auto nIndex = at - list.begin();
    list.insert(at, text);
    return static_cast<int>(nIndex);
}

int FakeControls::selectedListEntry(int nId) const {
    const auto found = m_selected.find(nId);
    return found == m_selected.end() ? -1 : found->second;
}

bool FakeControls::enabled(int nId) const {
    const auto found = m_enabled.find(nId);
    return found == m_enabled.end() || found->second;
}

void FakeControls::pick(int nListId, const std::string& text) {
    const std::vector<std::string>& list = m_lists[nListId];
    m_selected[nListId] =
        static_cast<int>(std::find(list.begin(), list.end(), text) - list.begin());
}

void FakePreview::SetSpeed(int nSpeed, bool speedUp) {
    m_calls.push_back("SetSpeed " + std::to_string(nSpeed) + (speedUp ? " fast" : ""));
}
void FakePreview::setDisplayMethod(int nMethod, int nOrder) {
    m_calls.push_back("setDisplayMethod " + std::to_string(nMethod) + " " + std::to_string(nOrder));
}
void FakePreview::setBlendImages(bool bBlend) {
    m_calls.push_back(std::string("setBlendImages ") + (bBlend ? "1" : "0"));
}
void FakePreview::setPausePreview(bool bPause) {
    m_calls.push_back(std::string("setPausePreview ") + (bPause ? "1" : "0"));
}
void FakePreview::setImagePackFile(const std::string& csPath) {
    m_calls.push_back("setImagePackFile " + csPath);
}
void FakePreview::setFavorites(const std::string& csText) {
    m_calls.push_back("setFavorites " + csText);
}
void FakePreview::setLocation(const std::string& csName, const std::string& csId) {
    m_calls.push_back("setLocation " + csName + " " + csId);
}

std::optional<std::string> FakePicker::pickFavorites(const FavoritePickerRequest& request) {
    m_requests.push_back(request);
    request.pausePreview(true);
    request.setBusy(true);
    m_seenWhileOpen.push_back(m_pPreview->m_calls.back());
    m_seenWhileOpen.push_back(m_pControls->m_bWaitCursor ? "wait cursor" : "no wait cursor");
    m_seenWhileOpen.push_back(m_pValues->m_busy ? "busy" : "not busy");
    request.setBusy(false);
    request.pausePreview(false);
    return m_answer;
}

std::optional<ChosenLocation> FakeServices::askForLocation() {
    ++m_nLocationAsked;
    m_previewWhenAsked.push_back(m_pPreview->m_calls.back());
    return m_location;
}

} // namespace ui_test
