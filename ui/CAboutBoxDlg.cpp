#include "ui/CAboutBoxDlg.h"

#include "app/ServiceAddresses.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "ui/DialogPictures.h"

#include <wx/dcclient.h>

CAboutBoxDlg::CAboutBoxDlg(wxWindow* parent)
    : CTemplateDialog(parent, *res::findDialogTemplate(res::IDD_ABOUTBOX)) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CAboutBoxDlg::OnPaint, this);
}

bool CAboutBoxDlg::OnInitDialog() {
    m_version.SubclassDlgItem(res::IDC_VERSION, *this);
    m_line1.SubclassDlgItem(res::IDC_ABOUT_LINE1, *this);
    m_line2.SubclassDlgItem(res::IDC_ABOUT_LINE2, *this);
    m_line3.SubclassDlgItem(res::IDC_ABOUT_LINE3, *this);
    m_viewPhotos.SubclassDlgItem(res::IDC_VIEW_PHOTOS_LINK, *this);
    m_submitPhotos.SubclassDlgItem(res::IDC_SUBMIT_PHOTOS_LINK, *this);

    SetDlgItemText(res::IDC_VERSION, kVersionText);
    const LinkColours colours = aboutBoxLinkColours();
    for (const auto& [id, url] : aboutBoxLinks(serviceAddresses().web)) {
        CHyperLink& link = id == res::IDC_VIEW_PHOTOS_LINK ? m_viewPhotos : m_submitPhotos;
        link.SetLinkUrl(url);
        link.SetUnderlineMode(kUnderlineAlways);
        link.SetLinkColors(colours.link, colours.visited, colours.hover);
    }
    return true;
}

void CAboutBoxDlg::afterLayout() {
    // The picture covers the client area, however much the dialog grew.
    const wxSize client = GetClientSize();
    if (!m_background.IsOk() || m_background.GetLogicalSize() != client) {
        m_background =
            dialogBitmap(res::IDB_ABOUT_BACKGROUND, client.x, client.y, GetContentScaleFactor());
        Refresh();
    }
}

void CAboutBoxDlg::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    if (m_background.IsOk()) {
        dc.DrawBitmap(m_background, 0, 0);
    }
}
