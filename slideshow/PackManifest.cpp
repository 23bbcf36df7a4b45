#include "slideshow/PackManifest.h"

#include <charconv>

std::string_view trimBlanks(std::string_view text) {
    const auto nFirst = text.find_first_not_of(" \t");
    if (nFirst == std::string_view::npos) {
        return {};
    }
    const auto nLast = text.find_last_not_of(" \t");
    return text.substr(nFirst, nLast - nFirst + 1);
}

const std::string* PackManifest::Section::find(std::string_view csKey) const {
    const auto it = index.find(csKey);
    return it == index.end() ? nullptr : &values[it->second].second;
}

const PackManifest::Section* PackManifest::section(std::string_view csName) const {
    const auto it = m_index.find(csName);
    return it == m_index.end() ? nullptr : &m_sections[it->second];
}

bool PackManifest::parse(std::string_view text, std::string& csError) {
    m_sections.clear();
    m_index.clear();
    m_nFormatVersion = 0;
    if (text.size() > kMaxSize) {
        csError = "manifest.ini is larger than " + std::to_string(kMaxSize) + " bytes";
        return false;
    }
    if (text.find('\0') != std::string_view::npos) {
        csError = "manifest.ini contains a NUL byte";
        return false;
    }
    // A UTF-8 byte order mark, as some editors write it.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    int nLine = 0;
    while (!text.empty()) {
        ++nLine;
        const auto nEnd = text.find('\n');
        std::string_view line = text.substr(0, nEnd);
        text.remove_prefix(nEnd == std::string_view::npos ? text.size() : nEnd + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!parseLine(line, nLine, csError)) {
            return false;
        }
    }
    return checkFormat(csError);
}

bool PackManifest::parseLine(std::string_view line, int nLine, std::string& csError) {
    const std::string csWhere = "manifest.ini line " + std::to_string(nLine) + ": ";
    if (line.size() > kMaxLineLength) {
        csError = csWhere + "line too long";
        return false;
    }
    line = trimBlanks(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') {
        return true;
    }
    if (line[0] == '[') {
        const std::string_view name = trimBlanks(line.substr(1, line.size() - 2));
        if (line.back() != ']' || line.size() < 3 || name.empty()) {
            csError = csWhere + "malformed section header";
            return false;
        }
        if (m_index.count(name) != 0) {
            csError = csWhere + "section [" + std::string(name) + "] appears twice";
            return false;
        }
        m_index.emplace(std::string(name), m_sections.size());
        m_sections.push_back(Section{std::string(name), nLine, {}, {}});
        return true;
    }
    const auto nEquals = line.find('=');
    if (nEquals == std::string_view::npos) {
        csError = csWhere + "expected \"key = value\"";
        return false;
    }
    if (m_sections.empty()) {
        csError = csWhere + "value outside any section";
        return false;
    }
    const std::string_view key = trimBlanks(line.substr(0, nEquals));
    const std::string_view value = trimBlanks(line.substr(nEquals + 1));
    Section& current = m_sections.back();
    if (key.empty()) {
        csError = csWhere + "empty key";
        return false;
    }
    if (current.index.count(key) != 0) {
        csError =
            csWhere + "key " + std::string(key) + " appears twice in [" + current.csName + "]";
        return false;
    }
    current.index.emplace(std::string(key), current.values.size());
    current.values.emplace_back(std::string(key), std::string(value));
    return true;
}

bool PackManifest::checkFormat(std::string& csError) {
    const Section* pPack = section("pack");
    const std::string* pFormat = pPack != nullptr ? pPack->find("format") : nullptr;
    if (pFormat == nullptr) {
        csError = "manifest.ini has no [pack] format";
        return false;
    }
    const char* pLast = pFormat->data() + pFormat->size();
    const auto [pEnd, error] = std::from_chars(pFormat->data(), pLast, m_nFormatVersion);
    if (error != std::errc() || pEnd != pLast || m_nFormatVersion < 1) {
        csError = "manifest.ini has an invalid format number \"" + *pFormat + "\"";
        return false;
    }
    if (m_nFormatVersion > kFormatVersion) {
        csError = "manifest.ini format " + *pFormat + " is newer than this program reads (" +
                  std::to_string(kFormatVersion) + ")";
        return false;
    }
    return true;
}
