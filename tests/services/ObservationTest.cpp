#include "ServicesTestSupport.h"
#include "net/XmlPathQuery.h"
#include "services/SimulatedProvider.h"
#include "support/WaitUntil.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>

using services_test::dataFile;
using services_test::FakeUpstream;
using services_test::readFile;
using services_test::RunningServer;

namespace {

const std::string kObs = "/wxdata/obs/US10001.xml?key=";

TEST(ObservationTest, DocumentHasTheThreeValuesTheProgramReads) {
    RunningServer server;
    const auto answer = server.get(kObs + "cycle-B");
    ASSERT_EQ(answer.status, 200);
    EXPECT_NE(answer.contentType.find("xml"), std::string::npos);
    const std::string icon = queryXmlPath(answer.body, "/observation/wxIcon/text()");
    const std::string temp = queryXmlPath(answer.body, "/observation/temp/text()");
    ASSERT_FALSE(icon.empty());
    EXPECT_GE(std::atoi(icon.c_str()), 0);
    EXPECT_LE(std::atoi(icon.c_str()), 47);
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(std::to_string(std::atoi(temp.c_str())), temp); // whole degrees
    EXPECT_FALSE(queryXmlPath(answer.body, "/observation/text/text()").empty());
}

TEST(ObservationTest, CurrentAndPreviousCycleValuesAreAcceptedOthersForbidden) {
    RunningServer server;
    EXPECT_EQ(server.get(kObs + "cycle-B").status, 200);
    EXPECT_EQ(server.get(kObs + "cycle-A").status, 200); // clients from before the rotation
    EXPECT_EQ(server.get(kObs + "cycle-C").status, 403);
    EXPECT_EQ(server.get(kObs + "CYCLE-B").status, 403);
    EXPECT_EQ(server.get(kObs).status, 403);
    EXPECT_EQ(server.get("/wxdata/obs/US10001.xml").status, 403);
    EXPECT_EQ(server.get(kObs + "%7Bno%20config%20available%7D").status, 403);

    RunningServer unchecked([](ServerConfig& c) { c.checkKey = false; });
    EXPECT_EQ(unchecked.get(kObs + "anything").status, 200);
}

TEST(ObservationTest, UnknownLocationsAreNotFound) {
    RunningServer server;
    for (const char* id : {"US99999", "10001", "US1000", "XX10001", "US10001x", "..%2FUS10001"}) {
        EXPECT_EQ(server.get(std::string("/wxdata/obs/") + id + ".xml?key=cycle-B").status, 404)
            << id;
    }
}

class UpstreamObservationTest : public ::testing::Test {
protected:
    UpstreamObservationTest() {
        m_upstream.answer("/points/40.7484,-73.9967", readFile(dataFile("nws-points.json")));
        m_upstream.answer("/gridpoints/OKX/33,37/stations",
                          readFile(dataFile("nws-stations.json")));
        m_upstream.answer("/stations/KNYC/observations/latest",
                          readFile(dataFile("nws-latest-KLGA.json")));
    }
    std::string temperature() {
        const auto answer = m_server.get(kObs + "cycle-B");
        return answer.status == 200 ? queryXmlPath(answer.body, "/observation/temp/text()")
                                    : std::to_string(answer.status);
    }
    FakeUpstream m_upstream;
    RunningServer m_server{[this](ServerConfig& c) {
        c.provider = "nws";
        c.nwsBase = m_upstream.base();
    }};
};

TEST_F(UpstreamObservationTest, RepeatedRequestsAreAnsweredFromTheCacheUntilItExpires) {
    EXPECT_EQ(temperature(), "72");
    const auto calls = m_upstream.requests().size();
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(temperature(), "72");
    }
    m_server.advance(599);
    EXPECT_EQ(temperature(), "72");
    EXPECT_EQ(m_upstream.requests().size(), calls);
    EXPECT_EQ(m_server.server().observations().upstreamCalls(), 1u);

    m_upstream.answer("/stations/KNYC/observations/latest",
                      readFile(dataFile("nws-latest-no-icon.json")));
    m_server.advance(2);
    EXPECT_EQ(temperature(), "39");
    // The stations of a point are asked for once.
    EXPECT_EQ(m_upstream.requests().size(), calls + 1);
}

