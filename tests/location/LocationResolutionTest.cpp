#include "location/LocationResolution.h"

#include "FakeCityChooser.h"
#include "RecordedBoxes.h"
#include "SearchAnswerServer.h"

#include <gtest/gtest.h>

namespace {

using location_test::FakeCityChooser;
using platform::MessageBoxIcon;

const std::string kThreeSpringfields =
    "<search><loc id=\"US1\" type=\"city\">Springfield, IL</loc>"
    "<loc id=\"US2\" type=\"city\">Springfield, MA</loc>"
    "<loc id=\"US3\" type=\"city\">Springfield, MO</loc></search>";

class LocationResolutionTest : public ::testing::Test {
protected:
    std::optional<ChosenLocation> resolve(const std::string& body) {
        m_server.answer(body);
        return resolveTypedLocation("Springfield", ResolveLocationFactory(m_server.base()),
                                    m_chooser);
    }

    location_test::SearchAnswerServer m_server;
    location_test::RecordedBoxes m_boxes;
    FakeCityChooser m_chooser;
};

TEST_F(LocationResolutionTest, OnePlaceIsTakenWithoutAsking) {
    const auto chosen = resolve("<search><loc id=\"US62701\" type=\"zip\">Springfield, IL</loc>"
                                "</search>");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->displayName, "Springfield, IL");
    EXPECT_EQ(chosen->locationId, "US62701");
    EXPECT_TRUE(m_chooser.m_offered.empty());
    EXPECT_TRUE(m_boxes.boxes().empty());
}

TEST_F(LocationResolutionTest, SeveralPlacesAreOfferedInOrderAndTheChoiceMapsBack) {
    m_chooser.m_nAnswer = 2;
    const auto chosen = resolve(kThreeSpringfields);
    ASSERT_EQ(m_chooser.m_offered.size(), 1u);
    EXPECT_EQ(m_chooser.m_offered[0],
              (std::vector<std::string>{"Springfield, IL", "Springfield, MA", "Springfield, MO"}));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->displayName, "Springfield, MO");
    EXPECT_EQ(chosen->locationId, "US3");

    for (int answer : {-1, 3, 7}) { // cancelled, or an index the list lacks
        m_chooser.m_nAnswer = answer;
        EXPECT_FALSE(resolve(kThreeSpringfields)) << answer;
    }
    EXPECT_TRUE(m_boxes.boxes().empty());
}

TEST_F(LocationResolutionTest, FailuresAndEmptyAnswersAreShownAndTakeNothing) {
    const struct {
        std::string body;
        std::string title;
        std::string text;
    } cases[] = {
        {"not a document", "Nimbora Screensaver",
         "The server responded with something we just could not deal with. Error in "
         "ResolveLocation_Memory_XML: Error document empty.\n"},
        {"<search/>", "Note", "The location is invalid.  Please enter another city or Zip code."},
        // The service's own "not found" reads as not found too.
        {"<error><err type=\"notfound\">Nothing by that name.</err></error>", "Note",
         "The location is invalid.  Please enter another city or Zip code."},
    };
    for (const auto& row : cases) {
        m_boxes.clear();
        EXPECT_FALSE(resolve(row.body)) << row.body;
        ASSERT_EQ(m_boxes.boxes().size(), 1u) << row.body;
        EXPECT_EQ(m_boxes.boxes()[0].title, row.title);
        EXPECT_EQ(m_boxes.boxes()[0].text, row.text);
        EXPECT_EQ(m_boxes.boxes()[0].icon, MessageBoxIcon::None);
    }
    EXPECT_TRUE(m_chooser.m_offered.empty());
}

TEST(CityChoice, StartsOnTheFirstNameAndTakesOnlyIndicesOfTheList) {
    CityChoice choice;
    EXPECT_EQ(choice.m_nSelectedCity, -1);
    EXPECT_EQ(choice.initialSelection(), -1);
    choice.accept(0);
    EXPECT_EQ(choice.m_nSelectedCity, -1);
    choice.m_cityNames = {"A", "B"};
    EXPECT_EQ(choice.initialSelection(), 0);
    choice.accept(1);
    EXPECT_EQ(choice.m_nSelectedCity, 1);
    choice.accept(2);
    EXPECT_EQ(choice.m_nSelectedCity, -1);
}

} // namespace
