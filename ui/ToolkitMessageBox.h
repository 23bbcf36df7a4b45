#pragma once

#include "platform/MessageBox.h"

#include <string>

// A real message box with an OK button, modal over the active window: what
// the message-box handler of a program with windows shows.
void showToolkitMessageBox(const std::string& title, const std::string& text,
                           platform::MessageBoxIcon icon);
