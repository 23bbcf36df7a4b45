#pragma once

#include <functional>
#include <string>

namespace platform {

// Every message box of the program goes through here. The user-interface
// layer installs a handler that shows a real box; without one the text goes
// to standard error. Tests install a handler that records the call.
void showMessageBox(const std::string& title, const std::string& text);

using MessageBoxHandler = std::function<void(const std::string& title, const std::string& text)>;
// Returns the previous handler; an empty function restores the default.
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

} // namespace platform
