#pragma once

#include <string>

class wxTopLevelWindow;
class wxWindow;

// What the toolkit does not do by itself for a template dialog.

// Shows the mnemonic underlines at all times, as the templates draw them,
// rather than only while Alt is held.
void keepMnemonicsVisible(wxTopLevelWindow& window);

// Gives a label or group box its text with the mnemonic underlined, and
// makes Alt with that letter move the focus to target, the control after it
// in tab order.
void linkMnemonic(wxWindow& label, const std::string& text, wxWindow* target);

// Marks the default button of every message box, and of a template dialog
// the button given to markAsDefault, the way the desktop's theme marks a
// selection: the theme itself draws them like any other button. Once per
// process is enough; later calls do nothing.
void markDefaultButtons();
// A template dialog's default button stays marked while another control
// has the focus, as Enter still presses it then.
void markAsDefault(wxWindow& button);

// What the toolkit needs to draw a control whole, in pixels: the least
// width, the width at which its text takes one line, and the least height
// at a given width (a label wraps its text to the width it is given).
int minimumWidth(wxWindow& control);
int naturalWidth(wxWindow& control);
int minimumHeight(wxWindow& control, int width);
