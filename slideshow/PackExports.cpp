#include "slideshow/PackExports.h"

#include "slideshow/ResourceNames.h"

#include <algorithm>
#include <cstring>

const std::array<PackExportInfo, kPackExportCount> kPackExports = {{
    {PackExport::getNumImagesForGroup, "getNumImagesForGroup", " getnumitemsforgroup", 0},
    {PackExport::getBoxLocationForImage, "getBoxLocationForImage", " getboxlocationforimage", 0},
    {PackExport::getGroupForSkyCode, "getGroupForSkyCode", " getgroupforskycode", 0},
    {PackExport::getNumImageGroups, "getNumImageGroups", " getnumimagegroups", 0},
    {PackExport::getBorderColorForImage, "getBorderColorForImage", " getbordercolorforimage", 0},
    {PackExport::getDLLDisplayName, "getDLLDisplayName", " getdlldisplayname", 0},
    {PackExport::getDLLVersionNumber, "getDLLVersionNumber", " getdllversionnumber", 0},
    {PackExport::getIconPath, "getIconPath", nullptr, 5},
    {PackExport::supportsWxTriggered, "supportsWxTriggered", nullptr, 3},
    {PackExport::getColorForWeatherText, "getColorForWeatherText", nullptr, 4},
    {PackExport::getColorForLocationText, "getColorForLocationText", nullptr, 5},
    {PackExport::getColorForTemperatureText, "getColorForTemperatureText", nullptr, 5},
    {PackExport::getDisplayNameForGroup, "getDisplayNameForGroup", " getgroupdisplayname", 0},
}};

void copyExportText(const std::string& csText, char* pBuffer, int nCapacity) {
    if (pBuffer == nullptr || nCapacity <= 0) {
        return;
    }
    std::size_t nLength = std::min(csText.size(), static_cast<std::size_t>(nCapacity));
    if (nLength < csText.size()) {
        // Back off to the start of the character that would be cut; a
        // character has at most three bytes after its first, so a longer run
        // is no UTF-8 and is cut where it stands.
        std::size_t nStart = nLength;
        while (nStart > 0 && nLength - nStart < 3 &&
               (static_cast<unsigned char>(csText[nStart]) & 0xC0) == 0x80) {
            --nStart;
        }
        if ((static_cast<unsigned char>(csText[nStart]) & 0xC0) != 0x80) {
            nLength = nStart;
        }
    }
    std::memcpy(pBuffer, csText.data(), nLength);
    if (nLength < static_cast<std::size_t>(nCapacity)) {
        pBuffer[nLength] = '\0';
    }
}

