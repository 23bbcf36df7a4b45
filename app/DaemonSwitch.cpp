#include "app/DaemonSwitch.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>

namespace {

bool isRootSwitch(const std::string& token) {
    return token == "--root" || token == "-root";
}

} // namespace

bool isDaemonSwitch(const std::string& token) {
    return isRootSwitch(token) || token == "--window-id" || token == "-window-id";
}

bool parseWindowIdText(const std::string& text, unsigned long& windowId) {
    const bool bHex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string digits = bHex ? text.substr(2) : text;
    if (digits.empty()) {
        return false;
    }
    for (const char c : digits) {
        const auto u = static_cast<unsigned char>(c);
        if (bHex ? !std::isxdigit(u) : !std::isdigit(u)) {
            return false;
        }
    }
    errno = 0;
    const unsigned long long value = std::strtoull(digits.c_str(), nullptr, bHex ? 16 : 10);
    if (errno == ERANGE || value == 0 || value > UINT32_MAX) {
        return false;
    }
    windowId = static_cast<unsigned long>(value);
    return true;
}

bool parseDaemonWindowId(const std::vector<std::string>& arguments, const char* pXScreensaverWindow,
                         unsigned long& windowId, std::string& error) {
    if (arguments.size() < 2 || !isDaemonSwitch(arguments[1])) {
        error = "no saver daemon switch (--root or --window-id ID)";
        return false;
    }
    if (isRootSwitch(arguments[1])) {
        if (pXScreensaverWindow == nullptr || *pXScreensaverWindow == '\0') {
            windowId = 0;
            return true;
        }
        if (!parseWindowIdText(pXScreensaverWindow, windowId)) {
            error = "XSCREENSAVER_WINDOW holds \"" + std::string(pXScreensaverWindow) +
                    "\", which is not a window id";
            return false;
        }
        return true;
    }
    if (arguments.size() < 3) {
        error = arguments[1] + " needs the id of the window to draw in, as in \"" + arguments[1] +
                " 0x2a00007\"";
        return false;
    }
    if (!parseWindowIdText(arguments[2], windowId)) {
        error = "\"" + arguments[2] + "\" after " + arguments[1] + " is not a window id";
        return false;
    }
    return true;
}
