#include "ui/CSaverDlg.h"

#include "app/ServiceAddresses.h"
#include "res/Bitmaps.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "ui/CAboutBoxDlg.h"
#include "ui/DialogPictures.h"
#include "ui/WxText.h"

#include <gtk/gtk.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/menu.h>
#include <wx/radiobut.h>
#include <wx/scrolbar.h>
#include <wx/statbmp.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

namespace {

// The radio buttons of each group, in the order their index counts them
// ("..." between them is no radio button and does not count).
constexpr int kMethodButtons[] = {res::IDC_METHOD_WEATHER, res::IDC_METHOD_FAVORITES,
                                  res::IDC_METHOD_SHOW_ALL};
constexpr int kOrderButtons[] = {res::IDC_ORDER_RANDOM, res::IDC_ORDER_SEQUENTIAL};

// The scroll bar counts from 0: position p of the dialog is p + 1 there.
constexpr int kScrollOffset = -kFastestSpeedPosition;
constexpr int kScrollRange = kSlowestSpeedPosition - kFastestSpeedPosition + 1;
constexpr int kScrollPage = 2;

} // namespace

CSaverDlg::CSaverDlg(SaverDialogServices& services)
    : CTemplateDialog(nullptr, *res::findDialogTemplate(res::IDD_SAVER_DIALOG)),
      m_firstUseTimer(this, FIRST_USE_TIMER_ID), m_chooser(this),
      m_logic(*this, services, m_factory, m_chooser) {
    SetIcons(programIcons());
    bindEvents();
}

CSaverDlg::~CSaverDlg() {
    m_firstUseTimer.Stop();
    if (m_bWaitCursor) {
        wxEndBusyCursor();
    }
}

void CSaverDlg::bindEvents() {
    for (const wxEventTypeTag<wxScrollEvent>& type :
         {wxEVT_SCROLL_TOP, wxEVT_SCROLL_BOTTOM, wxEVT_SCROLL_LINEUP, wxEVT_SCROLL_LINEDOWN,
          wxEVT_SCROLL_PAGEUP, wxEVT_SCROLL_PAGEDOWN, wxEVT_SCROLL_THUMBTRACK,
          wxEVT_SCROLL_THUMBRELEASE, wxEVT_SCROLL_CHANGED}) {
        Bind(type, &CSaverDlg::OnSpeedScroll, this, res::IDC_SPEED_SCROLLBAR);
    }
    for (const int id : {res::IDC_METHOD_WEATHER, res::IDC_ORDER_RANDOM, res::IDC_METHOD_SHOW_ALL,
                         res::IDC_METHOD_FAVORITES, res::IDC_ORDER_SEQUENTIAL}) {
        Bind(
            wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { m_logic.onMethodOrOrderClicked(); }, id);
    }
    Bind(
        wxEVT_CHECKBOX, [this](wxCommandEvent&) { m_logic.onBlendImagesClicked(); },
        res::IDC_BLEND_IMAGES);
    Bind(
        wxEVT_CHOICE, [this](wxCommandEvent&) { m_logic.onPackChanged(); }, res::IDC_PACK_LIST);
    Bind(
        wxEVT_CHOICE, [this](wxCommandEvent&) { m_logic.onTemperatureChanged(); },
        res::IDC_TEMPERATURE_LIST);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { showAboutBox(); }, res::IDC_ABOUT_BUTTON);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { m_logic.onSelectFavoriteImages(); },
        res::IDC_SELECT_FAVORITES);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { showAboutBox(); }, IDM_ABOUTBOX);
    Bind(
        wxEVT_TIMER, [this](wxTimerEvent&) { m_logic.onFirstUseTimer(); }, FIRST_USE_TIMER_ID);
    Bind(wxEVT_CONTEXT_MENU, &CSaverDlg::OnContextMenu, this);
}

bool CSaverDlg::OnInitDialog() {
    setUpLinks();
    // The scroll bar takes the keyboard as the template's other controls do;
    // the toolkit's bars would neither take the focus nor answer keys.
    if (auto* pBar = dlgItem<wxScrollBar>(res::IDC_SPEED_SCROLLBAR); pBar != nullptr) {
        gtk_widget_set_can_focus(static_cast<GtkWidget*>(pBar->GetHandle()), TRUE);
        pBar->Bind(wxEVT_KEY_DOWN, &CSaverDlg::OnSpeedKey, this);
    }
    // The preview takes its place over the monitor picture once the dialog
    // is laid out (afterLayout).
    m_preview.Create(0, 0, Rect{0, 0, 1, 1}, this, wxID_ANY);
    m_logic.onInitDialog(m_previewOperations);
    return true;
}

