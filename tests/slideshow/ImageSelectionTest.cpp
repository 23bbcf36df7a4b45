#include "SelectionTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <utility>

using namespace selection_testing;
using ::testing::ElementsAre;

namespace {

using Photo = std::pair<int, int>;

class ImageSelectionTest : public ::testing::Test, public SelectionTest {
protected:
    Photo nextPhoto(const ImageDLLInterface& pack, const ImageSelectionSettings& settings) {
        WxImageInfo info = next(pack, settings);
        return {info.group, info.image};
    }

    const ImageSelectionSettings kFavorites0302And0105{2, 1, "03,02;01,05", 0};
    const ImageSelectionSettings kSequential{3, 2, "", 0};
    const ImageSelectionSettings kAllRandom{3, 1, "", 0};
    const ImageSelectionSettings kWeather{1, 1, "", 32};
};

TEST_F(ImageSelectionTest, FavouritesAreVisitedInPackOrderAndWrapAround) {
    auto pack = loadPack(m_folder, "three-by-ten.wxs", PackDescription({10, 10, 10}));
    m_clock.m_nSeconds = 24; // group 24 mod 3 + 1 = 1, image 24 mod 10 + 1 = 5

    WxImageInfo first = next(*pack, kFavorites0302And0105);
    EXPECT_EQ(first.group, 1);
    EXPECT_EQ(first.image, 5);
    EXPECT_EQ(first.imageIdentifier, "#105");
    m_clock.m_nSeconds = 7; // later calls walk on whatever the clock says
    EXPECT_EQ(nextPhoto(*pack, kFavorites0302And0105), Photo(3, 2));
    EXPECT_EQ(nextPhoto(*pack, kFavorites0302And0105), Photo(1, 5));
    EXPECT_EQ(nextPhoto(*pack, kFavorites0302And0105), Photo(3, 2));

    EXPECT_EQ(m_environment.m_lines.front(),
              "CDrawWnd::getNextImageInfoUserSelect(), group = 1, image = 5");
    EXPECT_EQ(m_environment.m_lines.size(), 4u);
}

TEST_F(ImageSelectionTest, FirstFavouriteCallWalksOnWhenTheRandomStartIsNoFavourite) {
    auto pack = loadPack(m_folder, "three-by-ten.wxs", PackDescription({10, 10, 10}));
    m_clock.m_nSeconds = 0; // start at (1, 1)
    EXPECT_EQ(nextPhoto(*pack, kFavorites0302And0105), Photo(1, 5));
    EXPECT_EQ(nextPhoto(*pack, kFavorites0302And0105), Photo(3, 2));
}

TEST_F(ImageSelectionTest, FavouritesOnlyMatchWholeEntries) {
    auto pack = loadPack(m_folder, "twelve-groups.wxs", PackDescription(std::vector<int>(12, 10)));
    m_clock.m_nSeconds = 0;
    // The search for "01,05" must not stop inside the entry "11,05".
    ImageSelectionSettings settings{2, 1, "11,05", 0};
    EXPECT_EQ(nextPhoto(*pack, settings), Photo(11, 5));
    EXPECT_EQ(nextPhoto(*pack, settings), Photo(11, 5));
}

TEST_F(ImageSelectionTest, FavouritesThatNameNoPhotoFallBackToAllRandom) {
    auto pack = loadPack(m_folder, "three-by-ten.wxs", PackDescription({10, 10, 10}));
    ImageSelectionSettings settings{2, 1, "07,01;01,11", 0};
    m_clock.m_nSeconds = 24;
    EXPECT_EQ(nextPhoto(*pack, settings), Photo(1, 5));
    m_clock.m_nSeconds = 25;
    EXPECT_EQ(nextPhoto(*pack, settings), Photo(2, 6));
    EXPECT_THAT(m_environment.m_lines,
                ElementsAre("CDrawWnd::getNextImageInfoAllRandom(), group = 1, image = 5",
                            "CDrawWnd::getNextImageInfoAllRandom(), group = 2, image = 6"));
}

TEST_F(ImageSelectionTest, EmptyFavouritesShowAllPhotosAtRandom) {
    auto pack = loadPack(m_folder, "three-by-ten.wxs", PackDescription({10, 10, 10}));
    m_clock.m_nSeconds = 13;
    EXPECT_EQ(nextPhoto(*pack, {2, 1, "", 0}), Photo(2, 4));
    EXPECT_THAT(m_environment.m_lines,
                ElementsAre("CDrawWnd::getNextImageInfoAllRandom(), group = 2, image = 4"));
}

TEST_F(ImageSelectionTest, FavouriteSearchEndsWhenThePackCountsDoNotAddUp) {
    // The pack reports two groups but answers counts for a fifth, so a walk
    // starting there never comes back to its start.
    PackDescription inconsistent({2, 2});
    inconsistent.csExtraImageCounts = "5 = 4\n";
    auto fiveGroups = loadPack(m_folder, "five.wxs", PackDescription({1, 1, 1, 1, 4}));
    auto pack = loadPack(m_folder, "inconsistent.wxs", inconsistent);

    m_clock.m_nSeconds = 4; // (5, 1) in the five-group pack
    EXPECT_EQ(nextPhoto(*fiveGroups, {2, 1, "05,01", 0}), Photo(5, 1));
    m_clock.m_nSeconds = 3;
    EXPECT_EQ(nextPhoto(*pack, {2, 1, "09,09", 0}), Photo(2, 2));
    EXPECT_EQ(m_environment.m_lines.back(),
              "CDrawWnd::getNextImageInfoAllRandom(), group = 2, image = 2");
}

TEST_F(ImageSelectionTest, SequentialOrderWalksTheWholePackAndWraps) {
    auto pack = loadPack(m_folder, "three-and-two.wxs", PackDescription({3, 2}));
    m_clock.m_nSeconds = 2; // group 2 mod 2 + 1 = 1, image 2 mod 3 + 1 = 3
    std::vector<Photo> walk;
    for (int n = 0; n < 7; ++n) {
        walk.push_back(nextPhoto(*pack, kSequential));
        m_clock.m_nSeconds = 17 * n % 60;
    }
    EXPECT_THAT(walk, ElementsAre(Photo(1, 3), Photo(2, 1), Photo(2, 2), Photo(1, 1), Photo(1, 2),
                                  Photo(1, 3), Photo(2, 1)));
    EXPECT_EQ(m_environment.m_lines[1],
              "CDrawWnd::getNextImageInfoAllSequentially(), group = 2, image = 1");
}

TEST_F(ImageSelectionTest, ShowAllIsRandomUnlessSequentialIsAsked) {
    auto pack = loadPack(m_folder, "three-by-ten.wxs", PackDescription({10, 10, 10}));
    m_clock.m_nSeconds = 24;
    EXPECT_EQ(nextPhoto(*pack, {3, 1, "", 0}), Photo(1, 5));
    m_clock.m_nSeconds = 31;
    EXPECT_EQ(nextPhoto(*pack, {3, 5, "", 0}), Photo(2, 2));
    for (const std::string& line : m_environment.m_lines) {
        EXPECT_THAT(line, ::testing::StartsWith("CDrawWnd::getNextImageInfoAllRandom()"));
    }
}

TEST_F(ImageSelectionTest, WeatherPicksTheSkyCodesGroupWhenOnline) {
    auto pack = loadPack(m_folder, "three-by-ten.wxs", PackDescription({10, 10, 10}, "32 = 3\n"));
    m_environment.m_bConnected = true;
    m_clock.m_nSeconds = 24;
    EXPECT_EQ(nextPhoto(*pack, kWeather), Photo(3, 5));
    EXPECT_EQ(m_environment.m_lines.back(),
              "CDrawWnd::getNextImageInfoWxTriggered(), group = 3, image = 5");
    // A sky code the pack has no group for, or no connection: a random group.
    EXPECT_EQ(nextPhoto(*pack, {1, 1, "", 40}).first, 1);
    m_environment.m_bConnected = false;
    m_clock.m_nSeconds = 25;
    EXPECT_EQ(nextPhoto(*pack, kWeather).first, 2);
}

TEST_F(ImageSelectionTest, UnknownMethodsActAsWeatherTriggered) {
    auto pack = loadPack(m_folder, "three-by-ten.wxs", PackDescription({10, 10, 10}, "32 = 3\n"));
    m_environment.m_bConnected = true;
    for (int nMethod : {7, 0, -1}) {
        EXPECT_EQ(nextPhoto(*pack, {nMethod, 2, "01,01", 32}).first, 3) << nMethod;
        EXPECT_THAT(m_environment.m_lines.back(),
                    ::testing::StartsWith("CDrawWnd::getNextImageInfoWxTriggered()"));
    }
}

TEST_F(ImageSelectionTest, OneImageGroupNeedsNoWait) {
    auto pack = loadPack(m_folder, "single.wxs", PackDescription({4, 1}, "32 = 2\n"));
    m_environment.m_bConnected = true;
    EXPECT_EQ(nextPhoto(*pack, kWeather), Photo(2, 1));
    EXPECT_EQ(nextPhoto(*pack, kWeather), Photo(2, 1));
    EXPECT_EQ(m_environment.m_nWaits, 0);
}

TEST_F(ImageSelectionTest, TwoImagesAlternateWaitingForTheClock) {
    auto pack = loadPack(m_folder, "pair.wxs", PackDescription({2}));
    m_clock.m_nSeconds = 10;
    EXPECT_EQ(nextPhoto(*pack, kWeather), Photo(1, 1));
    EXPECT_EQ(nextPhoto(*pack, kWeather), Photo(1, 2));
    EXPECT_EQ(m_environment.m_nWaits, 1);
    EXPECT_EQ(nextPhoto(*pack, kWeather), Photo(1, 1));
    EXPECT_EQ(m_environment.m_nWaits, 2);
}

TEST_F(ImageSelectionTest, StuckClockEndsTheWaitWithTheNextImage) {
    auto pack = loadPack(m_folder, "three.wxs", PackDescription({3}));
    m_environment.m_bClockFrozen = true;
    m_clock.m_nSeconds = 2;
    EXPECT_EQ(nextPhoto(*pack, kAllRandom), Photo(1, 3));
    EXPECT_EQ(nextPhoto(*pack, kAllRandom), Photo(1, 1));
    EXPECT_EQ(m_environment.m_nWaits, 1) << "one wait finds the clock stuck";
    EXPECT_EQ(nextPhoto(*pack, kAllRandom), Photo(1, 3));
    EXPECT_EQ(m_environment.m_nWaits, 1);
}

TEST_F(ImageSelectionTest, ANewSecondThatGivesTheSameImageIsWaitedOutToo) {
    auto pack = loadPack(m_folder, "fifty-nine.wxs", PackDescription({59}));
    m_clock.m_nSeconds = 0;
    EXPECT_EQ(nextPhoto(*pack, kAllRandom), Photo(1, 1));
    m_clock.m_nSeconds = 59; // 59 % 59 gives image 1 again, and so does 0
    EXPECT_EQ(nextPhoto(*pack, kAllRandom), Photo(1, 2));
    EXPECT_EQ(m_environment.m_nWaits, 2);
}

TEST_F(ImageSelectionTest, NewGroupForgetsTheLastImage) {
    auto pack =
        loadPack(m_folder, "pair-of-pairs.wxs", PackDescription({2, 2}, "32 = 1\n33 = 2\n"));
    m_environment.m_bConnected = true;
    m_clock.m_nSeconds = 10;
    EXPECT_EQ(nextPhoto(*pack, kWeather), Photo(1, 1));
    EXPECT_EQ(nextPhoto(*pack, {1, 1, "", 33}), Photo(2, 1));
    EXPECT_EQ(m_environment.m_nWaits, 0);
}

TEST_F(ImageSelectionTest, EachChooserKeepsItsOwnMemory) {
    auto pack = loadPack(m_folder, "pair.wxs", PackDescription({2}));
    m_clock.m_nSeconds = 10;
    EXPECT_EQ(nextPhoto(*pack, kWeather), Photo(1, 1));
    EXPECT_EQ(nextPhoto(*pack, kAllRandom), Photo(1, 1));
    EXPECT_EQ(m_environment.m_nWaits, 0);
}

TEST_F(ImageSelectionTest, MemorySurvivesAPackChange) {
    auto first = loadPack(m_folder, "three-by-ten.wxs", PackDescription({10, 10, 10}));
    auto second = loadPack(m_folder, "three-and-two.wxs", PackDescription({3, 2}));
    m_clock.m_nSeconds = 23; // (3, 4)
    EXPECT_EQ(nextPhoto(*first, kSequential), Photo(3, 4));
    // The new pack has no such photo: the walk wraps at its limits.
    EXPECT_EQ(nextPhoto(*second, kSequential), Photo(1, 1));
    EXPECT_EQ(nextPhoto(*first, kSequential), Photo(1, 2));

    // The random choosers still avoid the photo shown last.
    m_clock.m_nSeconds = 0;
    EXPECT_EQ(nextPhoto(*first, kAllRandom), Photo(1, 1));
    EXPECT_EQ(nextPhoto(*second, kAllRandom), Photo(1, 2));
    EXPECT_EQ(m_environment.m_nWaits, 1);
}

TEST_F(ImageSelectionTest, FailedClockReadingKeepsItsSignInTheRemainder) {
    auto pack = loadPack(m_folder, "three-by-ten.wxs", PackDescription({10, 10, 10}));
    auto single = loadPack(m_folder, "single-group.wxs", PackDescription({10}));
    m_clock.m_nSeconds = -1;
    EXPECT_EQ(next(*pack, kAllRandom).group, 0);
    WxImageInfo info = next(*single, kSequential);
    EXPECT_EQ(info.group, 1);
    EXPECT_EQ(info.image, 0);
    EXPECT_EQ(info.imageIdentifier, "#100");
}

} // namespace
