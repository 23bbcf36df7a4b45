#include "SearchAnswerServer.h"
#include "location/ResolveLocationFactory.h"
#include "slideshow/TraceCapture.h"
#include "support/LocalHttpServer.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kNotUnderstood =
    "The server responded with something we just could not deal with.";

std::string search(const std::string& locs) {
    return "<?xml version=\"1.0\"?>\n<search>" + locs + "</search>";
}

std::string loc(const std::string& id, const std::string& type, const std::string& name) {
    return "<loc id=\"" + id + "\" type=\"" + type + "\">" + name + "</loc>";
}

class ResolveLocationTest : public ::testing::Test {
protected:
    ResolveLocationSearchResults resolve(const std::string& location) {
        return ResolveLocationFactory(m_server.base()).resolveLocation(location, &m_er);
    }
    ResolveLocationSearchResults resolveAnswer(const std::string& body) {
        m_server.answer(body);
        return resolve("Springfield");
    }
    std::string message() const { return m_er.message; }

    location_test::SearchAnswerServer m_server;
    TOVAKERROR m_er{};
};

TEST_F(ResolveLocationTest, PlacesComeInDocumentOrderWithTheirThreeValues) {
    auto one = resolveAnswer(search(loc("US62701", "zip", "Springfield, IL")));
    EXPECT_EQ(m_er.code, 0u);
    EXPECT_EQ(message(), "");
    ASSERT_EQ(one.getCount(), 1);
    EXPECT_EQ(one.getLocationId(0), "US62701");
    EXPECT_EQ(one.getLocationType(0), "zip");
    EXPECT_EQ(one.getDisplayName(0), "Springfield, IL");
    EXPECT_EQ(one.getSearchLocation(), "Springfield");

    // Other children of the root are passed over.
    auto three = resolveAnswer(search(loc("US1", "city", "Springfield, IL") + "<note>x</note>" +
                                      loc("US2", "city", "Springfield, MA") + "<!-- c -->" +
                                      loc("US3", "city", "Springfield, MO")));
    EXPECT_EQ(m_er.code, 0u);
    EXPECT_EQ(three.getDisplayNames(),
              (std::vector<std::string>{"Springfield, IL", "Springfield, MA", "Springfield, MO"}));
    EXPECT_EQ(three.getLocationId(2), "US3");
    for (int index : {-1, 3, 5}) {
        EXPECT_EQ(three.getLocationId(index), "<invalid index>");
        EXPECT_EQ(three.getLocationType(index), "<invalid index>");
        EXPECT_EQ(three.getDisplayName(index), "<invalid index>");
    }

    auto none = resolveAnswer(search(""));
    EXPECT_EQ(none.getCount(), 0);
    EXPECT_EQ(m_er.code, 0u);
    EXPECT_EQ(message(), "");
}

TEST_F(ResolveLocationTest, IdentifiersAndTypesAreCutTo255CharactersAndNamesAreNot) {
    const std::string longName(300, 'n');
    std::string accented; // two bytes a character
    for (int i = 0; i < 300; ++i) {
        accented += "\xC3\xA9";
    }
    auto results = resolveAnswer(
        search(loc(std::string(300, 'i'), std::string(256, 't'), longName) + loc(accented, "city",
                                                                                 "Orl\xC3\xA9"
                                                                                 "ans")));
    ASSERT_EQ(results.getCount(), 2);
    EXPECT_EQ(results.getLocationId(0), std::string(255, 'i'));
    EXPECT_EQ(results.getLocationType(0), std::string(255, 't'));
    EXPECT_EQ(results.getDisplayName(0), longName);
    // Cut by characters, never inside one.
    EXPECT_EQ(results.getLocationId(1), accented.substr(0, 510));
}

