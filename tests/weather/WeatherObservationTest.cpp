#include "weather/WeatherObservation.h"

#include "ServiceFixture.h"
#include "packs/SsConfig.h"
#include "weather/WeatherTimer.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace weather_testing;

namespace {

class RecordingTimer : public WeatherTimer {
public:
    unsigned SetTimer(unsigned nElapseMs) override {
        m_calls.push_back("set " + std::to_string(nElapseMs));
        return m_nNextId++;
    }
    void KillTimer(unsigned nIdEvent) override {
        m_calls.push_back("kill " + std::to_string(nIdEvent));
    }

    std::vector<std::string> m_calls;
    unsigned m_nNextId = 7;
};

class Observation : public ::testing::Test {
protected:
    ~Observation() override { g_csTempUnit.assign(1, 'F'); }

    // The three values of a document, in the unit given.
    struct Values {
        int nSkyCode;
        std::string csTemperature;
        std::string csCCText;
    };
    Values read(const std::string& csDocument, const std::string& csUnit = "F") {
        g_csTempUnit = csUnit;
        m_observation.setObservationDocument(csDocument);
        return {m_observation.getSkyCode(), m_observation.getTemperature(),
                m_observation.getCCText()};
    }

    ServiceFixture m_services;
    SsConfig m_config;
    RecordingTimer m_timer;
    WeatherObservation m_observation{m_config, &m_timer};
};

TEST_F(Observation, CelsiusIsRoundedHalfAwayFromZero) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"33", "1"},     {"31", "-1"},   {"-40", "-40"},
        {"41", "5"},     {"32", "0"},    {"212", "100"},
        {"72abc", "22"}, {"abc", "-18"}, {"99999999999999999999", "2147483647"},
    };
    for (const auto& [csFahrenheit, csCelsius] : cases) {
        EXPECT_EQ(read(observationDocument("26", csFahrenheit, "Cloudy"), "C").csTemperature,
                  csCelsius + "\xC2\xB0"
                              "C")
            << csFahrenheit;
    }
}

TEST_F(Observation, FahrenheitKeepsTheDocumentsText) {
    EXPECT_EQ(read(observationDocument("26", "072", "Cloudy")).csTemperature, "072\xC2\xB0"
                                                                              "F");
    EXPECT_EQ(temperatureText(" 5 ", "F"), " 5 \xC2\xB0"
                                           "F");
}

TEST_F(Observation, OnlyASkyCodeLeavesTheTextsEmpty) {
    const Values values = read("<observation><wxIcon>32</wxIcon></observation>", "C");
    EXPECT_EQ(values.nSkyCode, 32);
    EXPECT_EQ(values.csTemperature, "");
    EXPECT_EQ(values.csCCText, "");
}

TEST_F(Observation, SkyCodeIsTheLeadingInteger) {
    EXPECT_EQ(read(observationDocument("Sunny", "70", "x")).nSkyCode, 0);
    EXPECT_EQ(read(observationDocument("-3", "70", "x")).nSkyCode, -3);
    EXPECT_EQ(read(observationDocument("12 rain", "70", "x")).nSkyCode, 12);
    EXPECT_EQ(read(observationDocument("99999999999", "70", "x")).nSkyCode, 2147483647);
}

TEST_F(Observation, BadDocumentsGiveEmptyValues) {
    std::string csNested;
    csNested.reserve(8 * 1024 * 1024);
    while (csNested.size() + 3 <= 8 * 1024 * 1024) {
        csNested += "<a>";
    }
    const std::vector<std::string> documents = {
        "not xml at all",
        "<observation><wxIcon>32</wxIcon><temp>7",
        csNested,
        "<weather><wxIcon>32</wxIcon><temp>70</temp><text>Sunny</text></weather>",
        "",
    };
    for (const std::string& csDocument : documents) {
        const Values values = read(csDocument);
        EXPECT_EQ(values.nSkyCode, 0) << csDocument.substr(0, 40);
        EXPECT_EQ(values.csTemperature, "") << csDocument.substr(0, 40);
        EXPECT_EQ(values.csCCText, "") << csDocument.substr(0, 40);
    }
}

