#include "ui/CTemplateDialog.h"

#include "platform/ReplaceFile.h"
#include "ui/ControlMap.h"
#include "ui/GtkDialogSupport.h"
#include "ui/MnemonicText.h"
#include "ui/TemplateControls.h"
#include "ui/WxText.h"

#include <cmath>
#include <wx/button.h>
#include <wx/textctrl.h>

namespace {

long dialogStyle(const DialogTemplate& dialogTemplate) {
    long style = 0;
    if (dialogTemplate.has(DialogStyle::kCaption)) {
        style |= wxCAPTION;
    }
    if (dialogTemplate.has(DialogStyle::kSystemMenu)) {
        style |= wxSYSTEM_MENU | wxCLOSE_BOX;
    }
    if (dialogTemplate.has(DialogStyle::kThinBorder)) {
        style |= wxBORDER_SIMPLE;
    }
    return style;
}

PixelRect screenRect(const wxWindow& window) {
    const wxPoint at = window.GetScreenPosition();
    const wxSize size = window.GetSize();
    return {at.x, at.y, size.x, size.y};
}

} // namespace

CTemplateDialog::CTemplateDialog(wxWindow* parent, const DialogTemplate& dialogTemplate)
    : wxDialog(parent, wxID_ANY, toWxString(dialogTemplate.title), wxDefaultPosition, wxDefaultSize,
               dialogStyle(dialogTemplate)),
      m_template(dialogTemplate) {
    markDefaultButtons();
    createControls();
    Bind(wxEVT_BUTTON, &CTemplateDialog::onButton, this);
    Bind(wxEVT_SHOW, &CTemplateDialog::onShow, this);
    // Escape and the close box cancel, as the Cancel button does.
    Bind(wxEVT_CHAR_HOOK, &CTemplateDialog::onCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { OnCancel(); });
}

void CTemplateDialog::createControls() {
    for (const ControlTemplate& control : m_template.controls) {
        m_controls.push_back(createTemplateControl(this, control));
        m_texts.push_back(control.text);
    }
    linkMnemonics();
}

int CTemplateDialog::DoModal() {
    if (!m_bInitialised) {
        m_bInitialised = true;
        const bool focusFirst = OnInitDialog();
        layoutControls();
        CentreOnScreen();
        keepMnemonicsVisible(*this);
        if (focusFirst) {
            focusFirstControl();
        }
    }
    return ShowModal();
}

void CTemplateDialog::EndDialog(int result) {
    if (IsModal()) {
        EndModal(result);
    } else {
        // Shown without DoModal (a test, a closing program): just go.
        SetReturnCode(result);
        Hide();
    }
}

wxWindow* CTemplateDialog::GetDlgItem(int id) const {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (m_template.controls[i].id == id) {
            return m_controls[i];
        }
    }
    return nullptr;
}

wxWindow* CTemplateDialog::controlAt(std::size_t index) const {
    return index < m_controls.size() ? m_controls[index] : nullptr;
}

bool CTemplateDialog::replaceDlgItem(int id, wxWindow& control) {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (m_template.controls[i].id != id || m_controls[i] == &control) {
            continue;
        }
        wxWindow* original = m_controls[i];
        control.SetLabel(toWxString(m_texts[i]));
        control.SetFont(original->GetFont());
        control.SetSize(original->GetRect());
        control.Show(original->IsShown());
        control.MoveAfterInTabOrder(original);
        original->Destroy();
        m_controls[i] = &control;
        if (m_bLaidOut) {
            layoutControls();
        }
        return true;
    }
    return false;
}

void CTemplateDialog::SetDlgItemText(int id, const std::string& text) {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (m_template.controls[i].id != id) {
            continue;
        }
        m_texts[i] = text;
        if (auto* edit = dynamic_cast<wxTextCtrl*>(m_controls[i]); edit != nullptr) {
            edit->ChangeValue(toWxString(text));
        } else {
            m_controls[i]->SetLabel(toWxString(text));
        }
    }
    linkMnemonics();
    if (m_bLaidOut) {
        layoutControls();
    }
}

std::string CTemplateDialog::GetDlgItemText(int id) const {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (m_template.controls[i].id == id) {
            if (auto* edit = dynamic_cast<wxTextCtrl*>(m_controls[i]); edit != nullptr) {
                return fromWxString(edit->GetValue());
            }
            return m_texts[i];
        }
    }
    return {};
}

