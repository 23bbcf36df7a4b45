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
