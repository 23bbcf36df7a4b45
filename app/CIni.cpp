#include "app/CIni.h"

#include "platform/DebugOutput.h"
#include "platform/NamedLock.h"
#include "platform/ReplaceFile.h"

// Values are bytes in the system code page: stored and read without any
// character-set conversion. The template's code is compiled here, the only
// user of the header.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Writers wait their turn this long. Each holds the lock for one
// read-modify-replace, a few milliseconds even with the flushes to disk, so
// only a writer that hangs keeps another waiting so long; the write then
// fails rather than risk losing the other's keys.
constexpr int kWriteLockTimeoutMs = 5000;
// An empty section added at the end of the text while it is edited. SimpleIni
// keeps each comment with the entry after it, so a comment at the end of the
// file, with no entry after it, would be dropped on the next rewrite; the
// marker gives it an entry to stay with until it is put back at the end.
constexpr const char* kEndMarker = "\x01"
                                   "end of file\x01";
constexpr size_t kIntTextLength = 64;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}
bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}

std::string trimmed(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && (isBlank(text[first]) || isLineBreak(text[first]))) {
        ++first;
    }
    while (last > first && (isBlank(text[last - 1]) || isLineBreak(text[last - 1]))) {
        --last;
    }
    return text.substr(first, last - first);
}

std::string safeSectionName(const char* section) {
    std::string name = trimmed(section);
    for (char& c : name) {
        if (isLineBreak(c) || c == ']') {
            c = '_';
        }
    }
    return name;
}

std::string safeKeyName(const char* key) {
    std::string name = trimmed(key);
    for (char& c : name) {
        if (isLineBreak(c) || c == '=') {
            c = '_';
        }
    }
    if (!name.empty() && (name[0] == ';' || name[0] == '#' || name[0] == '[')) {
        name[0] = '_';
    }
    return name;
}

std::string safeValue(const char* value) {
    std::string text = value != nullptr ? value : "";
    for (char& c : text) {
        if (isLineBreak(c)) {
            c = ' ';
        }
    }
    return text;
}

// Profile-file semantics: names compare case-insensitively, one value a key.
using IniDocument = CSimpleIniA;

void prepare(IniDocument& document) {
    document.SetUnicode(false);
    document.SetMultiKey(false);
    document.SetMultiLine(false);
    document.SetQuotes(false);
    document.SetSpaces(false);
}

// Mends what SimpleIni would misread in a file's text:
//  - it reads up to the first NUL byte, and a rewrite would drop everything
//    after it, so a NUL counts as a blank;
//  - a section header without its ']' makes it take the next line into the
//    section's name, and each rewrite then adds a line to the file, so such
//    a header is closed at the end of its line.
void mendText(std::string& content) {
    std::replace(content.begin(), content.end(), '\0', ' ');
    for (size_t start = 0; start < content.size();) {
        size_t end = content.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            end = content.size();
        }
        size_t first = start;
        while (first < end && isBlank(content[first])) {
            ++first;
        }
        if (first < end && content[first] == '[' && content.find(']', first) >= end) {
            content.insert(end, 1, ']');
            ++end;
        }
        start = end + 1;
    }
}

// The marker's name, made longer until the text does not hold it in any
// letter case, so that no section of the file's own is ever taken for it.
std::string endMarkerFor(const std::string& content) {
    std::string lowered = content;
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::string marker = kEndMarker;
    while (lowered.find(marker) != std::string::npos) {
        marker += '\x01';
    }
    return marker;
}

// Loads the file; a missing file is an empty document. With pEndMarker the
// marker section follows the file's text, under the name it is given there.
bool load(const std::string& path, IniDocument& document, bool& missing,
          std::string* pEndMarker = nullptr) {
    prepare(document);
    std::string content;
    missing = false;
    if (!platform::readWholeFile(path, content)) {
        missing = errno == ENOENT;
        if (!missing) {
            return false;
        }
    }
    mendText(content);
    if (pEndMarker != nullptr) {
        *pEndMarker = endMarkerFor(content);
        content += "\n[" + *pEndMarker + "]\n";
    }
    return document.LoadData(content) >= 0;
}

// Removes the marker section and returns the comment that came before it.
std::string takeEndComment(IniDocument& document, const std::string& marker) {
    std::string comment;
    IniDocument::TNamesDepend sections;
    document.GetAllSections(sections);
    for (const IniDocument::Entry& section : sections) {
        if (marker == section.pItem && section.pComment != nullptr) {
            comment = section.pComment;
        }
    }
    document.Delete(marker.c_str(), nullptr);
    return comment;
}

// strtoul() as on a system whose unsigned long has 32 bits: out-of-range
// text gives the largest value, a '-' negates modulo 2^32.
std::uint32_t strtoul32(const char* text, int base) {
    while (isBlank(*text) || isLineBreak(*text)) {
        ++text;
    }
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') {
        ++text;
    }
    if (*text == '-' || *text == '+' || isBlank(*text) || isLineBreak(*text)) {
        return 0;
    }
    errno = 0;
    unsigned long long magnitude = std::strtoull(text, nullptr, base);
    if (errno == ERANGE || magnitude > UINT32_MAX) {
        return UINT32_MAX;
    }
    std::uint32_t value = static_cast<std::uint32_t>(magnitude);
    return negative ? static_cast<std::uint32_t>(0u - value) : value;
}

int honouredBase(int base) {
    return base == 2 || base == 8 || base == 16 ? base : 10;
}

