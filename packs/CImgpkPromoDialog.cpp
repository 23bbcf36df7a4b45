#include "packs/CImgpkPromoDialog.h"

#include "packs/PromoPicture.h"
#include "platform/DebugOutput.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

#include <gtk/gtk.h>
#include <wx/dcclient.h>
#include <wx/image.h>

namespace {

wxBitmap toBitmap(const DrawingSurface& surface) {
    wxImage image(surface.width(), surface.height(), false);
    unsigned char* pRgb = image.GetData();
    for (int y = 0; y < surface.height(); ++y) {
        const std::uint32_t* pRow = surface.row(y);
        for (int x = 0; x < surface.width(); ++x) {
            *pRgb++ = static_cast<unsigned char>(pRow[x] >> 16);
            *pRgb++ = static_cast<unsigned char>(pRow[x] >> 8);
            *pRgb++ = static_cast<unsigned char>(pRow[x]);
        }
    }
    return wxBitmap(image);
}

} // namespace

CImgpkPromoDialog::CImgpkPromoDialog(wxWindow* pParent, PromoDialogLogic& logic)
    : CTemplateDialog(pParent, *res::findDialogTemplate(res::IDD_IMGPK_PROMO)), m_logic(logic),
      m_timer(this, static_cast<int>(PromoDialogLogic::kTimeOutTimer)) {
    Bind(wxEVT_PAINT, &CImgpkPromoDialog::onPaint, this);
    Bind(wxEVT_TIMER, &CImgpkPromoDialog::onTimer, this);
    Bind(wxEVT_BUTTON, &CImgpkPromoDialog::onAskMeLater, this, res::IDC_ASK_ME_LATER);
}

bool CImgpkPromoDialog::OnInitDialog() {
    loadPicture();
    m_logic.onInitDialog(*this);
    return true;
}

void CImgpkPromoDialog::loadPicture() {
    if (m_logic.imagePath().empty()) {
        return;
    }
    // Decoded once, within bounds; a picture that does not decode leaves the
    // dialog without one.
    const PromoPictureResult picture = loadPromoPicture(m_logic.imagePath());
    if (!picture.ok()) {
        platform::debugOutput("CImgpkPromoDialog::OnPaint() - no picture: " + picture.csError +
                              "\n");
        return;
    }
    m_picture = toBitmap(picture.surface);
}

void CImgpkPromoDialog::onPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    if (m_picture.IsOk()) {
        dc.DrawBitmap(m_picture, 0, 0);
    }
}

void CImgpkPromoDialog::onAskMeLater(wxCommandEvent&) {
    m_logic.onAskMeLater(*this);
}

void CImgpkPromoDialog::onTimer(wxTimerEvent& event) {
    if (!m_logic.onTimer(*this, static_cast<unsigned>(event.GetId()))) {
        event.Skip();
    }
}

void CImgpkPromoDialog::hideAskMeLater() {
    if (wxWindow* pButton = GetDlgItem(res::IDC_ASK_ME_LATER)) {
        pButton->Hide();
    }
}

void CImgpkPromoDialog::hideDialog() {
    Hide();
    // The installation that follows holds the user-interface thread: the
    // window must leave the screen now, not when the toolkit next idles.
    if (GtkWidget* pWidget = GetHandle()) {
        gdk_display_flush(gtk_widget_get_display(pWidget));
    }
}

void CImgpkPromoDialog::startTimer(unsigned, unsigned nElapseMs) {
    m_timer.StartOnce(static_cast<int>(nElapseMs));
}

void CImgpkPromoDialog::killTimer(unsigned) {
    m_timer.Stop();
}

void runPromoDialog(PromoDialogLogic& logic) {
    CImgpkPromoDialog dialog(nullptr, logic);
    dialog.DoModal();
}