TEST_F(UpstreamObservationTest, FailureServesTheLastGoodValueWhileRecentThenRecovers) {
    EXPECT_EQ(temperature(), "72");
    m_upstream.setFailing(true);
    m_server.advance(700);
    EXPECT_EQ(temperature(), "72"); // stale but recent
    const auto calls = m_server.server().observations().upstreamCalls();
    EXPECT_EQ(temperature(), "72");
    EXPECT_EQ(m_server.server().observations().upstreamCalls(), calls); // no hammering
    m_server.advance(3000);
    EXPECT_EQ(temperature(), "502"); // too old to stand in

    m_upstream.setFailing(false);
    m_upstream.answer("/stations/KNYC/observations/latest",
                      readFile(dataFile("nws-latest-no-icon.json")));
    m_server.advance(31);
    EXPECT_EQ(temperature(), "39");
}

TEST(ObservationTest, UpstreamDownFromTheStartIsABadGateway) {
    FakeUpstream upstream;
    upstream.setFailing(true);
    RunningServer server([&](ServerConfig& c) {
        c.provider = "open-meteo";
        c.openMeteoBase = upstream.base();
    });
    EXPECT_EQ(server.get(kObs + "cycle-B").status, 502);
}

TEST(SimulatedWeatherTest, DeterministicAndEveryConditionGroupAppearsOverADay) {
    SimulatedProvider provider;
    const std::vector<std::set<int>> groups = {{32, 31},    {34, 33}, {30, 29}, {26, 27, 28},
                                               {9, 11, 12}, {4},      {16},     {20}};
    for (const GeoPoint point : {GeoPoint{40.75, -74.0}, GeoPoint{61.2, -149.9},
                                 GeoPoint{25.8, -80.2}, GeoPoint{-33.9, 151.2}}) {
        std::set<int> seen;
        std::set<int> temperatures;
        bool night = false;
        bool day = false;
        for (std::int64_t t = RunningServer::kStart; t < RunningServer::kStart + 86400; t += 1800) {
            Observation a;
            Observation b;
            std::string error;
            ASSERT_TRUE(provider.observe(point, t, a, error));
            ASSERT_TRUE(provider.observe(point, t, b, error));
            EXPECT_EQ(a.skyCode, b.skyCode);
            EXPECT_EQ(a.temperatureF, b.temperatureF);
            ASSERT_TRUE(a.temperatureF.has_value());
            EXPECT_GT(*a.temperatureF, -40);
            EXPECT_LT(*a.temperatureF, 115);
            if (a.skyCode == 16) {
                EXPECT_LE(*a.temperatureF, 32);
            }
            EXPECT_FALSE(a.text.empty());
            seen.insert(a.skyCode);
            temperatures.insert(*a.temperatureF);
            night = night || a.skyCode == 31 || a.skyCode == 33 || a.skyCode == 29;
            day = day || a.skyCode == 32 || a.skyCode == 34 || a.skyCode == 30;
        }
        for (const auto& group : groups) {
            bool found = false;
            for (int code : group) {
                found = found || seen.count(code) != 0;
            }
            EXPECT_TRUE(found) << "group starting " << *group.begin();
        }
        EXPECT_TRUE(night && day);
        EXPECT_GT(temperatures.size(), 5u); // it changes through the day
    }
}

TEST(ObservationTest, EachRequestLeavesOneLogLine) {
    RunningServer server;
    server.get(kObs + "cycle-B");
    server.get(kObs + "wrong");
    // The line is written just after the answer has gone out, by the thread
    // that served it, so a busy machine may write it late or out of order.
    std::vector<std::string> lines;
    testing_support::waitUntil([&] {
        lines.clear();
        for (const auto& line : server.logLines()) {
            if (line.find("/wxdata/") != std::string::npos) {
                lines.push_back(line);
            }
        }
        return lines.size() >= 2;
    });
    ASSERT_EQ(lines.size(), 2u);
    const auto count = [&lines](const std::string& text) {
        return std::count_if(lines.begin(), lines.end(), [&text](const std::string& line) {
            return line.find(text) != std::string::npos;
        });
    };
    EXPECT_EQ(count("\"GET /wxdata/obs/US10001.xml?key=cycle-B\" 200"), 1);
    EXPECT_EQ(count("key=wrong\" 403 "), 1);
    EXPECT_EQ(count("2023-11-14T22:13:20Z 127.0.0.1 \"GET /wxdata/"), 2);
}

} // namespace