void CSaverDlg::setUpLinks() {
    m_linkProfile.SubclassDlgItem(res::IDC_PROFILE_LINK, *this);
    m_linkFaq.SubclassDlgItem(res::IDC_FAQ_LINK, *this);
    m_linkMoreInfo.SubclassDlgItem(res::IDC_MORE_INFO_LINK, *this);
    m_linkDownload.SubclassDlgItem(res::IDC_DOWNLOAD_LINK, *this);
    for (const auto& [id, url] : settingsDialogLinks(serviceAddresses().web)) {
        CHyperLink* pLink = dlgItem<CHyperLink>(id);
        if (pLink != nullptr) {
            pLink->SetLinkUrl(url);
            pLink->SetUnderlineMode(kUnderlineAlways);
        }
    }
    const LinkColours colours = downloadLinkColours();
    m_linkDownload.SetLinkColors(colours.link, colours.visited, colours.hover);
}

void CSaverDlg::afterLayout() {
    const wxWindow* pPlaceholder = GetDlgItem(res::IDC_PREVIEW_PLACEHOLDER);
    if (pPlaceholder == nullptr) {
        return;
    }
    const wxRect screen = pPlaceholder->GetRect();
    placeMonitorPicture(screen);
    m_preview.SetSize(screen);
}

void CSaverDlg::placeMonitorPicture(const wxRect& screen) {
    // The picture is drawn at the size that puts its screen exactly under
    // the preview, wherever the layout placed it.
    const Rect& inPicture = res::kMonitorScreen;
    const Size picture = res::bitmapSize(res::IDB_MONITOR);
    const double dScaleX = static_cast<double>(screen.width) / inPicture.width();
    const double dScaleY = static_cast<double>(screen.height) / inPicture.height();
    const wxRect area(screen.x - static_cast<int>(inPicture.left * dScaleX + 0.5),
                      screen.y - static_cast<int>(inPicture.top * dScaleY + 0.5),
                      static_cast<int>(picture.cx * dScaleX + 0.5),
                      static_cast<int>(picture.cy * dScaleY + 0.5));
    for (std::size_t i = 0; i < dialogTemplate().controls.size(); ++i) {
        if (dialogTemplate().controls[i].resourceId != res::IDB_MONITOR) {
            continue;
        }
        auto* pBitmap = dynamic_cast<wxStaticBitmap*>(controlAt(i));
        if (pBitmap == nullptr) {
            return;
        }
        if (m_monitorPictureSize != area.GetSize()) {
            m_monitorPictureSize = area.GetSize();
            pBitmap->SetBitmap(
                dialogBitmap(res::IDB_MONITOR, area.width, area.height, GetContentScaleFactor()));
        }
        const wxSize border = pBitmap->GetSize() - pBitmap->GetClientSize();
        pBitmap->SetSize(area.x - border.x / 2, area.y - border.y / 2, area.width + border.x,
                         area.height + border.y);
    }
}

void CSaverDlg::showAboutBox() {
    CAboutBoxDlg about(this);
    about.DoModal();
}

void CSaverDlg::OnSpeedScroll(wxScrollEvent& event) {
    // The toolkit's bar has already moved by its line or page, or to its
    // end, when it reports it: what is left is to take its position.
    const bool bTracking = event.GetEventType() == wxEVT_SCROLL_THUMBTRACK;
    m_logic.onSpeedScroll(bTracking ? SpeedScroll::ThumbTrack : SpeedScroll::ThumbPosition,
                          event.GetPosition() - kScrollOffset);
    event.Skip();
}

void CSaverDlg::OnSpeedKey(wxKeyEvent& event) {
    SpeedScroll action;
    switch (event.GetKeyCode()) {
    case WXK_LEFT:
    case WXK_UP:
        action = SpeedScroll::LineLeft;
        break;
    case WXK_RIGHT:
    case WXK_DOWN:
        action = SpeedScroll::LineRight;
        break;
    case WXK_PAGEUP:
        action = SpeedScroll::PageLeft;
        break;
    case WXK_PAGEDOWN:
        action = SpeedScroll::PageRight;
        break;
    case WXK_HOME:
        action = SpeedScroll::FarLeft;
        break;
    case WXK_END:
        action = SpeedScroll::FarRight;
        break;
    default:
        event.Skip();
        return;
    }
    m_logic.onSpeedScroll(action, 0);
}

