#include "slideshow/ImageDLLInterface.h"

#include "PackFixtures.h"
#include "TraceCapture.h"
#include "slideshow/ResourceNames.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

using fixtures::completeManifest;
using fixtures::manifestWithout;

constexpr const char* kPrefix = "ImageDLLInterface::ImageDLLInterface() - ";

class ImageDLLInterfaceTest : public ::testing::Test {
protected:
    std::string pack(const std::string& csManifest) {
        const std::string csPath = m_folder.file("pack" + std::to_string(++m_nPacks) + ".wxs");
        fixtures::writePack(csPath, csManifest);
        return csPath;
    }

    testing_support::TempFolder m_folder;
    int m_nPacks = 0;
};

void expectAllFallbacks(const ImageDLLInterface& images) {
    int offsets[2] = {7, 8};
    EXPECT_EQ(nullptr, images.getModuleHandle());
    EXPECT_EQ(-1, images.getNumImagesForGroup(1));
    EXPECT_EQ(-1, images.getBoxLocationForImage(1, 1, offsets));
    EXPECT_EQ(7, offsets[0]);
    EXPECT_EQ(8, offsets[1]);
    EXPECT_EQ(-1, images.getGroupForSkyCode(32));
    EXPECT_EQ(-1, images.getNumImageGroups());
    EXPECT_EQ(0xFFFFFFFFu, images.getBorderColorForImage(1, 1));
    EXPECT_EQ("", images.getDLLDisplayName());
    EXPECT_EQ(-1, images.getDLLVersionNumber());
    EXPECT_EQ("\\invalid version\\", images.getIconPath());
    EXPECT_EQ(17u, images.getIconPath().size());
    EXPECT_TRUE(images.supportsWxTriggered());
    EXPECT_EQ(0u, images.getColorForWeatherText(1, 1));
    EXPECT_EQ(0xFFFFFFu, images.getColorForLocationText(1, 1));
    EXPECT_EQ(0xFFFFFFu, images.getColorForTemperatureText(1, 1));
    EXPECT_EQ("", images.getDisplayNameForGroup(1));
}

TEST_F(ImageDLLInterfaceTest, NotLoadedAnswersEveryFallback) {
    expectAllFallbacks({});
}

TEST_F(ImageDLLInterfaceTest, AVersionFivePackAnswersFromItsManifest) {
    const ImageDLLInterface images(pack(completeManifest(5)));
    ASSERT_NE(nullptr, images.getModuleHandle());
    int offsets[2] = {0, 0};
    EXPECT_EQ(2, images.getNumImagesForGroup(1));
    EXPECT_EQ(0, images.getNumImagesForGroup(3));
    EXPECT_EQ(BOXLOCATION_LOWER_RIGHT, images.getBoxLocationForImage(1, 2, offsets));
    EXPECT_EQ(20, offsets[0]);
    EXPECT_EQ(30, offsets[1]);
    EXPECT_EQ(BOXLOCATION_UPPER_LEFT, images.getBoxLocationForImage(2, 1, offsets));
    EXPECT_EQ(-6, offsets[1]);
    EXPECT_EQ(1, images.getGroupForSkyCode(32));
    EXPECT_EQ(-1, images.getGroupForSkyCode(5));
    EXPECT_EQ(2, images.getNumImageGroups());
    EXPECT_EQ(0x302010u, images.getBorderColorForImage(1, 1));
    EXPECT_EQ("Test Skies", images.getDLLDisplayName());
    EXPECT_EQ(5, images.getDLLVersionNumber());
    EXPECT_EQ("test-icons/", images.getIconPath());
    EXPECT_FALSE(images.supportsWxTriggered());
    EXPECT_EQ(0x332211u, images.getColorForWeatherText(1, 1));
    EXPECT_EQ(0x665544u, images.getColorForLocationText(1, 1));
    EXPECT_EQ(0x998877u, images.getColorForTemperatureText(1, 1));
    EXPECT_EQ("Night", images.getDisplayNameForGroup(2));
    EXPECT_EQ("", images.getDisplayNameForGroup(9));
}

TEST_F(ImageDLLInterfaceTest, VersionTwoFallsBackForEveryLaterExport) {
    const ImageDLLInterface images(pack(completeManifest(2)));
    EXPECT_TRUE(images.supportsWxTriggered());
    EXPECT_EQ(0u, images.getColorForWeatherText(1, 1));
    EXPECT_EQ(0xFFFFFFu, images.getColorForLocationText(1, 1));
    EXPECT_EQ(0xFFFFFFu, images.getColorForTemperatureText(1, 1));
    EXPECT_EQ("\\invalid version\\", images.getIconPath());
    EXPECT_EQ(0x302010u, images.getBorderColorForImage(1, 1));
}