void CTemplateDialog::layoutControls() {
    const DialogUnitConverter toPixels = [this](int x, int y) {
        const wxPoint point = ConvertDialogToPixels(wxPoint(x, y));
        return PixelPoint{point.x, point.y};
    };
    std::vector<PixelSize> needs;
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const DialogRect rect = shownRect(m_template.controls[i]);
        const int width = toPixels(rect.x + rect.width, 0).x - toPixels(rect.x, 0).x;
        needs.push_back(neededSize(*m_controls[i], m_template.controls[i], m_texts[i], width));
    }
    m_placement = placeDialog(m_template, toPixels, needs);
    m_bLaidOut = true;
    SetClientSize(m_placement.clientSize.width, m_placement.clientSize.height);
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const PixelRect& rect = m_placement.controls[i];
        m_controls[i]->SetSize(rect.x, rect.y, rect.width, rect.height);
        if (auto* own = dynamic_cast<OwnTemplateControl*>(m_controls[i]); own != nullptr) {
            own->afterPlacement();
        }
    }
    linkMnemonics();
    afterLayout();
    if (IsShown()) {
        writeControlMap();
    }
}

void CTemplateDialog::onButton(wxCommandEvent& event) {
    if (event.GetId() == kOK) {
        OnOK();
    } else if (event.GetId() == kCancel) {
        OnCancel();
    } else {
        event.Skip();
    }
}

void CTemplateDialog::onCharHook(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (event.GetModifiers() != wxMOD_NONE) {
        event.Skip();
    } else if (key == WXK_ESCAPE) {
        OnCancel();
    } else if ((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && pressDefaultButton()) {
        return;
    } else {
        event.Skip();
    }
}

bool CTemplateDialog::pressDefaultButton() {
    // A focused button takes Enter itself. Anywhere else Enter presses the
    // default button, as the templates expect, where the toolkit would open
    // a drop-down list or toggle a check box instead.
    wxWindow* focused = FindFocus();
    if (dynamic_cast<wxButton*>(focused) != nullptr) {
        return false;
    }
    auto* button = dynamic_cast<wxButton*>(GetDefaultItem());
    if (button == nullptr || !button->IsEnabled() || !button->IsShown()) {
        return false;
    }
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
    return true;
}

void CTemplateDialog::onShow(wxShowEvent& event) {
    event.Skip();
    if (event.IsShown()) {
        // Positions on the screen are known once the window is up.
        CallAfter([this] { writeControlMap(); });
    }
}

void CTemplateDialog::focusFirstControl() {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const ControlTemplate& control = m_template.controls[i];
        if (takesFocus(control.kind) && !control.has(ControlStyle::kNoTabStop) &&
            m_controls[i]->IsShown() && m_controls[i]->IsEnabled()) {
            m_controls[i]->SetFocus();
            return;
        }
    }
}

void CTemplateDialog::linkMnemonics() {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const ControlKind kind = m_template.controls[i].kind;
        if ((kind == ControlKind::Label || kind == ControlKind::GroupBox) &&
            mnemonicLetter(m_texts[i]) != 0 &&
            dynamic_cast<OwnTemplateControl*>(m_controls[i]) == nullptr) {
            const int target = mnemonicTarget(m_template, i);
            linkMnemonic(*m_controls[i], m_texts[i],
                         target >= 0 ? m_controls[static_cast<std::size_t>(target)] : nullptr);
        }
    }
}

void CTemplateDialog::writeControlMap() const {
    const std::string folder = controlMapFolder();
    if (folder.empty()) {
        return;
    }
    ControlMap map;
    map.templateId = m_template.id;
    map.title = m_template.title;
    const wxPoint origin = ClientToScreen(wxPoint(0, 0));
    const wxSize client = GetClientSize();
    map.screenRect = {origin.x, origin.y, client.x, client.y};
    map.scale = static_cast<int>(std::lround(GetContentScaleFactor()));
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const ControlTemplate& control = m_template.controls[i];
        map.controls.push_back({control.id, controlKindName(control.kind),
                                screenRect(*m_controls[i]), m_controls[i]->IsShown(),
                                m_controls[i]->IsEnabled(), withoutMnemonics(m_texts[i])});
    }
    platform::replaceFile(controlMapPath(folder, m_template.id), formatControlMap(map));
}
