#include "ui/CTransparentStatic.h"

#include "ui/CTemplateDialog.h"

#include <algorithm>
#include <wx/dcclient.h>
#include <wx/tokenzr.h>

bool CTransparentStatic::SubclassDlgItem(int id, CTemplateDialog& dialog) {
    const wxWindow* original = dialog.GetDlgItem(id);
    const ControlTemplate* control = dialog.dialogTemplate().findControl(id);
    if (original == nullptr || control == nullptr) {
        return false;
    }
    SetBackgroundStyle(wxBG_STYLE_TRANSPARENT);
    if (!Create(&dialog, id, original->GetPosition(), original->GetSize(), wxBORDER_NONE)) {
        return false;
    }
    m_format = labelFormat(control->style);
    Bind(wxEVT_PAINT, &CTransparentStatic::OnPaint, this);
    return dialog.replaceDlgItem(id, *this);
}

void CTransparentStatic::SetLabel(const wxString& label) {
    wxControl::SetLabel(label);
    if (wxWindow* parent = GetParent(); parent != nullptr) {
        parent->RefreshRect(GetRect());
    }
    Refresh();
}

wxArrayString CTransparentStatic::lines(wxDC& dc, int nWidth) const {
    wxArrayString result;
    const wxString text = GetLabel();
    if (m_format.bSingleLineCentred || !m_format.bWordBreak) {
        result.Add(text);
        return result;
    }
    for (const wxString& paragraph : wxSplit(text, '\n', '\0')) {
        wxString line;
        wxStringTokenizer words(paragraph, " ", wxTOKEN_RET_EMPTY);
        while (words.HasMoreTokens()) {
            const wxString word = words.GetNextToken();
            const wxString longer = line.empty() ? word : line + " " + word;
            if (!line.empty() && dc.GetTextExtent(longer).x > nWidth) {
                result.Add(line);
                line = word;
            } else {
                line = longer;
            }
        }
        result.Add(line);
    }
    return result;
}

PixelSize CTransparentStatic::neededSize(int width) {
    if (GetLabel().empty()) {
        return {};
    }
    wxClientDC dc(this);
    dc.SetFont(GetFont());
    const wxArrayString broken = lines(dc, width);
    int nWidest = 0;
    for (const wxString& line : broken) {
        nWidest = std::max(nWidest, dc.GetTextExtent(line).x);
    }
    const int nLineHeight = dc.GetCharHeight();
    return {nWidest, nLineHeight * static_cast<int>(broken.size())};
}

void CTransparentStatic::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    dc.SetFont(GetFont());
    dc.SetTextForeground(GetForegroundColour());
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const wxSize client = GetClientSize();
    int nAlign = m_format.bSingleLineCentred ? wxALIGN_CENTRE_VERTICAL : wxALIGN_TOP;
    if (m_format.alignment == TextAlignment::Centre) {
        nAlign |= wxALIGN_CENTRE_HORIZONTAL;
    } else if (m_format.alignment == TextAlignment::Right) {
        nAlign |= wxALIGN_RIGHT;
    }
    dc.DrawLabel(wxJoin(lines(dc, client.x), '\n', '\0'), wxRect(client), nAlign);
}
