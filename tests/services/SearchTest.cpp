#include "ServicesTestSupport.h"
#include "net/XmlPathQuery.h"
#include "services/LocationSearch.h"
#include "services/UrlText.h"

#include <gtest/gtest.h>

using services_test::RunningServer;

namespace {

struct Loc {
    std::string id, type, name;
};

// The entries as the program reads them: id, type and text of each loc.
std::vector<Loc> locs(const std::string& xml) {
    std::vector<Loc> found;
    for (int n = 1;; ++n) {
        const std::string step = "/search/loc[" + std::to_string(n) + "]";
        const std::string id = queryXmlPath(xml, step + "/@id");
        if (id.empty()) {
            return found;
        }
        found.push_back(
            {id, queryXmlPath(xml, step + "/@type"), queryXmlPath(xml, step + "/text()")});
    }
}

std::vector<std::string> names(const std::string& xml) {
    std::vector<std::string> result;
    for (const auto& loc : locs(xml)) {
        result.push_back(loc.name);
    }
    return result;
}

class SearchTest : public ::testing::Test {
protected:
    std::string search(const std::string& where) {
        const auto answer = m_server.get("/search/search?site=US&where=" + where);
        EXPECT_EQ(answer.status, 200);
        return answer.body;
    }
    RunningServer m_server;
};

TEST_F(SearchTest, ZipGivesItsPlaceWithAStableIdThatTheObservationAccepts) {
    const auto found = locs(search("10002"));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].id, "US10002");
    EXPECT_EQ(found[0].type, "zip");
    EXPECT_EQ(found[0].name, "New York, NY");
    EXPECT_EQ(names(search("%2010002-1234%20")), std::vector<std::string>{"New York, NY"});
    EXPECT_EQ(m_server.get("/wxdata/obs/US10002.xml?key=cycle-B").status, 200);
}

TEST_F(SearchTest, CityNameGivesOneEntryPerStateLargestFirst) {
    const auto xml = search("Springfield");
    EXPECT_EQ(names(xml),
              (std::vector<std::string>{"Springfield, IL", "Springfield, MA", "Springfield, MO"}));
    // A city's id is that of its lowest ZIP code, and it has coordinates.
    EXPECT_EQ(locs(xml)[0].id, "US62701");
    EXPECT_EQ(locs(xml)[0].type, "city");
}

TEST_F(SearchTest, CaseBlanksAndAbbreviationsDoNotMatter) {
    const std::vector<std::string> expected{"Saint Louis, MO", "Saint Louis, MI"};
    EXPECT_EQ(names(search("saint%20louis")), expected);
    EXPECT_EQ(names(search("%20%20SAINT%20%20LOUIS%20")), expected);
    EXPECT_EQ(names(search("St.+Louis")), expected);
}

TEST_F(SearchTest, QualifierByCodeOrStateNameNarrowsTheMatches) {
    const std::vector<std::string> missouri{"Springfield, MO"};
    EXPECT_EQ(names(search("Springfield,%20MO")), missouri);
    EXPECT_EQ(names(search("springfield,mo")), missouri);
    EXPECT_EQ(names(search("Springfield,%20missouri")), missouri);
    EXPECT_TRUE(names(search("Springfield,%20Oregon")).empty());
    EXPECT_TRUE(names(search("Springfield,%20Atlantis")).empty());
}

TEST_F(SearchTest, NoMatchIsAnEmptySearchDocument) {
    const auto xml = search("Xyzzyville");
    EXPECT_TRUE(locs(xml).empty());
    EXPECT_NE(xml.find("<search>"), std::string::npos);
    EXPECT_TRUE(locs(search("99999")).empty());
}

TEST_F(SearchTest, PrefixIsTriedWhenNoNameMatchesWhole) {
    EXPECT_EQ(names(search("Portl")), (std::vector<std::string>{"Portland, ME", "Portland, OR"}));
    EXPECT_TRUE(names(search("Po")).empty()); // too short to guess
}

TEST_F(SearchTest, UnusableTextGetsTheErrorForm) {
    for (const std::string& where :
         {std::string(""), std::string("%20%20"), std::string(150, 'a'), std::string("%3Cb%3E"),
          std::string("1234"), std::string("a,b,c"), std::string("%ZZ"), std::string("%00")}) {
        const auto xml = search(where);
        EXPECT_FALSE(queryXmlPath(xml, "/error/err/@type").empty()) << where;
        EXPECT_FALSE(queryXmlPath(xml, "/error/err/text()").empty()) << where;
        EXPECT_TRUE(locs(xml).empty()) << where;
    }
    EXPECT_EQ(queryXmlPath(search(""), "/error/err/@type"), "empty");
    EXPECT_EQ(queryXmlPath(search(std::string(101, 'a')), "/error/err/@type"), "toolong");
}

