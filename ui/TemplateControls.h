#pragma once

#include "ui/DialogLayout.h"
#include "ui/DialogTemplate.h"

#include <wx/window.h>

// A control of a dialog's own in a template control's place (see
// CTemplateDialog::replaceDlgItem): it says itself how much room it needs,
// and may adjust itself once the layout has placed it.
class OwnTemplateControl {
public:
    virtual ~OwnTemplateControl() = default;
    virtual PixelSize neededSize(int width) = 0;
    virtual void afterPlacement() {}
};

// The toolkit's id for a template control id: the same number, or a fresh
// one for -1. OK (1) and Cancel (2) keep theirs too: with the toolkit's own
// ids the buttons would take its stock texts and mnemonics instead of the
// template's.
wxWindowID toolkitId(int templateId);

// Makes the control a template entry describes, as a child of parent,
// shown unless the template hides it.
wxWindow* createTemplateControl(wxWindow* parent, const ControlTemplate& control);

// The least size at which the control shows whole, in the axes that matter
// for its kind (0 elsewhere), when width is the width its rectangle gives.
PixelSize neededSize(wxWindow& window, const ControlTemplate& control, const std::string& text,
                     int width);
