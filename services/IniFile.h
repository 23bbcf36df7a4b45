#pragma once

#include <map>
#include <string>
#include <vector>

// A read-only view of an INI file: sections in file order, keys compared
// without regard to letter case, values trimmed.
class IniFile {
public:
    bool load(const std::string& path, std::string& error);

    std::vector<std::string> sections() const { return m_sections; }
    bool hasSection(const std::string& section) const;
    std::string get(const std::string& section, const std::string& key,
                    const std::string& fallback = "") const;
    long getInt(const std::string& section, const std::string& key, long fallback) const;
    bool getBool(const std::string& section, const std::string& key, bool fallback) const;

private:
    std::vector<std::string> m_sections;
    std::map<std::string, std::map<std::string, std::string>> m_values;
};
