#include "platform/MessageBox.h"

#include <cstdio>
#include <mutex>

namespace platform {

namespace {

std::mutex g_handlerMutex;
MessageBoxHandler g_handler;

} // namespace

void showMessageBox(const std::string& title, const std::string& text, MessageBoxIcon icon) {
    MessageBoxHandler handler;
    {
        std::lock_guard<std::mutex> guard(g_handlerMutex);
        handler = g_handler;
    }
    // A real box is modal and runs an event loop, so no lock is held here.
    if (handler) {
        handler(title, text, icon);
        return;
    }
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    std::fflush(stderr);
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler) {
    std::lock_guard<std::mutex> guard(g_handlerMutex);
    MessageBoxHandler previous = std::move(g_handler);
    g_handler = std::move(handler);
    return previous;
}

} // namespace platform
