#pragma once

#include "imaging/Colorref.h"
#include "platform/UrlOpening.h"
#include "ui/LabelRules.h"
#include "ui/TemplateControls.h"

#include <memory>
#include <string>
#include <wx/control.h>
#include <wx/timer.h>

class CTemplateDialog;

// A label that behaves like a web link: its colours, the hand pointer, an
// underline, and a click that opens its address in the browser. It takes the
// place of a label of a dialog's template (SubclassDlgItem).
class CHyperLink : public wxControl, public OwnTemplateControl {
public:
    static constexpr int kHoverTimerId = 100;
    static constexpr int kHoverPeriodMs = 100;

    CHyperLink();
    ~CHyperLink() override;

    // Becomes the template label id of dialog: the window is made in its
    // place, the text kept; an address not set yet is the text, a text that
    // is empty shows the address.
    bool SubclassDlgItem(int id, CTemplateDialog& dialog);

    void SetLinkUrl(const std::string& url);
    const std::string& GetLinkUrl() const { return m_csUrl; }
    // kSystemHighlight as hover colour stands for the desktop's highlight.
    void SetLinkColors(COLORREF link, COLORREF visited, COLORREF hover);
    void SetVisitedState(bool bVisited);
    bool GetVisitedState() const { return m_bVisited; }
    void SetUnderlineMode(int nMode);
    int GetUnderlineMode() const { return m_nUnderline; }
    bool isOverControl() const { return m_bOverControl; }
    bool isUnderlined() const { return m_bUnderlineFont; }
    // The colour the text is drawn in now.
    COLORREF textColour() const;

    // Sizes the window to its text, keeping the side its alignment keeps.
    void FitToText();
    // Opens the address, as a click does; the outcome (the visited state, or
    // a box saying why it could not) follows once it is known.
    void OpenLink();

    bool AcceptsFocus() const override { return false; }
    PixelSize neededSize(int width) override;
    void afterPlacement() override { FitToText(); }

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnClick(wxMouseEvent& event);
    void OnHoverTimer(wxTimerEvent& event);
    void OnOpenTimer(wxTimerEvent& event);
    void useUnderlineFont(bool bUnderline);
    void repaintWithBackground();
    void finishOpening();

    LinkColours m_colours;
    bool m_bOverControl = false;
    bool m_bVisited = false;
    int m_nUnderline = kUnderlineHover;
    bool m_bAdjustToFit = true;
    bool m_bTransparent = true;
    bool m_bUnderlineFont = false;
    std::string m_csUrl;
    TextAlignment m_alignment = TextAlignment::Left;
    bool m_bCentredVertically = false;
    wxTimer m_hoverTimer;
    wxTimer m_openTimer;
    std::unique_ptr<platform::UrlOpening> m_pOpening;
};
