#pragma once

#include <algorithm>
#include <cctype>
#include <string>

// The text with each byte passed through std::tolower; keys and names are
// compared this way, whatever case they were written in.
inline std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The text without the blanks, tabs and line ends around it.
inline std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}
