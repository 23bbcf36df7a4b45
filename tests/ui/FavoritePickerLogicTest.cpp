// The favourite picker without its window: the entries read from a pack,
// the count label and what OK makes of a selection.
#include "RecordedBoxes.h"
#include "slideshow/ImageDLLInterface.h"
#include "slideshow/PackFixtures.h"
#include "slideshow/TraceCapture.h"
#include "support/TempFolder.h"
#include "ui/FavoriteThumbnails.h"
#include "ui/SelectImageLogic.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <numeric>
#include <sstream>

namespace {

using Keys = std::vector<std::string>;

// A manifest of nGroups groups of nImages images each, the groups named
// "Sky <g>" unless bNamed is false.
std::string manifestOf(int nGroups, int nImages, bool bNamed = true) {
    std::ostringstream text;
    text << "[pack]\nformat = 1\n\n[getNumImageGroups]\nvalue = " << nGroups
         << "\n\n[getNumImagesForGroup]\ndefault = " << nImages << "\n\n[getDLLVersionNumber]\n"
         << "value = 5\n\n[getDisplayNameForGroup]\n";
    for (int g = 1; bNamed && g <= nGroups; ++g) {
        text << g << " = Sky " << g << "\n";
    }
    return text.str();
}

// A thumbnail whose colour says which image it is.
std::uint32_t colourOf(int nGroup, int nImage) {
    return static_cast<std::uint32_t>(nGroup * 20) << 16 | static_cast<std::uint32_t>(nImage * 20);
}

class FavoriteItemsTest : public ::testing::Test {
protected:
    // Every image of the pack with a 120 x 90 thumbnail, except those in
    // `changed`, which get the data given (empty: no thumbnail at all).
    std::string writePack(int nGroups, int nImages, const std::map<int, std::string>& changed = {},
                          bool bNamed = true) {
        std::map<int, std::string> jpegs;
        for (int g = 1; g <= nGroups; ++g) {
            for (int i = 1; i <= nImages; ++i) {
                jpegs[10000 + 100 * g + i] =
                    fixtures::jpegOf(fixtures::solidSurface(120, 90, colourOf(g, i)));
            }
        }
        for (const auto& [nId, data] : changed) {
            if (data.empty()) {
                jpegs.erase(nId);
            } else {
                jpegs[nId] = data;
            }
        }
        const std::string path = m_folder.file("test.wxs");
        fixtures::writePack(path, manifestOf(nGroups, nImages, bNamed), jpegs);
        return path;
    }

    static bool near(std::uint32_t a, std::uint32_t b) {
        for (int shift : {0, 8, 16}) {
            if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                         static_cast<int>((b >> shift) & 0xFF)) > 8) {
                return false;
            }
        }
        return true;
    }

    testing_support::TempFolder m_folder;
};

TEST_F(FavoriteItemsTest, ListsEveryImageInPackOrderWithCaptionsFlagsAndKeys) {
    const ImageDLLInterface pack(writePack(2, 3));
    const FavoriteItems items = readFavoriteItems(pack, "01,02;02,03");
    EXPECT_EQ(items.keys, (Keys{"01,01", "01,02", "01,03", "02,01", "02,02", "02,03"}));
    EXPECT_EQ(items.captions,
              (Keys{"Sky 1 - 1", "Sky 1 - 2", "Sky 1 - 3", "Sky 2 - 1", "Sky 2 - 2", "Sky 2 - 3"}));
    EXPECT_EQ(items.selected, (std::vector<bool>{false, true, false, false, false, true}));
    ASSERT_EQ(items.thumbnails.size(), 6u);
    EXPECT_TRUE(near(items.thumbnails[4].at(60, 45), colourOf(2, 2)));
}

TEST_F(FavoriteItemsTest, ReadsTheThumbnailNamesOfTwelveGroups) {
    const ImageDLLInterface pack(writePack(12, 1));
    const FavoriteItems items = readFavoriteItems(pack, "");
    ASSERT_EQ(items.size(), 12u);
    // #10101 ... #10901, then #11001 ... #11201: each shows its own colour.
    for (int g = 1; g <= 12; ++g) {
        EXPECT_EQ(items.keys[static_cast<std::size_t>(g - 1)], favoriteKey(g, 1));
        EXPECT_TRUE(
            near(items.thumbnails[static_cast<std::size_t>(g - 1)].at(5, 5), colourOf(g, 1)))
            << "group " << g;
    }
}

TEST_F(FavoriteItemsTest, AnOddlyShapedThumbnailKeepsEveryLaterItemAligned) {
    // 01,02's thumbnail would shrink across and grow down: it is listed,
    // letterboxed, and the items after it keep their own pictures and keys.
    const ImageDLLInterface pack(
        writePack(1, 4, {{10102, fixtures::jpegOf(fixtures::solidSurface(240, 40, 0xFFFFFF))}}));
    const FavoriteItems items = readFavoriteItems(pack, "");
    ASSERT_EQ(items.size(), 4u);
    ASSERT_EQ(items.thumbnails.size(), 4u);
    EXPECT_EQ(items.keys, (Keys{"01,01", "01,02", "01,03", "01,04"}));
    EXPECT_TRUE(near(items.thumbnails[1].at(60, 45), 0xFFFFFF));
    EXPECT_EQ(items.thumbnails[1].at(60, 2), 0u);
    for (std::size_t i : {0u, 2u, 3u}) {
        EXPECT_TRUE(near(items.thumbnails[i].at(60, 45), colourOf(1, static_cast<int>(i) + 1)));
    }
    // Picking the third thumbnail shown stores the third key.
    EXPECT_EQ(SelectImageLogic(items.keys).onOK({2}), "01,03");
}

