#pragma once

#include <string>
#include <vector>

namespace tovak {

// Copies value into buffer as a NUL-terminated string, at most size - 1
// characters. Returns the full length of value, so a result >= size tells the
// caller the buffer was too small.
unsigned copyToBuffer(const std::string& value, char* buffer, unsigned size);

// Key names joined Windows-style: each name NUL-terminated, then one more NUL.
// Only whole names are copied. Returns the bytes the whole list needs.
unsigned copyNameList(const std::vector<std::string>& names, char* buffer, unsigned size);

// A null C string as empty.
inline std::string textOf(const char* text) {
    return text == nullptr ? std::string() : text;
}

// The key names of a subsection of config.ini, in file order.
std::vector<std::string> appDataKeyNames(const std::string& subsection);

// Removes a subsection with its keys. Refuses the main section (empty
// subsection). True when the section is gone afterwards.
bool deleteAppDataSection(const std::string& subsection);

} // namespace tovak
