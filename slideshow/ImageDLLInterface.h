#pragma once

#include "imaging/Colorref.h"
#include "slideshow/PackArchive.h"
#include "slideshow/PackExports.h"
#include "slideshow/PackResources.h"

#include <memory>
#include <string>

// Corner of a photograph that holds the weather panel.
enum {
    BOXLOCATION_NO_BOX = 0,
    BOXLOCATION_UPPER_LEFT = 1,
    BOXLOCATION_UPPER_RIGHT = 2,
    BOXLOCATION_LOWER_LEFT = 3,
    BOXLOCATION_LOWER_RIGHT = 4,
};

// Answer of getIconPath for packs older than version 5.
inline constexpr const char* kInvalidIconPath = "\\invalid version\\";

// The loaded image pack. Every operation is safe to call whatever the pack
// provides: when no pack is loaded, when the pack lacks the operation, or
// when its version predates it, the operation answers a fixed fallback.
class ImageDLLInterface {
public:
    // Not loaded.
    ImageDLLInterface();
    // Loads the pack at the full path; see isLoaded() for the outcome.
    explicit ImageDLLInterface(const std::string& csPath);
    virtual ~ImageDLLInterface();
    ImageDLLInterface(const ImageDLLInterface&) = delete;
    ImageDLLInterface& operator=(const ImageDLLInterface&) = delete;

    // The handle for findResource() and CxImage::LoadResource(); null when
    // not loaded.
    PackModule getModuleHandle() const { return m_hModule.get(); }
    bool isLoaded() const { return m_hModule != nullptr; }
    bool isBound(PackExport id) const { return isLoaded() && m_exports.has(id); }
    const PackExports& exports() const { return m_exports; }

    int getNumImagesForGroup(int nGroup) const;
    // Writes the panel's x and y offsets into offsets[0] and offsets[1].
    int getBoxLocationForImage(int nGroup, int nImage, int offsets[2]) const;
    int getGroupForSkyCode(int nSkyCode) const;
    int getNumImageGroups() const;
    COLORREF getBorderColorForImage(int nGroup, int nImage) const;
    std::string getDLLDisplayName() const;
    int getDLLVersionNumber() const;
    std::string getIconPath() const;
    bool supportsWxTriggered() const;
    COLORREF getColorForWeatherText(int nGroup, int nImage) const;
    COLORREF getColorForLocationText(int nGroup, int nImage) const;
    COLORREF getColorForTemperatureText(int nGroup, int nImage) const;
    std::string getDisplayNameForGroup(int nGroup) const;

private:
    bool loadManifest(std::string& csError);
    void logMissingExports() const;

    std::unique_ptr<PackArchive> m_hModule;
    PackExports m_exports;
};
