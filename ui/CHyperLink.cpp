#include "ui/CHyperLink.h"

#include "platform/MessageBox.h"
#include "res/StringTable.h"
#include "ui/CTemplateDialog.h"
#include "ui/WxText.h"

#include <cstdlib>
#include <wx/dcclient.h>
#include <wx/settings.h>
#include <wx/utils.h>

namespace {

constexpr int kOpenTimerId = 101;
constexpr int kOpenPollMs = 50;
// Leaving the control repaints this much below it too, where an underline
// may reach past the text.
constexpr int kUnderlineReach = 10;

wxColour toWxColour(COLORREF colour) {
    if (colour == kSystemHighlight) {
        return wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    }
    return wxColour(colorrefRed(colour), colorrefGreen(colour), colorrefBlue(colour));
}

} // namespace

CHyperLink::CHyperLink() : m_hoverTimer(this, kHoverTimerId), m_openTimer(this, kOpenTimerId) {}

CHyperLink::~CHyperLink() {
    m_hoverTimer.Stop();
    m_openTimer.Stop();
}

bool CHyperLink::SubclassDlgItem(int id, CTemplateDialog& dialog) {
    const wxWindow* original = dialog.GetDlgItem(id);
    const ControlTemplate* control = dialog.dialogTemplate().findControl(id);
    if (original == nullptr || control == nullptr) {
        return false;
    }
    // Drawn over whatever the dialog shows beneath it.
    SetBackgroundStyle(m_bTransparent ? wxBG_STYLE_TRANSPARENT : wxBG_STYLE_PAINT);
    if (!Create(&dialog, id, original->GetPosition(), original->GetSize(), wxBORDER_NONE)) {
        return false;
    }
    const LabelFormat format = labelFormat(control->style);
    m_alignment = format.alignment;
    m_bCentredVertically = format.bSingleLineCentred;
    Bind(wxEVT_PAINT, &CHyperLink::OnPaint, this);
    Bind(wxEVT_MOTION, &CHyperLink::OnMouseMove, this);
    Bind(wxEVT_LEFT_UP, &CHyperLink::OnClick, this);
    Bind(wxEVT_TIMER, &CHyperLink::OnHoverTimer, this, kHoverTimerId);
    Bind(wxEVT_TIMER, &CHyperLink::OnOpenTimer, this, kOpenTimerId);
    dialog.replaceDlgItem(id, *this);

    const std::string text = fromWxString(GetLabel());
    if (m_csUrl.empty()) {
        m_csUrl = text;
    }
    if (text.empty()) {
        SetLabel(toWxString(m_csUrl));
    }
    FitToText();
    // The toolkit's hand: the pointer over a link.
    SetCursor(wxCursor(wxCURSOR_HAND));
    SetUnderlineMode(kUnderlineHover);
    return true;
}

void CHyperLink::SetLinkUrl(const std::string& url) {
    m_csUrl = url;
    if (GetHandle() != nullptr) {
        FitToText();
    }
}

void CHyperLink::SetLinkColors(COLORREF link, COLORREF visited, COLORREF hover) {
    m_colours = {link, visited, hover};
    if (GetHandle() != nullptr) {
        Refresh();
    }
}

void CHyperLink::SetVisitedState(bool bVisited) {
    m_bVisited = bVisited;
    if (GetHandle() != nullptr) {
        Refresh();
    }
}

void CHyperLink::SetUnderlineMode(int nMode) {
    if (nMode == m_nUnderline) {
        return;
    }
    if (GetHandle() != nullptr) {
        useUnderlineFont(nMode == kUnderlineAlways);
        repaintWithBackground();
    }
    m_nUnderline = nMode;
}

COLORREF CHyperLink::textColour() const {
    return linkTextColour(m_colours, m_bOverControl, m_bVisited);
}

void CHyperLink::useUnderlineFont(bool bUnderline) {
    m_bUnderlineFont = bUnderline;
}

PixelSize CHyperLink::neededSize(int) {
    // The link sizes itself to its text once placed; the layout need not
    // make room for it.
    return {};
}

void CHyperLink::FitToText() {
    if (GetHandle() == nullptr || !m_bAdjustToFit) {
        return;
    }
    wxClientDC dc(this);
    dc.SetFont(GetFont().Underlined());
    const wxSize text = dc.GetTextExtent(GetLabel());
    const wxRect window = GetRect();
    const wxSize client = GetClientSize();
    const PixelRect fitted =
        fittedLinkRect({window.x, window.y, window.width, window.height}, {client.x, client.y},
                       {text.x, text.y}, m_alignment, m_bCentredVertically);
    SetSize(fitted.x, fitted.y, fitted.width, fitted.height);
}

void CHyperLink::repaintWithBackground() {
    if (wxWindow* parent = GetParent(); parent != nullptr && m_bTransparent) {
        wxRect area = GetRect();
        area.height += kUnderlineReach;
        parent->RefreshRect(area);
    }
    Refresh();
}

void CHyperLink::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    const wxSize client = GetClientSize();
    if (!m_bTransparent) {
        dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
        dc.Clear();
    }
    dc.SetFont(m_bUnderlineFont ? GetFont().Underlined() : GetFont());
    dc.SetTextForeground(toWxColour(textColour()));
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    int nAlign = wxALIGN_CENTRE_VERTICAL;
    if (m_alignment == TextAlignment::Centre) {
        nAlign |= wxALIGN_CENTRE_HORIZONTAL;
    } else if (m_alignment == TextAlignment::Right) {
        nAlign |= wxALIGN_RIGHT;
    }
    dc.DrawLabel(GetLabel(), wxRect(client), nAlign);
}

void CHyperLink::OnMouseMove(wxMouseEvent& event) {
    if (!m_bOverControl) {
        m_bOverControl = true;
        if (m_nUnderline == kUnderlineHover) {
            useUnderlineFont(true);
        }
        repaintWithBackground();
        m_hoverTimer.Start(kHoverPeriodMs);
    }
    event.Skip();
}

void CHyperLink::OnHoverTimer(wxTimerEvent& event) {
    // Leaving is noticed here, not from a leave event: the pointer may jump
    // off the control between two motions.
    const wxPoint pointer = ScreenToClient(wxGetMousePosition());
    if (!wxRect(GetClientSize()).Contains(pointer)) {
        m_bOverControl = false;
        m_hoverTimer.Stop();
        if (m_nUnderline != kUnderlineAlways) {
            useUnderlineFont(false);
        }
        repaintWithBackground();
    }
    event.Skip();
}

void CHyperLink::OnClick(wxMouseEvent& event) {
    OpenLink();
    event.Skip();
}

void CHyperLink::OpenLink() {
    m_bOverControl = false;
    const char* browser = std::getenv("BROWSER");
    m_pOpening = std::make_unique<platform::UrlOpening>(m_csUrl, browser != nullptr ? browser : "");
    if (m_pOpening->poll()) {
        finishOpening();
    } else {
        m_openTimer.Start(kOpenPollMs);
    }
}

void CHyperLink::OnOpenTimer(wxTimerEvent&) {
    if (m_pOpening == nullptr || m_pOpening->poll()) {
        m_openTimer.Stop();
        finishOpening();
    }
}

void CHyperLink::finishOpening() {
    if (m_pOpening == nullptr) {
        return;
    }
    const int nResult = m_pOpening->result();
    m_pOpening.reset();
    if (nResult > 32) {
        SetVisitedState(true);
        return;
    }
    wxBell();
    platform::showMessageBox(res::kApplicationTitle, hyperlinkFailureText(nResult),
                             platform::MessageBoxIcon::Exclamation);
    SetVisitedState(false);
}
