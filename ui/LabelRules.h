#pragma once

#include "imaging/Colorref.h"
#include "ui/DialogLayout.h"
#include "ui/DialogTemplate.h"

#include <string>
#include <utility>
#include <vector>

// The rules of the dialogs' own labels, free of the toolkit: the link's
// colours, size, targets and failure texts, and how the transparent label
// lays out its text.

// Underlining of a link: always, never, or only while the mouse is over it.
inline constexpr int kUnderlineAlways = 1;
inline constexpr int kUnderlineNever = 0;
inline constexpr int kUnderlineHover = -1;

// Stands for the desktop's highlight colour as a hover colour.
inline constexpr COLORREF kSystemHighlight = 0xFFFFFFFFu;

struct LinkColours {
    COLORREF link = makeColorref(0, 0, 238);
    COLORREF visited = makeColorref(85, 26, 139);
    COLORREF hover = makeColorref(255, 0, 0);
};

// The text colour: hover over visited over the plain link colour.
COLORREF linkTextColour(const LinkColours& colours, bool bOverControl, bool bVisited);
// Whether the text is drawn underlined.
bool linkUnderlined(int nUnderlineMode, bool bOverControl);

// How a label's text sits in its rectangle.
enum class TextAlignment { Left, Centre, Right };

// How a transparent label draws its text, from its template style: aligned,
// and either one line centred vertically or broken into words.
struct LabelFormat {
    TextAlignment alignment = TextAlignment::Left;
    bool bSingleLineCentred = false;
    bool bWordBreak = true;
};
LabelFormat labelFormat(unsigned controlStyle);

// The rectangle (in the parent's client coordinates) that holds a text of
// textSize exactly: window is the control's rectangle, client the size of
// its inside (the rest is its frame). A centred text keeps its middle, a
// right-aligned one its right edge, any other its left edge; a vertically
// centred one keeps its vertical middle, any other its top.
PixelRect fittedLinkRect(const PixelRect& window, PixelSize client, PixelSize textSize,
                         TextAlignment alignment, bool bCentredVertically);

// "Unable to open hyperlink:\n\n" and the reason for a failed open's result
// (results above 32 are successes and have no text).
std::string hyperlinkFailureText(int nResult);

// The targets of a dialog's links: control id and address, on the web
// service at webBase (no trailing '/').
using LinkTargets = std::vector<std::pair<int, std::string>>;
LinkTargets settingsDialogLinks(const std::string& webBase);
LinkTargets aboutBoxLinks(const std::string& webBase);

// The colours the settings dialog's download link and the about box's links
// take instead of the defaults.
LinkColours downloadLinkColours();
LinkColours aboutBoxLinkColours();
