// Reads arbitrary bytes as config.ini through the INI class, then writes one
// key and one section removal: every value that read before reads the same
// after, the new key reads back, and a comment that ended the file still
// ends it.
#include "FuzzScratch.h"
#include "app/CIni.h"

#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <sstream>
#include <utility>

namespace {

using Values = std::map<std::pair<std::string, std::string>, std::string>;

// A default no file holds.
constexpr const char* kAbsent = "\x01"
                                "absent";

// Names the INI class can address: it trims names and maps some characters.
bool addressable(const std::string& csName, bool bSection) {
    if (csName.empty() || csName.front() == ' ' || csName.front() == '\t' || csName.back() == ' ' ||
        csName.back() == '\t') {
        return false;
    }
    for (char c : csName) {
        if (c == '\r' || c == '\n' || c == '\v' || c == '\f' || (bSection ? c == ']' : c == '=')) {
            return false;
        }
    }
    return bSection || (csName[0] != ';' && csName[0] != '#' && csName[0] != '[');
}

// Every value the file holds, as the INI class reads it.
Values readable(const std::string& csText, const CIni& ini) {
    CSimpleIniA document(false, false, false);
    document.SetQuotes(false);
    document.SetSpaces(false);
    Values values;
    // The INI class reads a NUL byte as a blank.
    std::string csReadable = csText;
    std::replace(csReadable.begin(), csReadable.end(), '\0', ' ');
    if (document.LoadData(csReadable) < 0) {
        return values;
    }
    CSimpleIniA::TNamesDepend sections;
    document.GetAllSections(sections);
    for (const auto& section : sections) {
        CSimpleIniA::TNamesDepend keys;
        document.GetAllKeys(section.pItem, keys);
        for (const auto& key : keys) {
            if (addressable(section.pItem, true) && addressable(key.pItem, false)) {
                values[{section.pItem, key.pItem}] =
                    ini.GetString(section.pItem, key.pItem, kAbsent);
            }
        }
    }
    return values;
}

// The last line that is not blank, without the blanks around it.
std::string lastLine(const std::string& csText) {
    const std::size_t nEnd = csText.find_last_not_of("\r\n \t");
    if (nEnd == std::string::npos) {
        return {};
    }
    const std::size_t nBreak = csText.find_last_of("\r\n", nEnd);
    const std::size_t nStart =
        csText.find_first_not_of(" \t", nBreak == std::string::npos ? 0 : nBreak + 1);
    return csText.substr(nStart, nEnd + 1 - nStart);
}

bool isComment(const std::string& csLine) {
    const std::size_t nFirst = csLine.find_first_not_of(" \t");
    return nFirst != std::string::npos && (csLine[nFirst] == ';' || csLine[nFirst] == '#');
}

// Whether some line is neither blank nor a comment.
bool hasEntries(const std::string& csText) {
    std::istringstream lines(csText);
    for (std::string csLine; std::getline(lines, csLine);) {
        if (csLine.find_first_not_of(" \t\r") != std::string::npos && !isComment(csLine)) {
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string csText(reinterpret_cast<const char*>(data), size);
    const std::string csPath = fuzzing::scratchFolder() + "config.ini";
    fuzzing::writeFile(csPath, csText);
    CIni ini(csPath.c_str());
    const Values before = readable(csText, ini);
    ini.GetKeyNames("Software\\Nimbora\\Apps\\AppData");
    ini.GetInt("Software\\Nimbora\\Apps\\AppData", "Speed", 1);

    if (!ini.WriteString("Fuzz \x02 Section", "fuzzKey", "fuzz value")) {
        fuzzing::fail("a readable file could not be written");
    }
    if (ini.GetString("Fuzz \x02 Section", "fuzzKey", "") != "fuzz value") {
        fuzzing::fail("the value written does not read back");
    }
    for (const auto& [name, csValue] : before) {
        if (name.first == "Fuzz \x02 Section") {
            continue;
        }
        if (ini.GetString(name.first.c_str(), name.second.c_str(), kAbsent) != csValue) {
            fuzzing::fail("[" + name.first + "] " + name.second + " changed on a rewrite");
        }
    }
    std::string csAfter;
    {
        std::ifstream in(csPath, std::ios::binary);
        csAfter.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::string csReadable = csText;
    std::replace(csReadable.begin(), csReadable.end(), '\0', ' ');
    // A file of comments only keeps them at its head, where new sections
    // follow them; otherwise a closing comment still closes the file.
    const std::string csLast = lastLine(csReadable);
    if (isComment(csLast) && hasEntries(csReadable) && lastLine(csAfter) != csLast) {
        fuzzing::fail("the comment at the end went missing");
    }
    // Writing the same again settles: the first rewrite may tidy the text
    // (blank lines, a closed header), but the file must not grow or change
    // with every write after that.
    std::string csSettled;
    for (int nWrite = 0; nWrite < 2; ++nWrite) {
        if (!ini.WriteString("Fuzz \x02 Section", "fuzzKey", "fuzz value")) {
            fuzzing::fail("a file the program wrote could not be written again");
        }
        std::ifstream again(csPath, std::ios::binary);
        const std::string csNow(std::istreambuf_iterator<char>(again), {});
        if (nWrite == 1 && csNow != csSettled) {
            fuzzing::fail("rewriting the same value keeps changing the file");
        }
        csSettled = csNow;
    }
    return 0;
}