void CSaverDlg::OnContextMenu(wxContextMenuEvent&) {
    // The window menu is the window manager's on this desktop: the about
    // command sits in the dialog's own context menu instead.
    const std::string text = res::loadString(res::IDS_ABOUTBOX);
    if (text.empty()) {
        return;
    }
    wxMenu menu;
    menu.Append(IDM_ABOUTBOX, toWxString(text));
    PopupMenu(&menu);
}

// The template's controls all exist once the dialog is built; a control of
// another kind than expected reads as unset and takes no value.
bool CSaverDlg::isChecked(int nId) const {
    if (const auto* pRadio = dlgItem<wxRadioButton>(nId); pRadio != nullptr) {
        return pRadio->GetValue();
    }
    const auto* pBox = dlgItem<wxCheckBox>(nId);
    return pBox != nullptr && pBox->GetValue();
}

void CSaverDlg::check(int nId, bool bChecked) {
    if (auto* pRadio = dlgItem<wxRadioButton>(nId); pRadio != nullptr) {
        pRadio->SetValue(bChecked);
    } else if (auto* pBox = dlgItem<wxCheckBox>(nId); pBox != nullptr) {
        pBox->SetValue(bChecked);
    }
}

void CSaverDlg::readValues(SaverDialogValues& values) {
    values.m_speed = speedPosition();
    values.m_locationText = GetDlgItemText(res::IDC_LOCATION);
    for (int i = 0; i < 3; ++i) {
        if (isChecked(kMethodButtons[i])) {
            values.m_methodRadio = i;
        }
    }
    for (int i = 0; i < 2; ++i) {
        if (isChecked(kOrderButtons[i])) {
            values.m_orderRadio = i;
        }
    }
    values.m_clearScreen = isChecked(res::IDC_CLEAR_SCREEN) ? 1 : 0;
    values.m_blendImages = isChecked(res::IDC_BLEND_IMAGES) ? 1 : 0;
}

void CSaverDlg::writeValues(const SaverDialogValues& values) {
    setSpeedPosition(values.m_speed);
    setItemText(res::IDC_LOCATION, values.m_locationText);
    if (values.m_methodRadio >= 0 && values.m_methodRadio < 3) {
        check(kMethodButtons[values.m_methodRadio], true);
    }
    if (values.m_orderRadio >= 0 && values.m_orderRadio < 2) {
        check(kOrderButtons[values.m_orderRadio], true);
    }
    // Checked means 1, as the show reads these settings.
    check(res::IDC_CLEAR_SCREEN, values.m_clearScreen == 1);
    check(res::IDC_BLEND_IMAGES, values.m_blendImages == 1);
}

int CSaverDlg::speedPosition() const {
    const auto* pBar = dlgItem<wxScrollBar>(res::IDC_SPEED_SCROLLBAR);
    return pBar != nullptr ? pBar->GetThumbPosition() - kScrollOffset : 0;
}

void CSaverDlg::setSpeedPosition(int nPosition) {
    if (auto* pBar = dlgItem<wxScrollBar>(res::IDC_SPEED_SCROLLBAR); pBar != nullptr) {
        pBar->SetScrollbar(clampedSpeedPosition(nPosition) + kScrollOffset, 1, kScrollRange,
                           kScrollPage);
    }
}

void CSaverDlg::setItemText(int nId, const std::string& text) {
    SetDlgItemText(nId, text);
}

std::string CSaverDlg::itemText(int nId) const {
    return GetDlgItemText(nId);
}

void CSaverDlg::enableItem(int nId, bool bEnable) {
    if (wxWindow* pItem = GetDlgItem(nId); pItem != nullptr) {
        pItem->Enable(bEnable);
    }
}

int CSaverDlg::addListEntry(int nId, const std::string& text) {
    auto* pList = dlgItem<wxChoice>(nId);
    return pList != nullptr ? pList->Append(toWxString(text)) : -1;
}

void CSaverDlg::selectListEntry(int nId, int nIndex) {
    if (auto* pList = dlgItem<wxChoice>(nId); pList != nullptr) {
        pList->SetSelection(nIndex);
    }
}

int CSaverDlg::selectedListEntry(int nId) const {
    const auto* pList = dlgItem<wxChoice>(nId);
    return pList != nullptr ? pList->GetSelection() : -1;
}

void CSaverDlg::showWaitCursor(bool bWait) {
    if (bWait == m_bWaitCursor) {
        return;
    }
    m_bWaitCursor = bWait;
    if (bWait) {
        wxBeginBusyCursor();
    } else {
        wxEndBusyCursor();
    }
}

void CSaverDlg::startFirstUseTimer() {
    m_firstUseTimer.Start(FIRST_USE_DELAY_MS);
}

void CSaverDlg::stopFirstUseTimer() {
    m_firstUseTimer.Stop();
}
