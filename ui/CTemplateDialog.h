#pragma once

#include "ui/DialogLayout.h"
#include "ui/DialogTemplate.h"

#include <string>
#include <vector>
#include <wx/dialog.h>

// A modal dialog built from a template: every control of the template (the
// hidden ones too) with its id, text, mnemonic, tab order and default
// button, placed through the toolkit's dialog-unit conversion from the
// desktop's dialog font. Where a control needs more room than the template
// gives it, the whole dialog grows evenly instead of cutting the control.
//
// A dialog class derives from it, takes what it needs with GetDlgItem in
// OnInitDialog, binds the toolkit's events for its own controls, and
// overrides OnOK and OnCancel. Buttons 1 and 2 of the template are OK and
// Cancel; Enter presses the default button; Escape and the close box cancel.
class CTemplateDialog : public wxDialog {
public:
    // The results of OK and Cancel, and the ids of their buttons.
    static constexpr int kOK = 1;
    static constexpr int kCancel = 2;

    CTemplateDialog(wxWindow* parent, const DialogTemplate& dialogTemplate);

    // Initialises, lays out and shows the dialog; returns what EndDialog
    // was given (kOK, kCancel or a number of the dialog's own).
    int DoModal();
    void EndDialog(int result);

    // The control with that template id, or null.
    wxWindow* GetDlgItem(int id) const;
    template <typename Control>
    Control* dlgItem(int id) const {
        return dynamic_cast<Control*>(GetDlgItem(id));
    }
    // The control made from template entry index (for those without an id).
    wxWindow* controlAt(std::size_t index) const;

    // Puts control, a window of the dialog's own made as its child, in the
    // place of the template's control id (the toolkit's attaching of a class
    // to a dialog's control): same rectangle, tab order, text and shown
    // state. The template's own window goes. False when there is no id.
    bool replaceDlgItem(int id, wxWindow& control);

    // Changes a label, group box or button text (with its mnemonic) and,
    // once the dialog has been laid out, lays it out again, so the new text
    // is not cut either.
    void SetDlgItemText(int id, const std::string& text);
    std::string GetDlgItemText(int id) const;

    const DialogTemplate& dialogTemplate() const { return m_template; }
    // The factor the dialog grew by (1 when the template's sizes sufficed).
    double growth() const { return m_placement.growth; }
    const DialogPlacement& placement() const { return m_placement; }

    // Places every control for the current texts. DoModal does it once
    // after OnInitDialog; call it again after a change that may need room.
    void layoutControls();

protected:
    // After the controls exist, before layout and showing. True leaves the
    // focus to the first control that takes it.
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(kOK); }
    // After every layout, once each control has its place: a dialog places
    // what is not a template control of its own here.
    virtual void afterLayout() {}
    virtual void OnCancel() { EndDialog(kCancel); }

private:
    void createControls();
    void onButton(wxCommandEvent& event);
    void onCharHook(wxKeyEvent& event);
    bool pressDefaultButton();
    void onShow(wxShowEvent& event);
    void focusFirstControl();
    void linkMnemonics();
    void writeControlMap() const;

    DialogTemplate m_template;
    std::vector<wxWindow*> m_controls; // one per template control
    std::vector<std::string> m_texts;  // current texts, unwrapped
    DialogPlacement m_placement;
    bool m_bInitialised = false;
    bool m_bLaidOut = false;
};