TEST_F(SearchTest, AmpersandInANameIsEscapedAndSurvivesAnUnescapedRequest) {
    // The program sends the text without escaping the '&'.
    const auto xml = search("Bow%20&%20Arrow");
    EXPECT_NE(xml.find(">Bow &amp; Arrow, MO</loc>"), std::string::npos);
    EXPECT_EQ(names(xml), std::vector<std::string>{"Bow & Arrow, MO"});
    EXPECT_EQ(names(search("Bow%20%26%20Arrow")), std::vector<std::string>{"Bow & Arrow, MO"});
}

TEST(SearchTextTest, DecodesWhereUpToTheNextParameter) {
    EXPECT_EQ(searchTextFromTarget("/search/search?site=US&where=Winston-Salem%2C%20NC"),
              "Winston-Salem, NC");
    EXPECT_EQ(searchTextFromTarget("/search/search?site=US&where=Tom%20%26%20Jerry"),
              "Tom & Jerry");
    EXPECT_EQ(searchTextFromTarget("/search/search?site=US&where=Coeur%20d%27Alene"),
              "Coeur d'Alene");
    EXPECT_EQ(searchTextFromTarget("/search/search?site=US&where=Z%C3%BCrich"), "Z\xC3\xBCrich");
    // A parameter after it is not part of the text...
    EXPECT_EQ(searchTextFromTarget("/search/search?where=Paris&site=US"), "Paris");
    EXPECT_EQ(searchTextFromTarget("/search/search?where=x&rnd=123&a.b-c_d=1"), "x");
    // ...but an '&' an older client left unescaped inside a name is.
    EXPECT_EQ(searchTextFromTarget("/search/search?site=US&where=A%20B&C"), "A B&C");
    EXPECT_EQ(searchTextFromTarget("/search/search?site=US&where=Bow & Arrow"), "Bow & Arrow");
    EXPECT_EQ(searchTextFromTarget("/search/search?where=x"), "x");
    EXPECT_EQ(searchTextFromTarget("/search/search?where="), "");
    EXPECT_EQ(searchTextFromTarget("/search/search?site=US&nowhere=x"), "");
    EXPECT_EQ(searchTextFromTarget("/search/search"), "");
    // Malformed escapes never reach the search as text.
    EXPECT_EQ(searchTextFromTarget("/search/search?where=%E"), "\x01");
}

TEST(SearchTextTest, RawQueryValueFindsWholeParameterNamesOnly) {
    EXPECT_EQ(rawQueryValue("/p?a=1&b=2", "b"), "2");
    EXPECT_EQ(rawQueryValue("/p?ab=1&b=2", "b"), "2");
    EXPECT_EQ(rawQueryValue("/p?a=1", "b"), std::nullopt);
    EXPECT_EQ(rawQueryValue("/p", "a"), std::nullopt);
    EXPECT_EQ(rawQueryValue("/p?a=1&=2&b", "a"), "1&=2&b");
}

TEST(GazetteerTest, SkipsMalformedLinesAndRejectsAFileWithoutPlaces) {
    Gazetteer gazetteer;
    std::string error;
    ASSERT_TRUE(gazetteer.load(services_test::dataFile("US-sample.txt"), error)) << error;
    EXPECT_EQ(gazetteer.findZip("00002"), nullptr); // no coordinates
    EXPECT_NE(gazetteer.findLocationId("US00001"), nullptr);
    EXPECT_EQ(gazetteer.findLocationId("US0000"), nullptr);
    EXPECT_EQ(gazetteer.findLocationId("XX10001"), nullptr);

    testing_support::TempFolder folder;
    folder.write("bad.txt", "not\ta\tgazetteer\n");
    EXPECT_FALSE(gazetteer.load(folder.file("bad.txt"), error));
    EXPECT_FALSE(gazetteer.load(folder.file("missing.txt"), error));
    EXPECT_NE(error.find("missing.txt"), std::string::npos);
}

TEST(GazetteerTest, ACityTakesItsLowestZipWhereverItStandsInTheFile) {
    testing_support::TempFolder folder;
    folder.write("order.txt",
                 "US\t65810\tSpringfield\tMissouri\tMO\tGreene\t077\t\t\t37.1\t-93.3\t4\n"
                 "US\t65802\tSpringfield\tMissouri\tMO\tGreene\t077\t\t\t37.2\t-93.3\t4\n"
                 "US\t65806\tSpringfield\tMissouri\tMO\tGreene\t077\t\t\t37.2\t-93.3\t4\n");
    Gazetteer gazetteer;
    std::string error;
    ASSERT_TRUE(gazetteer.load(folder.file("order.txt"), error)) << error;
    const auto cities = gazetteer.findCities("springfield", false);
    ASSERT_EQ(cities.size(), 1u);
    EXPECT_EQ(cities[0]->locationId, "US65802");
    EXPECT_EQ(cities[0]->zipCount, 3);
    EXPECT_EQ(cities[0]->name, "Springfield");
}

} // namespace