enum class Edit { Failed, Unchanged, Changed };

// Reads the file, lets change edit the document and, when it did, puts the
// result in the file's place, all under the writers' lock. caller names the
// operation in the debug lines.
template <typename Change>
bool rewriteFile(const std::string& path, const char* caller, Change change) {
    auto lock = platform::NamedLock::acquire(platform::lockNameForFile(path), kWriteLockTimeoutMs);
    if (!lock) {
        // Writing without the lock could drop what another writer stores
        // meanwhile: nothing is written, and the caller learns so.
        platform::debugOutput(std::string(caller) + "; the lock of " + path +
                              " was not had within " + std::to_string(kWriteLockTimeoutMs) +
                              " ms, nothing written");
        return false;
    }
    // Holding the lock, no other writer is between writing its temporary
    // file and renaming it: any such file was left by one that died.
    platform::removeStaleReplacements(path);
    IniDocument document;
    bool missing = false;
    std::string endMarker;
    if (!load(path, document, missing, &endMarker)) {
        // Replacing a file we could not read would throw its content away.
        platform::debugOutput(std::string(caller) + "; cannot read " + path +
                              ", errno = " + std::to_string(errno));
        return false;
    }
    const std::string endComment = takeEndComment(document, endMarker);
    const Edit edit = change(document);
    if (edit != Edit::Changed) {
        return edit == Edit::Unchanged;
    }
    std::string content;
    if (document.Save(content) < 0) {
        return false;
    }
    if (!endComment.empty()) {
        content += endComment + "\n";
    }
    if (!platform::replaceFile(path, content)) {
        platform::debugOutput(std::string(caller) + "; cannot replace " + path +
                              ", errno = " + std::to_string(errno));
        return false;
    }
    return true;
}

} // namespace

void CIni::SetPathName(const char* pathName) {
    m_csPathName = pathName != nullptr ? pathName : "";
}

std::string CIni::GetString(const char* section, const char* key, const char* defaultValue) const {
    std::string fallback = defaultValue != nullptr ? defaultValue : "";
    if (section == nullptr || key == nullptr || m_csPathName.empty()) {
        return fallback;
    }
    IniDocument document;
    bool missing = false;
    if (!load(m_csPathName, document, missing) || missing) {
        return fallback;
    }
    std::string sectionName = safeSectionName(section);
    std::string keyName = safeKeyName(key);
    const char* value = document.GetValue(sectionName.c_str(), keyName.c_str(), nullptr);
    return value != nullptr ? std::string(value) : fallback;
}

int CIni::GetInt(const char* section, const char* key, int defaultValue, int base) const {
    std::string text = GetString(section, key, "");
    if (text.empty()) {
        return defaultValue;
    }
    return parseIniInt(text, base);
}

bool CIni::WriteString(const char* section, const char* key, const char* value) {
    if (section == nullptr || key == nullptr || m_csPathName.empty()) {
        return false;
    }
    std::string sectionName = safeSectionName(section);
    std::string keyName = safeKeyName(key);
    if (keyName.empty()) {
        return false;
    }
    std::string text = safeValue(value);
    return rewriteFile(m_csPathName, "CIni::WriteString()", [&](IniDocument& document) {
        return document.SetValue(sectionName.c_str(), keyName.c_str(), text.c_str()) < 0
                   ? Edit::Failed
                   : Edit::Changed;
    });
}

bool CIni::WriteInt(const char* section, const char* key, int value, int base) {
    std::string text = formatIniInt(value, base);
    return WriteString(section, key, text.c_str());
}

std::vector<std::string> CIni::GetKeyNames(const char* section) const {
    std::vector<std::string> names;
    if (section == nullptr || m_csPathName.empty()) {
        return names;
    }
    IniDocument document;
    bool missing = false;
    if (!load(m_csPathName, document, missing) || missing) {
        return names;
    }
    IniDocument::TNamesDepend keys;
    document.GetAllKeys(safeSectionName(section).c_str(), keys);
    keys.sort(IniDocument::Entry::LoadOrder());
    for (const IniDocument::Entry& key : keys) {
        names.emplace_back(key.pItem);
    }
    return names;
}

bool CIni::DeleteSection(const char* section) {
    if (section == nullptr || m_csPathName.empty()) {
        return false;
    }
    std::string sectionName = safeSectionName(section);
    return rewriteFile(m_csPathName, "CIni::DeleteSection()", [&](IniDocument& document) {
        if (document.GetSection(sectionName.c_str()) == nullptr) {
            return Edit::Unchanged;
        }
        document.Delete(sectionName.c_str(), nullptr);
        return Edit::Changed;
    });
}

std::string formatIniInt(int value, int base) {
    std::uint32_t pattern = static_cast<std::uint32_t>(value);
    char text[40];
    switch (honouredBase(base)) {
    case 2: {
        std::string digits;
        do {
            digits.insert(digits.begin(), static_cast<char>('0' + (pattern & 1u)));
            pattern >>= 1;
        } while (pattern != 0);
        return digits;
    }
    case 8:
        std::snprintf(text, sizeof text, "%o", pattern);
        return text;
    case 16:
        std::snprintf(text, sizeof text, "%X", pattern);
        return text;
    default:
        std::snprintf(text, sizeof text, "%d", value);
        return text;
    }
}

int parseIniInt(const std::string& text, int base) {
    std::string head = text.substr(0, kIntTextLength);
    return static_cast<int>(strtoul32(head.c_str(), honouredBase(base)));
}