TEST_F(Observation, FetchStoresTheDocumentAndRestartsTheTimer) {
    m_services.setObservation(observationDocument("12", "50", "Rain"));
    ASSERT_TRUE(m_observation.fetchObservation("US80301", "F"));
    EXPECT_EQ(m_observation.getCCText(), "Rain");
    EXPECT_EQ(m_services.lastObservationTarget(),
              "/wxdata/obs/US80301.xml?key={no%20config%20available}");
    EXPECT_EQ(g_nWeatherTimerID, 7u);
    ASSERT_TRUE(m_observation.fetchObservation("US80301", "F"));
    EXPECT_EQ(m_timer.m_calls, (std::vector<std::string>{"set 900000", "kill 7", "set 900000"}));
    EXPECT_EQ(g_nWeatherTimerID, 8u);
}

TEST_F(Observation, KeyIsTheCatalogueCycleWithItsFallbacks) {
    m_services.setObservation(observationDocument("12", "50", "Rain"));
    m_observation.fetchObservation("US80301", "F");
    EXPECT_EQ(m_services.lastObservationKey(), "{no config available}");
    m_config.setText("<ss><app><cycle></cycle></app></ss>");
    m_observation.fetchObservation("US80301", "F");
    EXPECT_EQ(m_services.lastObservationKey(), "{empty cycle value in config}");
    m_config.setText("<ss><app><cycle>nimbora-cycle-1</cycle></app></ss>");
    m_observation.fetchObservation("US80301", "F");
    EXPECT_EQ(m_services.lastObservationKey(), "nimbora-cycle-1");
}

TEST_F(Observation, EmptyLocationMakesNoRequestAndStartsNoTimer) {
    m_observation.setObservationDocument(observationDocument("12", "50", "Rain"));
    EXPECT_FALSE(m_observation.fetchObservation("", "F"));
    EXPECT_EQ(m_services.requestsUnder("/"), 0u);
    EXPECT_TRUE(m_timer.m_calls.empty());
    EXPECT_EQ(g_nWeatherTimerID, 0u);
    EXPECT_EQ(m_observation.getCCText(), "Rain");
}

TEST_F(Observation, FailedDownloadsKeepTheLastGoodDocument) {
    m_services.setObservation(observationDocument("12", "50", "Rain"));
    ASSERT_TRUE(m_observation.fetchObservation("US80301", "F"));
    m_services.setObservation("");
    EXPECT_FALSE(m_observation.refetchObservation());
    EXPECT_FALSE(m_observation.fetchObservation("US80301", "F"));
    EXPECT_EQ(m_observation.getCCText(), "Rain");
    // The timer runs on after a failed fetch, and a refetch leaves it alone.
    EXPECT_EQ(m_timer.m_calls.back(), "set 900000");
    m_services.setObservation(observationDocument("32", "80", "Sunny"));
    const std::size_t nTimerCalls = m_timer.m_calls.size();
    EXPECT_TRUE(m_observation.refetchObservation());
    EXPECT_EQ(m_observation.getCCText(), "Sunny");
    EXPECT_EQ(m_timer.m_calls.size(), nTimerCalls);
}

TEST_F(Observation, LocationCannotLeaveTheObservationPath) {
    m_services.setObservation(observationDocument("12", "50", "Rain"));
    m_observation.fetchObservation("../../services/x?y=1#z", "F");
    EXPECT_EQ(m_services.lastObservationTarget().rfind(
                  "/wxdata/obs/..%2F..%2Fservices%2Fx%3Fy=1%23z.xml?key=", 0),
              0u)
        << m_services.lastObservationTarget();
}

TEST_F(Observation, GoingAwayStopsTheTimer) {
    m_services.setObservation(observationDocument("12", "50", "Rain"));
    {
        WeatherObservation observation(m_config, &m_timer);
        observation.fetchObservation("US80301", "F");
        m_timer.m_calls.clear();
    }
    EXPECT_EQ(m_timer.m_calls, std::vector<std::string>{"kill 7"});
    EXPECT_EQ(g_nWeatherTimerID, 0u);
}

} // namespace
