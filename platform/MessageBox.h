#pragma once

#include <concepts>
#include <functional>
#include <string>

namespace platform {

// The picture a box shows beside its text.
enum class MessageBoxIcon { None, Information, Exclamation, Error };

// Every message box of the program goes through here. The user-interface
// layer installs a handler that shows a real box; without one the text goes
// to standard error. Tests install a handler that records the call. Every
// box has one OK button; the call returns once it is closed.
void showMessageBox(const std::string& title, const std::string& text,
                    MessageBoxIcon icon = MessageBoxIcon::Error);

// A handler takes the title and the text, and may take the icon too; those
// that only record what was said need not.
class MessageBoxHandler {
public:
    using Function =
        std::function<void(const std::string& title, const std::string& text, MessageBoxIcon icon)>;

    MessageBoxHandler() = default;
    template <typename F>
    requires std::invocable<F&, const std::string&, const std::string&, MessageBoxIcon>
    MessageBoxHandler(F handler) : m_function(std::move(handler)) {}
    template <typename F>
    requires(std::invocable<F&, const std::string&, const std::string&> &&
             !std::invocable<F&, const std::string&, const std::string&, MessageBoxIcon>)
        MessageBoxHandler(F handler)
        : m_function(
              [handler = std::move(handler)](const std::string& title, const std::string& text,
                                             MessageBoxIcon) mutable { handler(title, text); }) {}

    explicit operator bool() const { return static_cast<bool>(m_function); }
    void operator()(const std::string& title, const std::string& text,
                    MessageBoxIcon icon = MessageBoxIcon::Error) const {
        m_function(title, text, icon);
    }

private:
    Function m_function;
};

// Returns the previous handler; an empty one restores the default.
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

} // namespace platform
