#include "slideshow/ImageDLLInterface.h"
#include "slideshow/PackFixtures.h"
#include "slideshow/ResourceNames.h"
#include "support/TempFolder.h"
#include "tools/wxs-pack/PackInspection.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

using fixtures::jpegOf;
using fixtures::solidSurface;

// A pack folder with every picture a version-4 pack of two groups needs.
class PackFolder {
public:
    explicit PackFolder(const testing_support::TempFolder& root) : m_csPath(root.file("src/")) {
        mkdir(m_csPath.c_str(), 0755);
        mkdir((m_csPath + "JPEG").c_str(), 0755);
        const std::string photo = jpegOf(solidSurface(32, 18, 0x4080C0));
        const std::string thumbnail = jpegOf(solidSurface(120, 90, 0x4080C0));
        const std::string icon = jpegOf(solidSurface(16, 16, 0xFFFFFF));
        for (int g = 1; g <= 2; ++g) {
            for (int i = 1; i <= 2; ++i) {
                picture(100 * g + i, photo);
                picture(10000 + 100 * g + i, thumbnail);
            }
        }
        for (int n = 0; n <= 48; ++n) {
            picture(5000 + n, icon);
        }
        picture(5098, icon);
        picture(5099, jpegOf(solidSurface(300, 90, 0x1F4E9A)));
        std::string csManifest = fixtures::manifestWithout(4, "getGroupForSkyCode");
        csManifest += "[getGroupForSkyCode]\ndefault = 1\n31 = 2\n";
        manifest(csManifest);
    }

    void picture(int nIdentifier, const std::string& data) const {
        write("JPEG/" + std::to_string(nIdentifier) + ".jpg", data);
    }
    void manifest(const std::string& csText) const { write("manifest.ini", csText); }
    void write(const std::string& csName, const std::string& data) const {
        std::FILE* pFile = std::fopen((m_csPath + csName).c_str(), "wb");
        ASSERT_NE(nullptr, pFile);
        std::fwrite(data.data(), 1, data.size(), pFile);
        std::fclose(pFile);
    }
    void remove(const std::string& csName) const { std::remove((m_csPath + csName).c_str()); }
    const std::string& path() const { return m_csPath; }

private:
    std::string m_csPath;
};

class WxsPackTest : public ::testing::Test {
protected:
    WxsPackTest() : m_source(m_folder) {}

    bool build() { return buildPack(m_source.path(), m_csPack, m_errors); }
    int validate() {
        m_report.str("");
        return validatePack(m_csPack, "", m_report);
    }

    testing_support::TempFolder m_folder;
    PackFolder m_source;
    std::string m_csPack = m_folder.file("built.wxs");
    std::ostringstream m_errors;
    std::ostringstream m_report;
};

TEST_F(WxsPackTest, BuildsAPackThatLoadsAndValidates) {
    ASSERT_TRUE(build()) << m_errors.str();
    const ImageDLLInterface pack(m_csPack);
    EXPECT_EQ(4, pack.getDLLVersionNumber());
    EXPECT_EQ(2, pack.getGroupForSkyCode(31));
    EXPECT_TRUE(findResource(pack.getModuleHandle(), thumbnailResourceName(2, 2), "JPEG"));
    EXPECT_EQ(0, validate()) << m_report.str();
}

TEST_F(WxsPackTest, RefusesToBuildFromBadInputAndWritesNothing) {
    m_source.manifest("[pack]\nformat = 1\n[getNumImageGroups]\nvalue = -3\n");
    EXPECT_FALSE(build());
    m_source.manifest(fixtures::completeManifest(4));
    m_source.write("JPEG/0101.jpg", "x");
    EXPECT_FALSE(build());
    EXPECT_NE(std::string::npos, m_errors.str().find("0101.jpg")) << m_errors.str();
    m_source.remove("JPEG/0101.jpg");
    m_source.write("JPEG/102.jpg", "not a picture");
    EXPECT_FALSE(build());
    struct stat info;
    EXPECT_NE(0, stat(m_csPack.c_str(), &info));
    EXPECT_FALSE(buildPack(m_folder.file("no-such-folder"), m_csPack, m_errors));
}

TEST_F(WxsPackTest, ValidationFindsWhatIsMissingOrWrong) {
    m_source.remove("JPEG/202.jpg");
    m_source.picture(10101, jpegOf(solidSurface(60, 45, 0)));
    m_source.remove("JPEG/5098.jpg");
    m_source.manifest(fixtures::manifestWithout(4, "getDLLDisplayName,getGroupForSkyCode") +
                      "[getGroupForSkyCode]\n32 = 9\n[getAnswer]\nvalue = 42\n");
    ASSERT_TRUE(build()) << m_errors.str();
    EXPECT_EQ(4, validate()) << m_report.str();
    const std::string csReport = m_report.str();
    for (const char* szExpected :
         {"error: group 2 photo #202 is missing", "error: condition icon #5098 is missing",
          "error: required section [getDLLDisplayName] is missing",
          "error: sky code 32 names group 9", "warning: group 1 thumbnail #10101 is 60x45",
          "warning: unknown section [getAnswer]"}) {
        EXPECT_NE(std::string::npos, csReport.find(szExpected)) << szExpected << "\n" << csReport;
    }
}

