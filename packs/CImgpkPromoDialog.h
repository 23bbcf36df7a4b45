#pragma once

#include "packs/PromoDialogLogic.h"
#include "ui/CTemplateDialog.h"

#include <wx/bitmap.h>
#include <wx/timer.h>

// The promotional dialog of a new pack: the pack's picture behind Yes,
// No Thanks and Ask Me Later. Escape answers No Thanks; after 50 seconds
// without an answer it closes by itself, declining nothing.
class CImgpkPromoDialog : public CTemplateDialog, private PromoDialogView {
public:
    CImgpkPromoDialog(wxWindow* pParent, PromoDialogLogic& logic);

protected:
    bool OnInitDialog() override;
    void OnOK() override { m_logic.onYes(*this); }
    void OnCancel() override { m_logic.onNoThanks(*this); }

private:
    void onPaint(wxPaintEvent& event);
    void onAskMeLater(wxCommandEvent& event);
    void onTimer(wxTimerEvent& event);
    void loadPicture();

    void hideAskMeLater() override;
    void hideDialog() override;
    void startTimer(unsigned nTimerId, unsigned nElapseMs) override;
    void killTimer(unsigned nTimerId) override;
    void endDialog(int nResult) override { EndDialog(nResult); }

    PromoDialogLogic& m_logic;
    wxTimer m_timer;
    wxBitmap m_picture;
};

// Shows the promotion's dialog modally (no parent), for the application's
// catalogue host.
void runPromoDialog(PromoDialogLogic& logic);
