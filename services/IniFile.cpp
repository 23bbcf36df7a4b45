#include "services/IniFile.h"

#include "services/TextCase.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>

bool IniFile::load(const std::string& path, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    m_sections.clear();
    m_values.clear();
    std::string line;
    std::string section;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        const std::string text = trimmed(line);
        if (text.empty() || text[0] == ';' || text[0] == '#') {
            continue;
        }
        if (text.front() == '[') {
            if (text.back() != ']' || text.size() < 3) {
                error = path + ":" + std::to_string(lineNumber) + ": malformed section header";
                return false;
            }
            section = trimmed(text.substr(1, text.size() - 2));
            if (!hasSection(section)) {
                m_sections.push_back(section);
            }
            m_values[lowerCase(section)];
            continue;
        }
        const auto equals = text.find('=');
        if (equals == std::string::npos || equals == 0) {
            error = path + ":" + std::to_string(lineNumber) + ": expected key = value";
            return false;
        }
        m_values[lowerCase(section)][lowerCase(trimmed(text.substr(0, equals)))] =
            trimmed(text.substr(equals + 1));
    }
    return true;
}

bool IniFile::hasSection(const std::string& section) const {
    return m_values.count(lowerCase(section)) != 0;
}

std::string IniFile::get(const std::string& section, const std::string& key,
                         const std::string& fallback) const {
    const auto s = m_values.find(lowerCase(section));
    if (s == m_values.end()) {
        return fallback;
    }
    const auto k = s->second.find(lowerCase(key));
    return k == s->second.end() ? fallback : k->second;
}

long IniFile::getInt(const std::string& section, const std::string& key, long fallback) const {
    const std::string text = get(section, key);
    if (text.empty()) {
        return fallback;
    }
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    return (end != nullptr && *end == '\0') ? value : fallback;
}

bool IniFile::getBool(const std::string& section, const std::string& key, bool fallback) const {
    const std::string text = lowerCase(get(section, key));
    if (text == "1" || text == "true" || text == "yes" || text == "on") {
        return true;
    }
    if (text == "0" || text == "false" || text == "no" || text == "off") {
        return false;
    }
    return fallback;
}
