#include "ui/LabelRules.h"

#include "res/ResourceIds.h"

#include <map>

COLORREF linkTextColour(const LinkColours& colours, bool bOverControl, bool bVisited) {
    if (bOverControl) {
        return colours.hover;
    }
    return bVisited ? colours.visited : colours.link;
}

bool linkUnderlined(int nUnderlineMode, bool bOverControl) {
    return nUnderlineMode == kUnderlineAlways ||
           (nUnderlineMode == kUnderlineHover && bOverControl);
}

LabelFormat labelFormat(unsigned controlStyle) {
    LabelFormat format;
    if ((controlStyle & ControlStyle::kAlignRight) != 0) {
        format.alignment = TextAlignment::Right;
    } else if ((controlStyle & ControlStyle::kAlignCentre) != 0) {
        format.alignment = TextAlignment::Centre;
    }
    format.bSingleLineCentred = (controlStyle & ControlStyle::kCentreImage) != 0;
    format.bWordBreak = !format.bSingleLineCentred;
    return format;
}

PixelRect fittedLinkRect(const PixelRect& window, PixelSize client, PixelSize textSize,
                         TextAlignment alignment, bool bCentredVertically) {
    PixelRect fitted = window;
    const int nWantedHeight = textSize.height + (window.height - client.height);
    if (bCentredVertically) {
        fitted.y += (window.height - nWantedHeight) / 2;
    }
    fitted.height = nWantedHeight;
    const int nWantedWidth = textSize.width + (window.width - client.width);
    switch (alignment) {
    case TextAlignment::Centre:
        fitted.x += (window.width - nWantedWidth) / 2;
        break;
    case TextAlignment::Right:
        fitted.x = window.x + window.width - nWantedWidth;
        break;
    case TextAlignment::Left:
        break;
    }
    fitted.width = nWantedWidth;
    return fitted;
}

std::string hyperlinkFailureText(int nResult) {
    static const std::map<int, const char*> kReasons = {
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied\naccess to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred. "},
        {27, "The filename association is\nincomplete or invalid."},
        {28, "The DDE transaction could not\nbe completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere "
             "being processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
    };
    const auto found = kReasons.find(nResult);
    const std::string reason = found != kReasons.end()
                                   ? std::string(found->second)
                                   : "Unknown Error (" + std::to_string(nResult) + ") occurred.";
    return "Unable to open hyperlink:\n\n" + reason;
}

LinkTargets settingsDialogLinks(const std::string& webBase) {
    return {
        {res::IDC_PROFILE_LINK, webBase + "/registration/myprofile/step1?par=SSaver"},
        {res::IDC_FAQ_LINK, webBase + "/services/screensaver/faq.html?par=SSaver"},
        {res::IDC_MORE_INFO_LINK, webBase + "/do_not_know.html"},
        {res::IDC_DOWNLOAD_LINK,
         webBase + "/services/screensaver/screensaver_email_lp.html?from=SS3"},
    };
}

LinkTargets aboutBoxLinks(const std::string& webBase) {
    return {
        {res::IDC_VIEW_PHOTOS_LINK, webBase + "/photos/index.html"},
        {res::IDC_SUBMIT_PHOTOS_LINK, webBase + "/community/choosefile"},
    };
}

LinkColours downloadLinkColours() {
    return {makeColorref(0, 0, 255), makeColorref(0, 0, 255), makeColorref(244, 0, 0)};
}

LinkColours aboutBoxLinkColours() {
    return {makeColorref(51, 102, 145), makeColorref(51, 102, 145), makeColorref(244, 0, 0)};
}
