#pragma once

#include "ui/LabelRules.h"
#include "ui/TemplateControls.h"

#include <wx/control.h>

class CTemplateDialog;

// A label that draws its text and nothing else, so that it sits on a
// picture the dialog paints. It takes the place of a label of a dialog's
// template (SubclassDlgItem).
class CTransparentStatic : public wxControl, public OwnTemplateControl {
public:
    CTransparentStatic() = default;

    bool SubclassDlgItem(int id, CTemplateDialog& dialog);
    // Changes the text and repaints what lies beneath it.
    void SetLabel(const wxString& label) override;

    bool AcceptsFocus() const override { return false; }
    PixelSize neededSize(int width) override;

private:
    void OnPaint(wxPaintEvent& event);
    // The text broken into lines for the width, as the format asks.
    wxArrayString lines(wxDC& dc, int nWidth) const;

    LabelFormat m_format;
};
