#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

// The text of a pack's manifest.ini: "[section]" headers and "key = value"
// lines; blank lines and lines starting with ';' or '#' are ignored. Names
// are case-sensitive; a section or a key given twice, a line of any other
// shape, a NUL byte or a manifest past the size caps does not parse.
class PackManifest {
public:
    static constexpr std::size_t kMaxSize = 1024 * 1024;
    static constexpr std::size_t kMaxLineLength = 4096;
    // The newest manifest format this program reads ([pack] format = ...).
    static constexpr int kFormatVersion = 1;
    static constexpr const char* kEntryName = "manifest.ini";

    struct Section {
        std::string csName;
        int nLine = 0;
        // In file order; lookups go through find().
        std::vector<std::pair<std::string, std::string>> values;
        std::map<std::string, std::size_t, std::less<>> index;

        const std::string* find(std::string_view csKey) const;
    };

    // False with a message naming the line when the text does not parse or
    // its [pack] section lacks a format this program reads.
    bool parse(std::string_view text, std::string& csError);

    const Section* section(std::string_view csName) const;
    const std::vector<Section>& sections() const { return m_sections; }
    int formatVersion() const { return m_nFormatVersion; }

private:
    bool parseLine(std::string_view line, int nLine, std::string& csError);
    bool checkFormat(std::string& csError);

    std::vector<Section> m_sections;
    std::map<std::string, std::size_t, std::less<>> m_index;
    int m_nFormatVersion = 0;
};

// Leading and trailing blanks and tabs removed.
std::string_view trimBlanks(std::string_view text);
