#include "services/UrlText.h"

#include <cctype>

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool isParameterNameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.';
}

// True when the '&' at text[at] is followed by "key=".
bool beginsParameter(const std::string& text, std::size_t at) {
    std::size_t i = at + 1;
    while (i < text.size() && isParameterNameCharacter(text[i])) {
        ++i;
    }
    return i > at + 1 && i < text.size() && text[i] == '=';
}

} // namespace

bool urlDecode(const std::string& text, std::string& decoded, bool plusIsBlank) {
    decoded.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%') {
            if (i + 2 >= text.size()) {
                return false;
            }
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            if (high < 0 || low < 0 || (high == 0 && low == 0)) {
                return false;
            }
            decoded += static_cast<char>(high * 16 + low);
            i += 2;
        } else if (c == '+' && plusIsBlank) {
            decoded += ' ';
        } else {
            decoded += c;
        }
    }
    return true;
}

std::optional<std::string> rawQueryValue(const std::string& target, const std::string& name) {
    const auto query = target.find('?');
    if (query == std::string::npos) {
        return std::nullopt;
    }
    const std::string key = name + "=";
    std::size_t at = query + 1;
    while (at < target.size()) {
        std::size_t next = target.find('&', at);
        if (target.compare(at, key.size(), key) == 0) {
            const std::size_t begin = at + key.size();
            while (next != std::string::npos && !beginsParameter(target, next)) {
                next = target.find('&', next + 1);
            }
            return target.substr(begin,
                                 next == std::string::npos ? std::string::npos : next - begin);
        }
        if (next == std::string::npos) {
            break;
        }
        at = next + 1;
    }
    return std::nullopt;
}