TEST_F(ResolveLocationTest, AnEntryWithoutIdTypeOrNameStopsTheWalkKeepingWhatCameBefore) {
    const std::string first = loc("US1", "city", "Springfield, IL");
    const std::string last = loc("US3", "city", "Springfield, MO");
    const std::string cases[] = {
        "<loc id=\"US2\">Springfield, MA</loc>",                         // no type
        "<loc type=\"city\">Springfield, MA</loc>",                      // no id
        "<loc id=\"\" type=\"city\">Springfield, MA</loc>",              // empty id
        "<loc id=\"US2\" type=\"city\"><!-- c -->Springfield, MA</loc>", // comment first
        "<loc id=\"US2\" type=\"city\"></loc>",                          // no name
    };
    for (const std::string& broken : cases) {
        auto results = resolveAnswer(search(first + broken + last));
        EXPECT_EQ(m_er.code, 4u) << broken;
        EXPECT_EQ(message(), kNotUnderstood) << broken;
        ASSERT_EQ(results.getCount(), 1) << broken;
        EXPECT_EQ(results.getLocationId(0), "US1");
    }
}

TEST_F(ResolveLocationTest, EveryFailureGetsItsCodeAndText) {
    const std::string notUnderstood = kNotUnderstood;
    struct Row {
        std::string body;
        std::uint32_t code;
        std::string message;
    };
    const Row rows[] = {
        {"", 4, notUnderstood + " Error in ResolveLocation_Memory_XML: Error document empty.\n"},
        {"<search><loc id=\"1\"", 4,
         notUnderstood + " Error in ResolveLocation_Memory_XML: Error parsing Element.\n"},
        {"<!-- nothing but a comment -->", 4, notUnderstood + "Unable to obtain rootnode"},
        {"<places/>", 4, notUnderstood + "There was no rootTagName value."},
        {"<Search/>", 4, notUnderstood + "There was no rootTagName value."},
        {"<error/>", 4, notUnderstood},
        {"<error><err>no type</err></error>", 4, notUnderstood},
        {"<error><err type=\"\">empty type</err></error>", 4, notUnderstood},
        {"<error><err type=\"notfound\">No such place.</err></error>", 0, "No such place."},
        {"<error><err type=\"notfound\"/></error>", 0, "* Unable to obtain error text *"},
    };
    for (const Row& row : rows) {
        auto results = resolveAnswer(row.body);
        EXPECT_EQ(m_er.code, row.code) << row.body;
        EXPECT_EQ(message(), row.message) << row.body;
        EXPECT_EQ(results.getCount(), 0) << row.body;
    }

    m_server.answer(search(loc("US1", "city", "A")), 500);
    EXPECT_EQ(resolve("Springfield").getCount(), 0);
    EXPECT_EQ(m_er.code, 3u);
    EXPECT_EQ(message(), "There was a problem communicating with the server.");

    auto unreachable = ResolveLocationFactory("http://127.0.0.1:" +
                                              std::to_string(testing_support::closedLoopbackPort()))
                           .resolveLocation("Springfield", &m_er);
    EXPECT_EQ(unreachable.getCount(), 0);
    EXPECT_EQ(m_er.code, 3u);
    EXPECT_EQ(message(), "There was a problem communicating with the server.");
}

TEST_F(ResolveLocationTest, TheRecordIsClearedFirstAndItsMessageStaysWithin512Bytes) {
    m_er.code = 9;
    m_er.flags = 1;
    std::snprintf(m_er.message, sizeof m_er.message, "left from before");
    resolveAnswer(search(loc("US1", "city", "A")));
    EXPECT_EQ(m_er.code, 0u);
    EXPECT_EQ(m_er.flags, 0u);
    EXPECT_EQ(message(), "");

    resolveAnswer("<error><err type=\"long\">" + std::string(600, 'x') + "</err></error>");
    EXPECT_EQ(message(), std::string(511, 'x'));
    // A character that would straddle the end is left out whole.
    resolveAnswer("<error><err type=\"long\">" + std::string(510, 'x') + "\xC3\xA9</err></error>");
    EXPECT_EQ(message(), std::string(510, 'x'));
}

