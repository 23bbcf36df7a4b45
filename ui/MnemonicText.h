#pragma once

#include "ui/DialogTemplate.h"

#include <string>

// The mnemonic letter of a control text ("&Enter" -> 'E'; "&&" is a plain
// ampersand), lower-cased, or 0 when the text has none.
char mnemonicLetter(const std::string& text);

// The text as shown: single '&'s dropped, "&&" as one '&'.
std::string withoutMnemonics(const std::string& text);

// Whether a control of this kind takes the keyboard focus.
bool takesFocus(ControlKind kind);

// The control a label's mnemonic moves to: the next one in tab order that
// takes the focus and is not hidden, or -1.
int mnemonicTarget(const DialogTemplate& dialogTemplate, std::size_t labelIndex);
