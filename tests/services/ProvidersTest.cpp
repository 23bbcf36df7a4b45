#include "ServicesTestSupport.h"
#include "net/XmlPathQuery.h"
#include "services/NwsProvider.h"
#include "services/OpenMeteoProvider.h"
#include "services/SkyCodes.h"

#include <gtest/gtest.h>

using services_test::dataFile;
using services_test::FakeUpstream;
using services_test::readFile;
using services_test::RunningServer;

namespace {

void recordNewYork(FakeUpstream& upstream) {
    upstream.answer("/points/40.7484,-73.9967", readFile(dataFile("nws-points.json")));
    upstream.answer("/gridpoints/OKX/33,37/stations", readFile(dataFile("nws-stations.json")));
    upstream.answer("/stations/KNYC/observations/latest",
                    readFile(dataFile("nws-latest-KNYC.json")));
    upstream.answer("/stations/KLGA/observations/latest",
                    readFile(dataFile("nws-latest-KLGA.json")));
}

TEST(NwsTest, FollowsPointToStationsAndSkipsAStationWithoutTemperature) {
    FakeUpstream upstream;
    recordNewYork(upstream);
    RunningServer server([&](ServerConfig& c) {
        c.provider = "nws";
        c.nwsBase = upstream.base();
    });
    const auto answer = server.get("/wxdata/obs/US10001.xml?key=cycle-B");
    ASSERT_EQ(answer.status, 200) << answer.body;
    EXPECT_EQ(queryXmlPath(answer.body, "/observation/wxIcon/text()"), "30");
    EXPECT_EQ(queryXmlPath(answer.body, "/observation/temp/text()"), "72"); // 22.2 C
    EXPECT_EQ(queryXmlPath(answer.body, "/observation/text/text()"), "Partly Cloudy");
    EXPECT_EQ(upstream.requests(),
              (std::vector<std::string>{
                  "/points/40.7484,-73.9967", "/gridpoints/OKX/33,37/stations",
                  "/stations/KNYC/observations/latest", "/stations/KLGA/observations/latest"}));
    // That service wants a product name and a contact.
    EXPECT_NE(upstream.lastUserAgent().find("nimbora"), std::string::npos);
    EXPECT_NE(upstream.lastUserAgent().find('@'), std::string::npos);
}

TEST(NwsTest, TriesAtMostThreeStationsThenFails) {
    FakeUpstream upstream;
    recordNewYork(upstream);
    const auto noTemperature = readFile(dataFile("nws-latest-KNYC.json"));
    upstream.answer("/stations/KLGA/observations/latest", noTemperature);
    upstream.answer("/stations/KJFK/observations/latest", noTemperature);
    upstream.answer("/stations/KEWR/observations/latest",
                    readFile(dataFile("nws-latest-KLGA.json")));
    RunningServer server([&](ServerConfig& c) {
        c.provider = "nws";
        c.nwsBase = upstream.base();
    });
    EXPECT_EQ(server.get("/wxdata/obs/US10001.xml?key=cycle-B").status, 502);
    for (const auto& path : upstream.requests()) {
        EXPECT_EQ(path.find("KEWR"), std::string::npos);
    }
}

TEST(NwsTest, RecordedObservationsMapToSkyCodesAndWholeFahrenheit) {
    Observation night;
    std::string error;
    ASSERT_TRUE(NwsProvider::parseObservation(readFile(dataFile("nws-latest-night-showers.json")),
                                              night, error));
    EXPECT_EQ(night.skyCode, 11);
    EXPECT_EQ(night.temperatureF, 29); // -1.7 C
    EXPECT_EQ(night.text, "Light Rain Showers");

    Observation noIcon; // the text decides then
    ASSERT_TRUE(NwsProvider::parseObservation(readFile(dataFile("nws-latest-no-icon.json")), noIcon,
                                              error));
    EXPECT_EQ(noIcon.skyCode, 20);
    EXPECT_EQ(noIcon.temperatureF, 39);
}

TEST(NwsTest, MalformedAnswersFailWithoutHarm) {
    Observation observation;
    std::string error;
    for (const char* body :
         {"", "{", "[]", "null", R"({"properties": 5})",
          R"({"properties": {"temperature": {"value": "warm"}}})",
          R"({"properties": {"temperature": {"value": 1e308}}})",
          R"({"properties": {"temperature": {"value": 20}, "icon": 7, "textDescription": []}})"}) {
        const bool ok = NwsProvider::parseObservation(body, observation, error);
        if (ok) { // only the last one has a usable temperature
            EXPECT_EQ(observation.temperatureF, 68);
            EXPECT_EQ(observation.skyCode, kSkyCodeNotAvailable);
            EXPECT_EQ(observation.text, "Not Available");
        }
    }
}

TEST(OpenMeteoTest, CurrentConditionsMapToSkyCodesThroughTheServer) {
    FakeUpstream upstream;
    upstream.answer("/v1/forecast", readFile(dataFile("open-meteo-rain-night.json")));
    RunningServer server([&](ServerConfig& c) {
        c.provider = "open-meteo";
        c.openMeteoBase = upstream.base();
    });
    const auto answer = server.get("/wxdata/obs/US10001.xml?key=cycle-B");
    ASSERT_EQ(answer.status, 200) << answer.body;
    EXPECT_EQ(queryXmlPath(answer.body, "/observation/wxIcon/text()"), "12");
    EXPECT_EQ(queryXmlPath(answer.body, "/observation/temp/text()"), "49");
    EXPECT_EQ(queryXmlPath(answer.body, "/observation/text/text()"), "Light Rain");

    Observation day;
    std::string error;
    ASSERT_TRUE(OpenMeteoProvider::parseCurrent(
        readFile(dataFile("open-meteo-clear-day-celsius.json")), day, error));
    EXPECT_EQ(day.skyCode, 32);
    EXPECT_EQ(day.text, "Sunny");
    EXPECT_EQ(day.temperatureF, 55); // 12.5 C is 54.5 F, rounded away from zero
    EXPECT_FALSE(
        OpenMeteoProvider::parseCurrent(R"({"current": {"weather_code": 1e300}})", day, error));
}

TEST(SkyCodeTest, WeatherServiceIconsFollowDayAndNight) {
    const std::vector<std::tuple<std::string, int, int>> table = {
        {"skc", 32, 31}, {"few", 34, 33},  {"sct", 30, 29},          {"bkn", 28, 27},
        {"ovc", 26, 26}, {"rain", 12, 12}, {"rain_showers", 11, 11}, {"snow", 16, 16},
        {"tsra", 4, 4},  {"fog", 20, 20}};
    for (const auto& [condition, day, night] : table) {
        EXPECT_EQ(skyCodeForNwsIcon("https://api.weather.gov/icons/land/day/" + condition +
                                    "?size=medium"),
                  day)
            << condition;
        EXPECT_EQ(skyCodeForNwsIcon("https://api.weather.gov/icons/land/night/" + condition +
                                    ",30?size=small"),
                  night)
            << condition;
    }
    EXPECT_EQ(skyCodeForNwsIcon("https://api.weather.gov/icons/land/day/unheard_of"), 48);
    EXPECT_EQ(skyCodeForNwsIcon("https://api.weather.gov/icons/land/dusk/skc"), 48);
    EXPECT_EQ(skyCodeForNwsIcon("not a url"), 48);
}

TEST(SkyCodeTest, WmoCodesCoverEachFamily) {
    const std::vector<std::tuple<int, int, int>> table = {
        {0, 32, 31},  {1, 34, 33},  {2, 30, 29},  {3, 26, 26},  {45, 20, 20}, {48, 20, 20},
        {53, 9, 9},   {57, 8, 8},   {63, 12, 12}, {67, 10, 10}, {71, 14, 14}, {73, 16, 16},
        {75, 43, 43}, {80, 11, 11}, {82, 12, 12}, {95, 4, 4},   {99, 3, 3},   {42, 48, 48}};
    for (const auto& [wmo, day, night] : table) {
        EXPECT_EQ(conditionForWmoCode(wmo, true).skyCode, day) << wmo;
        EXPECT_EQ(conditionForWmoCode(wmo, false).skyCode, night) << wmo;
    }
    EXPECT_EQ(conditionForWmoCode(0, true).text, "Sunny");
    EXPECT_EQ(conditionForWmoCode(0, false).text, "Clear");
}

TEST(UpstreamClientTest, StaysOnItsBaseAndCapsTheAnswer) {
    EXPECT_EQ(UpstreamClient::pathOf("https://elsewhere.example/stations/K1"), "/stations/K1");
    EXPECT_EQ(UpstreamClient::pathOf("stations/K1"), "/stations/K1");
    FakeUpstream upstream;
    upstream.answer("/big", std::string(5000, 'x'));
    UpstreamClient client(upstream.base(), "test", 2000, 1000);
    std::string body;
    std::string error;
    EXPECT_FALSE(client.get("/big", body, error));
    EXPECT_NE(error.find("larger"), std::string::npos);
    EXPECT_FALSE(client.get("/missing", body, error));

    upstream.answer("/proxy/small", "ok");
    UpstreamClient prefixed(upstream.base() + "/proxy/", "test", 2000, 1000);
    EXPECT_TRUE(prefixed.get("/small", body, error)) << error;
    EXPECT_EQ(body, "ok");
    EXPECT_EQ(upstream.requests().back(), "/proxy/small") << "the base's path comes first";

    UpstreamClient nowhere("http://127.0.0.1:1", "test", 500, 1000);
    EXPECT_FALSE(nowhere.get("/", body, error));
}

} // namespace
