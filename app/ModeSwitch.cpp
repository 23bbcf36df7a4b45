#include "app/ModeSwitch.h"

#include "app/DaemonSwitch.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

bool matchModeSwitch(std::string& token, char letter, bool cutToTwo) {
    if (cutToTwo && token.size() > 2) {
        token.resize(2);
    }
    std::string::size_type start = 0;
    if (!token.empty() && (token[0] == '-' || token[0] == '/')) {
        start = 1;
    }
    if (token.size() - start != 1) {
        return false;
    }
    const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
    return lower(token[start]) == lower(letter);
}

RunMode chooseRunMode(const std::vector<std::string>& arguments) {
    if (arguments.size() < 2) {
        return RunMode::Configure;
    }
    // Each test works on its own copy: the cut must not leak into the next.
    std::string token = arguments[1];
    if (matchModeSwitch(token, 'c', true)) {
        return RunMode::Configure;
    }
    token = arguments[1];
    if (matchModeSwitch(token, 'p', false)) {
        return RunMode::Preview;
    }
    token = arguments[1];
    if (matchModeSwitch(token, 's', false)) {
        return RunMode::FullScreen;
    }
    return isDaemonSwitch(arguments[1]) ? RunMode::SaverDaemon : RunMode::None;
}

bool parsePreviewWindowId(const std::vector<std::string>& arguments, unsigned long& windowId) {
    if (arguments.size() < 3) {
        return false;
    }
    const std::string& text = arguments[2];
    std::string::size_type first = 0;
    while (first < text.size() && std::isspace(static_cast<unsigned char>(text[first]))) {
        ++first;
    }
    if (first == text.size() || !std::isdigit(static_cast<unsigned char>(text[first]))) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str() + first, &end, 10);
    if (errno == ERANGE || value == 0) {
        return false;
    }
    windowId = value;
    return true;
}
