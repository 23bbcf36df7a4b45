#pragma once

#include "imaging/Colorref.h"
#include "slideshow/ManifestValues.h"
#include "slideshow/PackManifest.h"

#include <array>
#include <bitset>
#include <map>
#include <optional>
#include <string>
#include <utility>

// The operations a pack answers, in the order they are bound.
enum class PackExport {
    getNumImagesForGroup,
    getBoxLocationForImage,
    getGroupForSkyCode,
    getNumImageGroups,
    getBorderColorForImage,
    getDLLDisplayName,
    getDLLVersionNumber,
    getIconPath,
    supportsWxTriggered,
    getColorForWeatherText,
    getColorForLocationText,
    getColorForTemperatureText,
    getDisplayNameForGroup,
};
inline constexpr std::size_t kPackExportCount = 13;

struct PackExportInfo {
    PackExport id;
    const char* szName;        // the manifest section, spelled as the export
    const char* szMissingWord; // listed when absent; null for optional exports
    int nMinVersion;           // answered from this pack version on
};
extern const std::array<PackExportInfo, kPackExportCount> kPackExports;

// Answers of one group- or image-keyed operation: the most specific of
// "<g>.<i>", "<g>" and "default" wins; without any, the built-in answer.
template <typename T>
struct KeyedAnswers {
    std::map<std::pair<int, int>, T> values; // image 0: the whole group
    std::optional<T> defaultValue;

    T lookup(int nGroup, int nImage, const T& builtIn) const {
        auto it = values.find({nGroup, nImage});
        if (it == values.end()) {
            it = values.find({nGroup, 0});
        }
        if (it != values.end()) {
            return it->second;
        }
        return defaultValue ? *defaultValue : builtIn;
    }
};

// What a pack's manifest answers, bound from its sections. An export whose
// section is absent is not bound; a section that is present but malformed
// makes binding fail, so such a pack is not loaded at all.
class PackExports {
public:
    bool bind(const PackManifest& manifest, std::string& csError);
    bool has(PackExport id) const { return m_bound.test(static_cast<std::size_t>(id)); }

    // The exports themselves; each may be called only when has() says so.
    int getNumImagesForGroup(int nGroup) const;
    int getBoxLocationForImage(int nGroup, int nImage, int offsets[2]) const;
    int getGroupForSkyCode(int nSkyCode) const;
    int getNumImageGroups() const { return m_nNumImageGroups; }
    COLORREF getBorderColorForImage(int nGroup, int nImage) const;
    void getDLLDisplayName(char* pBuffer, int nCapacity) const;
    int getDLLVersionNumber() const { return m_nVersion; }
    void getIconPath(char* pBuffer, int nCapacity) const;
    bool supportsWxTriggered() const { return m_bSupportsWxTriggered; }
    COLORREF getColorForWeatherText(int nGroup, int nImage) const;
    COLORREF getColorForLocationText(int nGroup, int nImage) const;
    COLORREF getColorForTemperatureText(int nGroup, int nImage) const;
    void getDisplayNameForGroup(int nGroup, char* pBuffer, int nCapacity) const;

    // The raw answers, for tools that list a pack.
    const KeyedAnswers<int>& imageCounts() const { return m_imageCounts; }
    const KeyedAnswers<std::string>& groupNames() const { return m_groupNames; }
    const std::map<int, int>& skyCodeGroups() const { return m_skyCodeGroups; }
    const std::string& displayName() const { return m_csDisplayName; }
    const std::string& iconPath() const { return m_csIconPath; }

private:
    bool bindSection(const PackExportInfo& info, const PackManifest::Section& section,
                     std::string& csError);

    std::bitset<kPackExportCount> m_bound;
    KeyedAnswers<int> m_imageCounts;
    KeyedAnswers<BoxPlacement> m_boxes;
    std::map<int, int> m_skyCodeGroups;
    std::optional<int> m_nDefaultGroup;
    int m_nNumImageGroups = -1;
    KeyedAnswers<COLORREF> m_borderColours;
    std::string m_csDisplayName;
    int m_nVersion = -1;
    std::string m_csIconPath;
    bool m_bSupportsWxTriggered = true;
    KeyedAnswers<COLORREF> m_weatherTextColours;
    KeyedAnswers<COLORREF> m_locationTextColours;
    KeyedAnswers<COLORREF> m_temperatureTextColours;
    KeyedAnswers<std::string> m_groupNames;
};

// Copies text into a buffer of nCapacity bytes the way a pack's text export
// does: at most nCapacity bytes, NUL-terminated when there is room, never
// splitting a UTF-8 character.
void copyExportText(const std::string& csText, char* pBuffer, int nCapacity);

// True for an icon folder a pack may name: relative to the install folder
// and never climbing out of it.
bool isSafeIconPath(const std::string& csPath);