TEST_F(WxsPackTest, NumbersBeyondTheResourceNamesAreRefused) {
    struct Case {
        const char* szSection;
        const char* szBody;
        const char* szError;
    };
    const Case cases[] = {
        {"getNumImageGroups", "value = 50\n",
         "[getNumImageGroups] value: invalid count \"50\" (0 to 49)"},
        {"getNumImagesForGroup", "1 = 2\n2 = 100\n",
         "[getNumImagesForGroup] 2: invalid value \"100\" (expected a count from 0 to 99)"},
        {"getDisplayNameForGroup", "50 = Far away\n",
         "[getDisplayNameForGroup] 50: not a valid key"},
        {"getBorderColorForImage", "1.100 = #000000\n",
         "[getBorderColorForImage] 1.100: not a valid key (default, or groups 1 to 49 with "
         "images 1 to 99)"},
        {"getGroupForSkyCode", "32 = 50\n",
         "[getGroupForSkyCode] 32: invalid group \"50\" (-1 or 1 to 49)"},
        {"getBoxLocationForImage", "default = upper-left 0 -8193\n",
         "[getBoxLocationForImage] default: invalid value \"upper-left 0 -8193\""},
    };
    for (const Case& test : cases) {
        const std::string csManifest = fixtures::manifestWithout(4, test.szSection) + "[" +
                                       test.szSection + "]\n" + test.szBody;
        m_source.manifest(csManifest);
        m_errors.str("");
        EXPECT_FALSE(build());
        EXPECT_NE(std::string::npos, m_errors.str().find(test.szError)) << m_errors.str();

        fixtures::writePack(m_csPack, csManifest);
        EXPECT_FALSE(ImageDLLInterface(m_csPack).isLoaded()) << test.szSection;
        EXPECT_EQ(1, validate());
        EXPECT_NE(std::string::npos,
                  m_report.str().find(std::string("error: the pack does not load: manifest.ini ") +
                                      test.szError))
            << m_report.str();
    }
    m_source.manifest(fixtures::manifestWithout(4, "getNumImageGroups,getGroupForSkyCode") +
                      "[getNumImageGroups]\nvalue = 49\n[getGroupForSkyCode]\ndefault = -1\n"
                      "7 = 49\n");
    m_source.write("JPEG/4999.jpg", jpegOf(solidSurface(32, 18, 0)));
    EXPECT_TRUE(build()) << "the last group and image still fit: " << m_errors.str();
}

TEST_F(WxsPackTest, ValidationOfAVersionFivePackLooksForIconFiles) {
    m_source.manifest(fixtures::completeManifest(5));
    ASSERT_TRUE(build());
    EXPECT_EQ(49, validate());
    EXPECT_NE(std::string::npos, m_report.str().find("test-icons/na.png is missing"));
}

TEST_F(WxsPackTest, InfoListsEveryAnswerGroupByGroup) {
    ASSERT_TRUE(build());
    std::ostringstream out;
    EXPECT_TRUE(printPackInfo(m_csPack, out));
    const std::string csInfo = out.str();
    for (const char* szExpected :
         {"getDLLVersionNumber: 4", "getDLLDisplayName: \"Test Skies\"",
          "getIconPath: \"\\invalid version\\\"", "group 2: \"Night\", 2 image(s)",
          "image 1: box 4 (lower-right) at 20,30", "photo #201: 32x18", "thumbnail #10202: 120x90",
          "31->2", "panel artwork #5099: 300x90",
          "condition icons #5000-#5048: 49 of 49 present"}) {
        EXPECT_NE(std::string::npos, csInfo.find(szExpected)) << szExpected << "\n" << csInfo;
    }
    EXPECT_FALSE(printPackInfo(m_folder.file("missing.wxs"), out));
}

TEST_F(WxsPackTest, TheCommandExitsNonZeroOnABrokenPack) {
    m_source.remove("JPEG/101.jpg");
    ASSERT_TRUE(build());
    const std::string csCommand = std::string(WXS_PACK_PATH) + " validate " + m_csPack;
    const int nStatus = std::system((csCommand + " > /dev/null").c_str());
    ASSERT_TRUE(WIFEXITED(nStatus));
    EXPECT_EQ(1, WEXITSTATUS(nStatus));
    const int nUsage = std::system((std::string(WXS_PACK_PATH) + " 2> /dev/null").c_str());
    EXPECT_EQ(2, WEXITSTATUS(nUsage));
}

} // namespace