TEST_F(ResolveLocationTest, HostileAnswersGiveTheirErrorAndNothingElse) {
    std::string deep = "<search>";
    for (int i = 0; i < 100000; ++i) {
        deep += "<loc>";
    }
    auto results = resolveAnswer(deep);
    EXPECT_EQ(m_er.code, 4u);
    EXPECT_EQ(message(), std::string(kNotUnderstood) +
                             " Error in ResolveLocation_Memory_XML: Elements are nested too "
                             "deeply.\n");
    EXPECT_EQ(results.getCount(), 0);

    // Over the document size bound: the transfer itself fails.
    resolveAnswer(std::string(8 * 1024 * 1024 + 1, '<'));
    EXPECT_EQ(m_er.code, 3u);
    // Within it, but no document.
    resolveAnswer(std::string(8 * 1024 * 1024 - 16, 'x'));
    EXPECT_EQ(m_er.code, 4u);

    // Bytes that are not UTF-8 are read as Latin-1, so the name stays text.
    results = resolveAnswer(search(loc("CH1", "city", "Z\xFCrich")));
    EXPECT_EQ(m_er.code, 0u);
    ASSERT_EQ(results.getCount(), 1);
    EXPECT_EQ(results.getDisplayName(0), "Z\xC3\xBCrich");
}

TEST_F(ResolveLocationTest, TheTypedTextTravelsPercentEncodedAsUtf8) {
    m_server.answer(search(""));
    const std::pair<std::string, std::string> cases[] = {
        {"Winston-Salem, NC", "Winston-Salem%2C%20NC"}, {"St. Louis", "St.%20Louis"},
        {"Coeur d'Alene", "Coeur%20d%27Alene"},         {"Tom & Jerry", "Tom%20%26%20Jerry"},
        {"Z\xC3\xBCrich+1#2", "Z%C3%BCrich%2B1%232"},
    };
    for (const auto& [typed, sent] : cases) {
        resolve(typed);
        EXPECT_EQ(m_er.code, 0u) << typed;
        EXPECT_EQ(m_server.lastTarget(), "/search/search?site=US&where=" + sent);
    }
}

TEST_F(ResolveLocationTest, TheSearchIsTracedStepByStep) {
    fixtures::TraceCapture capture;
    resolveAnswer(search(loc("US1", "city", "Springfield, IL") + "<loc id=\"US2\">x</loc>"));
    // The log keeps one entry a line: line breaks inside an entry read as blanks.
    const auto logged = [&capture](const std::string& expected) {
        for (const std::string& line : capture.lines()) {
            if (line.find(expected) != std::string::npos) {
                return true;
            }
        }
        return false;
    };
    const std::string resolvePrefix =
        "ResolveLocationFactory::resolveLocation(const std::string& location, LPTOVAKERROR er) - ";
    const std::string parsePrefix = "ResolveLocationFactory::parseXML(const std::string& response, "
                                    "ResolveLocationSearchResults& results, LPTOVAKERROR er) - ";
    for (const std::string& expected : {
             resolvePrefix + "Entering Function:  location = 'Springfield'",
             resolvePrefix + "Search results: <?xml",
             parsePrefix + "Entering Function:  response = '<?xml",
             parsePrefix + " root->getTagName() = '<search>'",
             parsePrefix + "Error obtaining the loctype.",
             parsePrefix +
                 "Exiting Function: , Returning:ResolveLocationSearchResults =   "
                 "ResolveLocationSearchResults object -      searchlocation = "
                 "'Springfield'     items:  [{locid, loctype, displayname}             "
                 "{'US1', 'city', 'Springfield, IL'} ] er = {code = 4, flags = 0, "
                 "message = '" +
                 std::string(kNotUnderstood) + "'}",
         }) {
        EXPECT_TRUE(logged(expected)) << expected;
    }

    ResolveLocationFactory("http://127.0.0.1:" +
                           std::to_string(testing_support::closedLoopbackPort()))
        .resolveLocation("Springfield", &m_er);
    EXPECT_TRUE(logged(resolvePrefix + "The request failed: Response HTTP Status Message: "));
    EXPECT_TRUE(logged("/search/search?site=US&where=Springfield urlResponse: ''"));
}

} // namespace