TEST_F(FavoriteItemsTest, LargeThumbnailsAreScaledToTheListSize) {
    const ImageDLLInterface pack(
        writePack(1, 2,
                  {{10101, fixtures::jpegOf(fixtures::quadrantSurface(961, 721))},
                   {10102, fixtures::jpegOf(fixtures::solidSurface(60, 45, 0x3366CC))}}));
    const FavoriteItems items = readFavoriteItems(pack, "");
    ASSERT_EQ(items.size(), 2u);
    const PixelBuffer& quadrants = items.thumbnails[0];
    EXPECT_EQ(quadrants.width, 120);
    EXPECT_EQ(quadrants.height, 90);
    EXPECT_TRUE(near(quadrants.at(10, 10), 0xFF0000));
    EXPECT_TRUE(near(quadrants.at(110, 10), 0x00FF00));
    EXPECT_TRUE(near(quadrants.at(10, 80), 0x0000FF));
    EXPECT_TRUE(near(quadrants.at(110, 80), 0xFFFFFF));
    EXPECT_TRUE(near(items.thumbnails[1].at(119, 89), 0x3366CC));
}

TEST_F(FavoriteItemsTest, MissingOrBrokenThumbnailsAreLeftOutAndLogged) {
    fixtures::TraceCapture trace;
    std::string damaged = fixtures::jpegOf(fixtures::solidSurface(120, 90, 0x808080));
    damaged.resize(damaged.size() / 2);
    const ImageDLLInterface pack(
        writePack(1, 4, {{10102, ""}, {10103, "not a picture"}, {10104, damaged}}));
    const FavoriteItems items = readFavoriteItems(pack, "01,01;01,02;01,03;01,04");
    EXPECT_EQ(items.keys, Keys{"01,01"});
    EXPECT_EQ(items.captions.size(), 1u);
    EXPECT_EQ(items.selected.size(), 1u);
    EXPECT_EQ(items.thumbnails.size(), 1u);

    const std::vector<std::string> lines = trace.lines();
    const auto logged = [&](const std::string& text) {
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.find(text) != std::string::npos;
        });
    };
    const std::string prefix = "CSaverDlg::OnButtonSelectFavoriteImages() - ";
    EXPECT_TRUE(logged(prefix + "FindResource() failed, imagedll->getModuleHandle() = "));
    EXPECT_TRUE(logged(", imageIdentifier = #10102"));
    EXPECT_TRUE(
        logged(prefix + "currentImage->LoadResource() failed to load, imageIdentifier = #10103"));
    EXPECT_TRUE(
        logged(prefix + "currentImage->LoadResource() failed to load, imageIdentifier = #10104"));
}

TEST_F(FavoriteItemsTest, PacksWithoutGroupNamesOrThatDoNotLoadStillWork) {
    const ImageDLLInterface unnamed(writePack(2, 1, {}, false));
    EXPECT_EQ(readFavoriteItems(unnamed, "").captions, (Keys{"Group 1 - 1", "Group 2 - 1"}));
    EXPECT_EQ(favoriteCaption("Rain", 3, 7), "Rain - 7");

    const std::string notAPack = m_folder.file("broken.wxs");
    { std::ofstream(notAPack) << "no archive"; }
    const ImageDLLInterface broken(notAPack);
    EXPECT_EQ(readFavoriteItems(broken, "01,01").size(), 0u);
    EXPECT_EQ(readFavoriteItems(ImageDLLInterface(), "").size(), 0u);
}

TEST(SelectImageLogic, CountLabel) {
    EXPECT_EQ(SelectImageLogic::countText(1), "1 item selected");
    EXPECT_EQ(SelectImageLogic::countText(0), "0 items selected");
    EXPECT_EQ(SelectImageLogic::countText(35), "35 items selected");
}

TEST(SelectImageLogic, OkGivesTheKeysInListOrderNotClickOrder) {
    location_test::RecordedBoxes boxes;
    const SelectImageLogic logic({"01,01", "01,02", "01,03", "01,04", "02,01", "02,02", "02,03"});
    EXPECT_EQ(logic.onOK({6, 0, 3}), "01,01;01,04;02,03");
    EXPECT_EQ(logic.onOK({}), "");
    EXPECT_EQ(logic.onOK({4}), "02,01");
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST(SelectImageLogic, ThirtyFiveAreAcceptedThirtySixRefused) {
    location_test::RecordedBoxes boxes;
    Keys keys;
    for (int i = 1; i <= 40; ++i) {
        keys.push_back(favoriteKey(1 + i / 10, i % 10 + 1));
    }
    const SelectImageLogic logic(keys);
    std::vector<int> selected(35);
    std::iota(selected.begin(), selected.end(), 0);
    const std::optional<std::string> accepted = logic.onOK(selected);
    ASSERT_TRUE(accepted);
    EXPECT_EQ(std::count(accepted->begin(), accepted->end(), ';'), 34);
    EXPECT_TRUE(boxes.boxes().empty());

    selected.push_back(39);
    EXPECT_FALSE(logic.onOK(selected));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].title, "Note");
    EXPECT_EQ(boxes.boxes()[0].text, "There can be no more than 35 images selected");
    EXPECT_EQ(boxes.boxes()[0].icon, platform::MessageBoxIcon::Exclamation);
}

} // namespace
