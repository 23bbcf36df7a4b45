#include "ui/EnterLocationLogic.h"

#include "FakeCityChooser.h"
#include "RecordedBoxes.h"
#include "SearchAnswerServer.h"

#include <gtest/gtest.h>

namespace {

class EnterLocationLogicTest : public ::testing::Test {
protected:
    EnterLocationLogicTest() : m_factory(m_server.base()), m_logic(m_factory, m_chooser) {}

    location_test::SearchAnswerServer m_server;
    location_test::RecordedBoxes m_boxes;
    location_test::FakeCityChooser m_chooser;
    ResolveLocationFactory m_factory;
    EnterLocationLogic m_logic;
};

TEST_F(EnterLocationLogicTest, BlanksOnlyAskForALocationWithoutSearching) {
    for (const std::string& typed : {std::string(), std::string("   "), std::string(" \t "),
                                     std::string("\xC2\xA0\xE3\x80\x80")}) {
        m_boxes.clear();
        EXPECT_FALSE(m_logic.onOK(typed));
        ASSERT_EQ(m_boxes.boxes().size(), 1u);
        EXPECT_EQ(m_boxes.boxes()[0].title, "Note");
        EXPECT_EQ(m_boxes.boxes()[0].text, "A valid location is required.");
    }
    EXPECT_EQ(m_server.requestCount(), 0u);
    EXPECT_EQ(m_logic.displayName(), "");
    EXPECT_EQ(m_logic.locationId(), "");
}

TEST_F(EnterLocationLogicTest, AZipCodeWithOneMatchIsTakenAtOnce) {
    m_server.answer("<search><loc id=\"US27101\" type=\"zip\">Winston-Salem, NC</loc></search>");
    EXPECT_TRUE(m_logic.onOK("  27101 "));
    // The text is sent trimmed.
    EXPECT_EQ(m_server.lastTarget(), "/search/search?site=US&where=27101");
    EXPECT_EQ(m_logic.displayName(), "Winston-Salem, NC");
    EXPECT_EQ(m_logic.locationId(), "US27101");
    EXPECT_TRUE(m_chooser.m_offered.empty());
    EXPECT_TRUE(m_boxes.boxes().empty());
}

TEST_F(EnterLocationLogicTest, SeveralMatchesAskAndCancellingTheChoiceKeepsTheDialogOpen) {
    m_server.answer("<search><loc id=\"US1\" type=\"city\">Portland, ME</loc>"
                    "<loc id=\"US2\" type=\"city\">Portland, OR</loc></search>");
    m_chooser.m_nAnswer = -1;
    EXPECT_FALSE(m_logic.onOK("Portland"));
    EXPECT_EQ(m_chooser.m_offered.size(), 1u);
    EXPECT_EQ(m_logic.locationId(), "");

    m_chooser.m_nAnswer = 1;
    EXPECT_TRUE(m_logic.onOK("Portland"));
    EXPECT_EQ(m_logic.displayName(), "Portland, OR");
    EXPECT_EQ(m_logic.locationId(), "US2");
    EXPECT_TRUE(m_boxes.boxes().empty());
}

TEST_F(EnterLocationLogicTest, AFailedSearchShowsTheRecordsTextAndTakesNothing) {
    m_server.answer("", 503);
    EXPECT_FALSE(m_logic.onOK("Portland"));
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes()[0].title, "Nimbora Screensaver");
    EXPECT_EQ(m_boxes.boxes()[0].text, "There was a problem communicating with the server.");

    m_boxes.clear();
    m_server.answer("<search/>");
    EXPECT_FALSE(m_logic.onOK("Nowhere"));
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes()[0].text,
              "The location is invalid.  Please enter another city or Zip code.");
    EXPECT_EQ(m_logic.displayName(), "");
}

} // namespace
