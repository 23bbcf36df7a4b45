#include "slideshow/PackManifest.h"

#include "slideshow/ManifestValues.h"

#include <gtest/gtest.h>

namespace {

std::string parseError(const std::string& csText) {
    PackManifest manifest;
    std::string csError;
    return manifest.parse(csText, csError) ? std::string() : csError;
}

TEST(PackManifestSyntax, ReadsSectionsKeysAndComments) {
    PackManifest manifest;
    std::string csError;
    ASSERT_TRUE(manifest.parse("\xEF\xBB\xBF; made by hand\r\n[pack]\r\nformat = 1\r\n\r\n"
                               "# groups\n[getDisplayNameForGroup]\n 1 =  Clear day \n2=\n",
                               csError))
        << csError;
    const PackManifest::Section* pNames = manifest.section("getDisplayNameForGroup");
    ASSERT_NE(nullptr, pNames);
    EXPECT_EQ("Clear day", *pNames->find("1"));
    EXPECT_EQ("", *pNames->find("2"));
    EXPECT_EQ(nullptr, pNames->find("3"));
    EXPECT_EQ(nullptr, manifest.section("getdisplaynameforgroup"));
}

TEST(PackManifestSyntax, RefusesWhatDoesNotParse) {
    EXPECT_NE("", parseError(""));
    EXPECT_NE("", parseError("[pack]\n"));
    EXPECT_NE("", parseError("[pack]\nformat = one\n"));
    EXPECT_NE("", parseError("[pack]\nformat = 2\n"));
    EXPECT_NE("", parseError("format = 1\n[pack]\n"));
    EXPECT_NE("", parseError("[pack]\nformat = 1\njust words\n"));
    EXPECT_NE("", parseError("[pack]\nformat = 1\n[pack\n"));
    EXPECT_NE("", parseError("[pack]\nformat = 1\n[]\n"));
    EXPECT_NE("", parseError("[pack]\nformat = 1\n = 3\n"));
    EXPECT_NE("", parseError(std::string("[pack]\nformat = 1\n\0\n", 21)));
    EXPECT_NE("", parseError("[pack]\nformat = 1\nx = " + std::string(5000, 'a') + "\n"));
    EXPECT_NE(
        "", parseError("[pack]\nformat = 1\n; " + std::string(PackManifest::kMaxSize, ';') + "\n"));
}

TEST(PackManifestSyntax, RefusesRepeatsAndNamesTheLine) {
    const std::string csError = parseError("[pack]\nformat = 1\n[a]\nx = 1\n[a]\n");
    EXPECT_NE(std::string::npos, csError.find("line 5")) << csError;
    EXPECT_NE("", parseError("[pack]\nformat = 1\n[a]\nx = 1\nx = 2\n"));
}

TEST(ManifestValueSyntax, NumbersColoursBoxesAndKeys) {
    int n = 0;
    EXPECT_TRUE(parseManifestInt("-17", n));
    EXPECT_EQ(-17, n);
    EXPECT_TRUE(parseManifestInt("+5", n));
    EXPECT_FALSE(parseManifestInt("2147483648", n));
    EXPECT_FALSE(parseManifestInt("12a", n));
    EXPECT_FALSE(parseManifestInt("+", n));

    COLORREF colour = 0;
    EXPECT_TRUE(parseManifestColour("#FF8000", colour));
    EXPECT_EQ(0x0080FFu, colour);
    EXPECT_EQ("#FF8000", colourToManifest(colour));
    EXPECT_FALSE(parseManifestColour("FF8000", colour));
    EXPECT_FALSE(parseManifestColour("#FF80", colour));
    EXPECT_FALSE(parseManifestColour("#GG8000", colour));

    BoxPlacement box;
    EXPECT_TRUE(parseManifestBox("lower-right 20 -30", box));
    EXPECT_EQ(4, box.nLocation);
    EXPECT_EQ(-30, box.nOffsetY);
    EXPECT_TRUE(parseManifestBox("7 0 0", box));
    EXPECT_EQ(7, box.nLocation);
    EXPECT_FALSE(parseManifestBox("lower-right 20", box));
    EXPECT_FALSE(parseManifestBox("sideways 1 2", box));
    EXPECT_FALSE(parseManifestBox("1 2 3 4", box));

    ManifestKey key;
    EXPECT_TRUE(parseManifestKey("12.7", true, key));
    EXPECT_EQ(12, key.nGroup);
    EXPECT_EQ(7, key.nImage);
    EXPECT_FALSE(parseManifestKey("12.7", false, key));
    EXPECT_FALSE(parseManifestKey("0", true, key));
    EXPECT_FALSE(parseManifestKey("1.", true, key));
    EXPECT_FALSE(parseManifestKey("Default", true, key));
}

} // namespace