bool isSafeIconPath(const std::string& csPath) {
    if (csPath.empty()) {
        return true;
    }
    if (csPath.front() == '/' || csPath.find('\\') != std::string::npos) {
        return false;
    }
    std::size_t nStart = 0;
    while (nStart < csPath.size()) {
        const std::size_t nEnd = std::min(csPath.find('/', nStart), csPath.size());
        if (csPath.compare(nStart, nEnd - nStart, "..") == 0) {
            return false;
        }
        nStart = nEnd + 1;
    }
    return std::none_of(csPath.begin(), csPath.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

namespace {

bool failAt(const PackManifest::Section& section, const std::string& csKey,
            const std::string& csWhat, std::string& csError) {
    csError = "manifest.ini [" + section.csName + "] " + csKey + ": " + csWhat;
    return false;
}

// A section with the single key "value".
bool singleValue(const PackManifest::Section& section, std::string& csValue, std::string& csError) {
    for (const auto& [csKey, csText] : section.values) {
        if (csKey != "value") {
            return failAt(section, csKey, "only \"value\" belongs here", csError);
        }
        csValue = csText;
    }
    if (section.find("value") == nullptr) {
        return failAt(section, "value", "missing", csError);
    }
    return true;
}

// csExpected says what a value should be, for the error message.
template <typename T, typename Parse>
bool keyedValues(const PackManifest::Section& section, bool bImagesAllowed, Parse parse,
                 const std::string& csExpected, KeyedAnswers<T>& answers, std::string& csError) {
    for (const auto& [csKey, csText] : section.values) {
        ManifestKey key;
        if (!parseManifestKey(csKey, bImagesAllowed, key)) {
            return failAt(
                section, csKey,
                "not a valid key (default, or groups 1 to " + std::to_string(kMaxImageGroups) +
                    (bImagesAllowed ? " with images 1 to " + std::to_string(kMaxImagesPerGroup)
                                    : std::string()) +
                    ")",
                csError);
        }
        T value{};
        if (!parse(csText, value)) {
            return failAt(section, csKey,
                          "invalid value \"" + csText + "\" (expected " + csExpected + ")",
                          csError);
        }
        if (key.bDefault) {
            answers.defaultValue = value;
        } else {
            answers.values[{key.nGroup, key.nImage}] = value;
        }
    }
    return true;
}

constexpr const char* kColourExpected = "a colour #RRGGBB";

bool parseText(const std::string& csText, std::string& csValue) {
    csValue = csText;
    return true;
}

// Counts and group numbers become resource identifiers, so they stay within
// the numbers the naming scheme holds.
bool parseCount(const std::string& csText, int nMax, int& nValue) {
    return parseManifestInt(csText, nValue) && nValue >= 0 && nValue <= nMax;
}

bool parseImageCount(const std::string& csText, int& nValue) {
    return parseCount(csText, kMaxImagesPerGroup, nValue);
}

// A group, or -1 for "no group fits".
bool parseGroup(const std::string& csText, int& nValue) {
    return parseManifestInt(csText, nValue) &&
           (nValue == -1 || (nValue >= 1 && nValue <= kMaxImageGroups));
}

} // namespace

bool PackExports::bind(const PackManifest& manifest, std::string& csError) {
    *this = PackExports();
    for (const PackExportInfo& info : kPackExports) {
        const PackManifest::Section* pSection = manifest.section(info.szName);
        if (pSection == nullptr) {
            continue;
        }
        if (!bindSection(info, *pSection, csError)) {
            return false;
        }
        m_bound.set(static_cast<std::size_t>(info.id));
    }
    return true;
}

bool PackExports::bindSection(const PackExportInfo& info, const PackManifest::Section& section,
                              std::string& csError) {
    const auto colour = [](const std::string& csText, COLORREF& value) {
        return parseManifestColour(csText, value);
    };
    std::string csValue;
    switch (info.id) {
    case PackExport::getNumImagesForGroup:
        return keyedValues(section, false, parseImageCount,
                           "a count from 0 to " + std::to_string(kMaxImagesPerGroup), m_imageCounts,
                           csError);
    case PackExport::getBoxLocationForImage:
        return keyedValues(
            section, true,
            [](const std::string& csText, BoxPlacement& box) {
                return parseManifestBox(csText, box);
            },
            "a corner and two offsets of at most " + std::to_string(kMaxBoxOffset) + " pixels",
            m_boxes, csError);
    case PackExport::getGroupForSkyCode:
        for (const auto& [csKey, csText] : section.values) {
            int nCode = 0;
            int nGroup = 0;
            const bool bDefault = csKey == "default";
            if (!bDefault && !parseManifestInt(csKey, nCode)) {
                return failAt(section, csKey, "not a sky code", csError);
            }
            if (!parseGroup(csText, nGroup)) {
                return failAt(section, csKey,
                              "invalid group \"" + csText + "\" (-1 or 1 to " +
                                  std::to_string(kMaxImageGroups) + ")",
                              csError);
            }
            if (bDefault) {
                m_nDefaultGroup = nGroup;
            } else {
                m_skyCodeGroups[nCode] = nGroup;
            }
        }
        return true;
    case PackExport::getNumImageGroups:
        return singleValue(section, csValue, csError) &&
               (parseCount(csValue, kMaxImageGroups, m_nNumImageGroups) ||
                failAt(section, "value",
                       "invalid count \"" + csValue + "\" (0 to " +
                           std::to_string(kMaxImageGroups) + ")",
                       csError));
    case PackExport::getBorderColorForImage:
        return keyedValues(section, true, colour, kColourExpected, m_borderColours, csError);
    case PackExport::getDLLDisplayName:
        return singleValue(section, m_csDisplayName, csError);
    case PackExport::getDLLVersionNumber:
        return singleValue(section, csValue, csError) &&
               (parseManifestInt(csValue, m_nVersion) ||
                failAt(section, "value", "invalid version \"" + csValue + "\"", csError));
    case PackExport::getIconPath:
        return singleValue(section, m_csIconPath, csError) &&
               (isSafeIconPath(m_csIconPath) ||
                failAt(section, "value", "the icon path must stay inside the install folder",
                       csError));
    case PackExport::supportsWxTriggered:
        return singleValue(section, csValue, csError) &&
               (parseManifestBool(csValue, m_bSupportsWxTriggered) ||
                failAt(section, "value", "expected true or false", csError));
    case PackExport::getColorForWeatherText:
        return keyedValues(section, true, colour, kColourExpected, m_weatherTextColours, csError);
    case PackExport::getColorForLocationText:
        return keyedValues(section, true, colour, kColourExpected, m_locationTextColours, csError);
    case PackExport::getColorForTemperatureText:
        return keyedValues(section, true, colour, kColourExpected, m_temperatureTextColours,
                           csError);
    case PackExport::getDisplayNameForGroup:
        return keyedValues(section, false, parseText, "text", m_groupNames, csError);
    }
    return true;
}

int PackExports::getNumImagesForGroup(int nGroup) const {
    return m_imageCounts.lookup(nGroup, 0, 0);
}

int PackExports::getBoxLocationForImage(int nGroup, int nImage, int offsets[2]) const {
    const BoxPlacement box = m_boxes.lookup(nGroup, nImage, BoxPlacement{});
    if (offsets != nullptr) {
        offsets[0] = box.nOffsetX;
        offsets[1] = box.nOffsetY;
    }
    return box.nLocation;
}

int PackExports::getGroupForSkyCode(int nSkyCode) const {
    const auto it = m_skyCodeGroups.find(nSkyCode);
    if (it != m_skyCodeGroups.end()) {
        return it->second;
    }
    return m_nDefaultGroup.value_or(-1);
}

COLORREF PackExports::getBorderColorForImage(int nGroup, int nImage) const {
    return m_borderColours.lookup(nGroup, nImage, 0);
}

void PackExports::getDLLDisplayName(char* pBuffer, int nCapacity) const {
    copyExportText(m_csDisplayName, pBuffer, nCapacity);
}

void PackExports::getIconPath(char* pBuffer, int nCapacity) const {
    copyExportText(m_csIconPath, pBuffer, nCapacity);
}

COLORREF PackExports::getColorForWeatherText(int nGroup, int nImage) const {
    return m_weatherTextColours.lookup(nGroup, nImage, 0);
}

COLORREF PackExports::getColorForLocationText(int nGroup, int nImage) const {
    return m_locationTextColours.lookup(nGroup, nImage, 0xFFFFFF);
}

COLORREF PackExports::getColorForTemperatureText(int nGroup, int nImage) const {
    return m_temperatureTextColours.lookup(nGroup, nImage, 0xFFFFFF);
}

void PackExports::getDisplayNameForGroup(int nGroup, char* pBuffer, int nCapacity) const {
    copyExportText(m_groupNames.lookup(nGroup, 0, std::string()), pBuffer, nCapacity);
}