TEST_F(ImageDLLInterfaceTest, VersionThreeAnswersWxTriggeredButNoColours) {
    const ImageDLLInterface images(pack(completeManifest(3)));
    EXPECT_FALSE(images.supportsWxTriggered());
    EXPECT_EQ(0u, images.getColorForWeatherText(1, 1));
    EXPECT_EQ(0xFFFFFFu, images.getColorForLocationText(1, 1));
    EXPECT_EQ("\\invalid version\\", images.getIconPath());
}

// The version gates are read from the export table by the export's number.
TEST(PackExportTable, ListsEachExportAtItsOwnIndex) {
    for (std::size_t i = 0; i < kPackExports.size(); ++i) {
        EXPECT_EQ(i, static_cast<std::size_t>(kPackExports[i].id)) << kPackExports[i].szName;
    }
}

TEST_F(ImageDLLInterfaceTest, VersionFourUsesWeatherColourButNotTheOthers) {
    const ImageDLLInterface images(pack(completeManifest(4)));
    EXPECT_FALSE(images.supportsWxTriggered());
    EXPECT_EQ(0x332211u, images.getColorForWeatherText(1, 1));
    EXPECT_EQ(0xFFFFFFu, images.getColorForLocationText(1, 1));
    EXPECT_EQ(0xFFFFFFu, images.getColorForTemperatureText(1, 1));
    EXPECT_EQ("\\invalid version\\", images.getIconPath());
}

TEST_F(ImageDLLInterfaceTest, MissingVersionMakesEveryGatedExportFallBack) {
    const ImageDLLInterface images(pack(manifestWithout(5, "getDLLVersionNumber")));
    EXPECT_EQ(-1, images.getDLLVersionNumber());
    EXPECT_EQ("\\invalid version\\", images.getIconPath());
    EXPECT_TRUE(images.supportsWxTriggered());
    EXPECT_EQ(0u, images.getColorForWeatherText(1, 1));
    EXPECT_EQ(2, images.getNumImageGroups());
}

TEST_F(ImageDLLInterfaceTest, TextAnswersKeepThirtyOneBytesAndWholeCharacters) {
    std::string csManifest = manifestWithout(5, "getDLLDisplayName,getDisplayNameForGroup");
    csManifest += "[getDLLDisplayName]\nvalue = " + std::string(40, 'x') + "\n";
    // 30 ASCII bytes and a two-byte character that would be cut in half.
    csManifest += "[getDisplayNameForGroup]\n1 = " + std::string(30, 'a') + "\xC3\xA9z\n";
    // Bytes that continue no character: no UTF-8 there, so cut where they stand.
    csManifest += "2 = ab" + std::string(40, '\x80') + "\n";
    const ImageDLLInterface images(pack(csManifest));
    EXPECT_EQ(std::string(31, 'x'), images.getDLLDisplayName());
    EXPECT_EQ(std::string(30, 'a'), images.getDisplayNameForGroup(1));
    EXPECT_EQ("ab" + std::string(29, '\x80'), images.getDisplayNameForGroup(2));
}

TEST_F(ImageDLLInterfaceTest, LogsMissingRequiredExportsInOneLine) {
    fixtures::TraceCapture trace;
    const ImageDLLInterface images(
        pack(manifestWithout(5, "getNumImageGroups,getDisplayNameForGroup")));
    EXPECT_NE(nullptr, images.getModuleHandle());
    EXPECT_EQ(-1, images.getNumImageGroups());
    EXPECT_EQ("", images.getDisplayNameForGroup(1));
    EXPECT_EQ(2, images.getNumImagesForGroup(1));
    const std::vector<std::string> expected = {
        std::string(kPrefix) + "Unable to load function(s)  getnumimagegroups getgroupdisplayname"};
    EXPECT_EQ(expected, trace.lines());
}

TEST_F(ImageDLLInterfaceTest, ListsEveryRequiredExportInBindingOrder) {
    fixtures::TraceCapture trace;
    const ImageDLLInterface images(pack("[pack]\nformat = 1\n"));
    const std::vector<std::string> expected = {
        std::string(kPrefix) +
        "Unable to load function(s)  getnumitemsforgroup getboxlocationforimage "
        "getgroupforskycode getnumimagegroups getbordercolorforimage getdlldisplayname "
        "getdllversionnumber getgroupdisplayname"};
    EXPECT_EQ(expected, trace.lines());
    EXPECT_NE(nullptr, images.getModuleHandle());
}

