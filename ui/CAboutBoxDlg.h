#pragma once

#include "ui/CHyperLink.h"
#include "ui/CTemplateDialog.h"
#include "ui/CTransparentStatic.h"

#include <wx/bitmap.h>

// The about box: the program's picture with its version, three lines of
// credits and two links, all drawn over the picture.
class CAboutBoxDlg : public CTemplateDialog {
public:
    static constexpr const char* kVersionText = "v 3.00.00";

    explicit CAboutBoxDlg(wxWindow* parent = nullptr);

protected:
    bool OnInitDialog() override;
    void afterLayout() override;

private:
    void OnPaint(wxPaintEvent& event);

    CTransparentStatic m_version;
    CTransparentStatic m_line1;
    CTransparentStatic m_line2;
    CTransparentStatic m_line3;
    CHyperLink m_viewPhotos;
    CHyperLink m_submitPhotos;
    wxBitmap m_background;
};
