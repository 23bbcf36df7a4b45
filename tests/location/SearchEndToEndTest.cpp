// The program's search against the real nimbora-services over the full
// gazetteer: names with blanks, commas, apostrophes and ampersands arrive
// whole because the text travels percent-encoded.
#include "location/ResolveLocationFactory.h"
#include "services/ServicesTestSupport.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

class SearchEndToEndTest : public ::testing::Test {
protected:
    ResolveLocationSearchResults resolve(const std::string& location) {
        return ResolveLocationFactory("http://127.0.0.1:" + std::to_string(s_server->port()))
            .resolveLocation(location, &m_er);
    }

    static void SetUpTestSuite() {
        s_server = new services_test::RunningServer(
            [](ServerConfig& config) { config.gazetteerPath = NIMBORA_GAZETTEER; });
    }
    static void TearDownTestSuite() {
        delete s_server;
        s_server = nullptr;
    }

    static services_test::RunningServer* s_server;
    testing_support::TempFolder m_dataHome;
    testing_support::ScopedEnvironment m_dataHomeVariable{"NIMBORA_DATA_HOME", m_dataHome.path()};
    TOVAKERROR m_er{};
};
services_test::RunningServer* SearchEndToEndTest::s_server = nullptr;

TEST_F(SearchEndToEndTest, PunctuatedNamesFindTheirPlace) {
    auto winstonSalem = resolve("Winston-Salem, NC");
    EXPECT_EQ(m_er.code, 0u) << m_er.message;
    ASSERT_EQ(winstonSalem.getCount(), 1);
    EXPECT_EQ(winstonSalem.getDisplayName(0), "Winston-Salem, NC");
    EXPECT_EQ(winstonSalem.getLocationId(0), "US27101");

    auto coeurDAlene = resolve("Coeur d'Alene");
    EXPECT_EQ(m_er.code, 0u) << m_er.message;
    ASSERT_EQ(coeurDAlene.getCount(), 1);
    EXPECT_EQ(coeurDAlene.getDisplayName(0), "Coeur d'Alene, ID");

    auto stLouis = resolve("St. Louis");
    EXPECT_EQ(m_er.code, 0u) << m_er.message;
    ASSERT_GE(stLouis.getCount(), 2);
    const auto& names = stLouis.getDisplayNames();
    EXPECT_NE(std::find(names.begin(), names.end(), "Saint Louis, MO"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "Saint Louis, MI"), names.end());
}

TEST_F(SearchEndToEndTest, AnAmpersandCannotAddParametersAndFindsNothing) {
    auto results = resolve("Tom & Jerry");
    EXPECT_EQ(m_er.code, 0u) << m_er.message;
    EXPECT_EQ(results.getCount(), 0);
    EXPECT_EQ(results.getSearchLocation(), "Tom & Jerry");

    // Without encoding, "&site=CA" would have become a parameter of its own.
    results = resolve("Portland&site=CA");
    EXPECT_EQ(results.getCount(), 0);
}

TEST_F(SearchEndToEndTest, AZipCodeFindsOnePlace) {
    auto results = resolve("27101");
    EXPECT_EQ(m_er.code, 0u) << m_er.message;
    ASSERT_EQ(results.getCount(), 1);
    EXPECT_EQ(results.getDisplayName(0), "Winston-Salem, NC");
    EXPECT_EQ(results.getLocationType(0), "zip");
}

} // namespace