TEST_F(ImageDLLInterfaceTest, MissingOptionalExportsAreNotLogged) {
    fixtures::TraceCapture trace;
    const ImageDLLInterface images(pack(manifestWithout(
        5, "getIconPath,supportsWxTriggered,getColorForWeatherText,getColorForLocationText,"
           "getColorForTemperatureText")));
    EXPECT_TRUE(trace.lines().empty());
    EXPECT_EQ("\\invalid version\\", images.getIconPath());
    EXPECT_TRUE(images.supportsWxTriggered());
    EXPECT_EQ(0xFFFFFFu, images.getColorForLocationText(1, 1));
}

TEST_F(ImageDLLInterfaceTest, APathThatNamesNoFileIsLoggedOnce) {
    fixtures::TraceCapture trace;
    const std::string csPath = m_folder.file("absent.wxs");
    const ImageDLLInterface images(csPath);
    expectAllFallbacks(images);
    const std::vector<std::string> expected = {std::string(kPrefix) + "Unable to load library " +
                                               csPath};
    EXPECT_EQ(expected, trace.lines());
}

TEST_F(ImageDLLInterfaceTest, AManifestThatDoesNotParseMeansNotLoaded) {
    const std::vector<std::string> broken = {
        "this is not a manifest",
        "[pack]\nformat = 9\n",
        completeManifest(5) + "[getNumImageGroups]\nvalue = 3\n",
        manifestWithout(5, "getNumImageGroups") + "[getNumImageGroups]\nvalue = many\n",
        manifestWithout(5, "getBorderColorForImage") + "[getBorderColorForImage]\n1 = red\n",
        manifestWithout(5, "getNumImagesForGroup") + "[getNumImagesForGroup]\n1.1 = 2\n",
        manifestWithout(5, "getIconPath") + "[getIconPath]\nvalue = ../../etc/\n",
        manifestWithout(5, "getIconPath") + "[getIconPath]\nvalue = /usr/share/\n",
        manifestWithout(5, "getDLLVersionNumber") + "[getDLLVersionNumber]\nnumber = 5\n",
    };
    for (const std::string& csManifest : broken) {
        fixtures::TraceCapture trace;
        const std::string csPath = pack(csManifest);
        const ImageDLLInterface images(csPath);
        expectAllFallbacks(images);
        EXPECT_EQ(1u, trace.lines().size()) << csManifest;
    }
}

TEST(PackResourceNames, FollowTheNumberingOfGroupsAndImages) {
    EXPECT_EQ("#307", photoResourceName(3, 7));
    EXPECT_EQ("#10307", thumbnailResourceName(3, 7));
    EXPECT_EQ("#1207", photoResourceName(12, 7));
    EXPECT_EQ("#11207", thumbnailResourceName(12, 7));
    EXPECT_EQ("#10999", thumbnailResourceName(9, 99));
    EXPECT_EQ("#11001", thumbnailResourceName(10, 1));
    EXPECT_EQ("#5000", iconResourceName(0));
    EXPECT_EQ("#5048", iconResourceName(48));
}

TEST(PackResourceNames, MapOntoArchiveEntries) {
    EXPECT_EQ("JPEG/307.jpg", resourceEntryName("#307", "JPEG"));
    EXPECT_EQ("JPEG/5099.jpg", resourceEntryName(kPanelResourceName, kJpegResourceType));
    EXPECT_EQ("JPEG/65535.jpg", resourceEntryName("#65535", "JPEG"));
    for (const char* szBad : {"307", "#", "#0", "#0307", "#65536", "#3a7", "#-3", "# 307"}) {
        EXPECT_EQ("", resourceEntryName(szBad, "JPEG")) << szBad;
    }
    EXPECT_EQ("", resourceEntryName("#307", "PNG"));
    EXPECT_EQ("", resourceEntryName("#307", "jpeg"));
}

TEST_F(ImageDLLInterfaceTest, FindsResourcesThroughTheModuleHandle) {
    const std::string csPath = m_folder.file("with-pictures.wxs");
    const std::string jpeg = fixtures::jpegOf(fixtures::solidSurface(4, 4, 0x123456));
    fixtures::writePack(csPath, completeManifest(5), {{1207, jpeg}, {5099, jpeg}});
    const ImageDLLInterface images(csPath);
    const PackModule hModule = images.getModuleHandle();
    const PackResource photo = findResource(hModule, photoResourceName(12, 7), "JPEG");
    ASSERT_TRUE(photo);
    EXPECT_EQ(jpeg.size(), sizeofResource(hModule, photo));
    std::string data;
    std::string csError;
    ASSERT_TRUE(loadResource(hModule, photo, data, csError)) << csError;
    EXPECT_EQ(jpeg, data);
    EXPECT_TRUE(findResource(hModule, kPanelResourceName, "JPEG"));
    EXPECT_FALSE(findResource(hModule, "#307", "JPEG"));
    EXPECT_FALSE(findResource(nullptr, "#1207", "JPEG"));
    EXPECT_EQ(0u, sizeofResource(nullptr, photo));
}

} // namespace
