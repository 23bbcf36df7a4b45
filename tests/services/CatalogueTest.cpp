#include "ServicesTestSupport.h"
#include "net/XmlPathQuery.h"
#include "services/ServerConfig.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

using services_test::RunningServer;

namespace {

std::string pack(const std::string& xml, int n, const std::string& rest) {
    return queryXmlPath(xml, "/ss/packs/pack[" + std::to_string(n) + "]" + rest);
}

class CatalogueTest : public ::testing::Test {
protected:
    CatalogueTest() {
        const auto& folder = m_server.folder();
        folder.write("packs/Alpine.wxs", "alpine pack bytes");
        folder.write("packs/Alpine-setup.bin", std::string(200000, 'i'));
        folder.write("packs/Alpine-promo.bmp", "BMpicture");
        folder.write("packs/Coast.wxs", "coast");
        folder.write("packs/Beach.wxs", "beach");
        folder.write("packs/notes.txt", "not a pack");
        folder.write("catalogue.ini", "[Alpine.wxs]\n"
                                      "desc = Peaks & valleys <alpine>\n"
                                      "show = t\nranking = 1\nunique_val = 2026-01\n"
                                      "installer = Alpine-setup.bin\n"
                                      "image = Alpine-promo.bmp\n"
                                      "promo_disp = 201\nsel_yes = 202\nsel_no = 203\n"
                                      "sel_later = 204\ndwnld_init = 205\n"
                                      "dwnld_succ = 206\ndwnld_fail = 207\n"
                                      "[Gone.wxs]\nshow = t\n"
                                      "[../Evil.wxs]\nshow = t\n"
                                      "[Coast.wxs]\ninstaller_lfn = ../../bin/sh\n");
    }
    std::string document() {
        const auto answer = m_server.get("/services/plexa/screensaver/ssconfig.xml");
        EXPECT_EQ(answer.status, 200);
        return answer.body;
    }
    RunningServer m_server;
};

TEST_F(CatalogueTest, DocumentListsThePacksAsTheProgramReadsThem) {
    const std::string xml = document();
    EXPECT_EQ(queryXmlPath(xml, "/ss/app/cycle/text()"), "cycle-B");
    const std::string base = "http://127.0.0.1:" + std::to_string(m_server.port());
    EXPECT_EQ(pack(xml, 1, "/@id"), "Alpine.wxs");
    EXPECT_EQ(pack(xml, 1, "/dlurl/text()"), base + "/packs/Alpine-setup.bin");
    EXPECT_EQ(pack(xml, 1, "/dlurl/@lfn"), "Alpine-setup.bin");
    EXPECT_EQ(pack(xml, 1, "/desc/text()"), "Peaks & valleys <alpine>");
    EXPECT_NE(xml.find("Peaks &amp; valleys &lt;alpine&gt;"), std::string::npos);
    EXPECT_EQ(pack(xml, 1, "/promo/@show"), "t");
    EXPECT_EQ(pack(xml, 1, "/promo/ranking/text()"), "1");
    EXPECT_EQ(pack(xml, 1, "/promo/unique_val/text()"), "2026-01");
    EXPECT_EQ(pack(xml, 1, "/promo/imgurl/text()"), base + "/packs/Alpine-promo.bmp");
    EXPECT_EQ(pack(xml, 1, "/promo/imgurl/@lfn"), "Alpine-promo.bmp");
    const char* tracking[] = {"promo_disp", "sel_yes",    "sel_no",    "sel_later",
                              "dwnld_init", "dwnld_succ", "dwnld_fail"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(pack(xml, 1, std::string("/promo/tracking/") + tracking[i] + "/text()"),
                  std::to_string(201 + i));
    }
    // Missing files and unsafe names are left out; the folder's other packs
    // follow by name, not promoted.
    EXPECT_EQ(pack(xml, 2, "/@id"), "Beach.wxs");
    EXPECT_EQ(pack(xml, 2, "/promo/@show"), "f");
    EXPECT_EQ(pack(xml, 2, "/dlurl/@lfn"), "Beach.wxs");
    EXPECT_EQ(pack(xml, 3, "/@id"), "Coast.wxs");
    EXPECT_EQ(pack(xml, 3, "/dlurl/@lfn"), "Coast.wxs");
    EXPECT_EQ(pack(xml, 4, "/@id"), "");
}

TEST_F(CatalogueTest, TheAddressesInTheDocumentDownloadTheFiles) {
    const std::string xml = document();
    const std::string base = "http://127.0.0.1:" + std::to_string(m_server.port());
    const auto installer = m_server.get(pack(xml, 1, "/dlurl/text()").substr(base.size()));
    EXPECT_EQ(installer.status, 200);
    EXPECT_EQ(installer.body, std::string(200000, 'i'));
    const auto picture = m_server.get(pack(xml, 1, "/promo/imgurl/text()").substr(base.size()));
    EXPECT_EQ(picture.body, "BMpicture");
    EXPECT_EQ(picture.contentType, "image/bmp");
}

TEST_F(CatalogueTest, NoWayOutOfThePacksFolder) {
    const auto& folder = m_server.folder();
    folder.write("secret.txt", "SECRET");
    std::filesystem::create_directories(folder.file("packs/sub"));
    folder.write("packs/sub/inner.wxs", "inner");
    folder.write("packs/.hidden", "SECRET");
    std::filesystem::create_symlink(folder.file("secret.txt"), folder.file("packs/link.wxs"));
    std::filesystem::create_directory_symlink(folder.path(), folder.file("packs/up"));
    EXPECT_EQ(m_server.get("/packs/sub/inner.wxs").body, "inner");
    for (const char* path :
         {"/packs/../secret.txt", "/packs/%2e%2e/secret.txt", "/packs/..%2fsecret.txt",
          "/packs/%2E%2E%2Fsecret.txt", "/packs/sub/../../secret.txt", "/packs//etc/passwd",
          "/packs/%2fetc%2fpasswd", "/packs/..%5csecret.txt", "/packs/link.wxs",
          "/packs/up/secret.txt", "/packs/.hidden", "/packs/sub", "/packs/sub/",
          "/packs/./Alpine.wxs", "/packs/Alpine.wxs%00.txt", "/packs/%252e%252e/secret.txt",
          "/web/../../services/ServicesServer.cpp"}) {
        const auto answer = m_server.get(path);
        EXPECT_NE(answer.status, 200) << path;
        EXPECT_EQ(answer.body.find("SECRET"), std::string::npos) << path;
    }
}

TEST_F(CatalogueTest, PingsAreAnsweredAndRecordedInTheDatabase) {
    EXPECT_EQ(m_server.get("/services/ssaver/ss1xusagetrack.html?&rnd=12345").status, 200);
    EXPECT_EQ(m_server.get("/27/3?id=inst-1&cobrand=Alpine.wxs&skin=Coast.wxs&rnd=99&").status,
              200);
    EXPECT_EQ(m_server.get("/27/29?id=inst-1&cobrand=&skin=&rnd=100&").status, 200);
    EXPECT_EQ(m_server.get("/27/159?id=&rnd=101&").status, 200); // the direct form

    const auto latest = m_server.server().pings().recent(10);
    ASSERT_EQ(latest.size(), 4u);
    EXPECT_EQ(latest[0].code, "159");
    EXPECT_EQ(latest[2].code, "3");
    EXPECT_EQ(latest[2].installId, "inst-1");
    EXPECT_EQ(latest[2].cobrand, "Alpine.wxs");
    EXPECT_EQ(latest[2].skin, "Coast.wxs");
    EXPECT_EQ(latest[2].address, "127.0.0.1");
    EXPECT_EQ(latest[2].time, RunningServer::kStart);
    EXPECT_EQ(latest[3].code, "usage");

    // Another reader sees the rows while the server holds the database.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(m_server.folder().file("db/pings.sqlite").c_str(), &db), SQLITE_OK);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &stmt, nullptr);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)), "wal");
    sqlite3_finalize(stmt);
    sqlite3_prepare_v2(db, "SELECT count(*) FROM pings WHERE install_id = 'inst-1'", -1, &stmt,
                       nullptr);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(stmt, 0), 2);
    sqlite3_finalize(stmt);
    sqlite3_close(db);

    const auto report = m_server.get("/pings/report.html");
    EXPECT_NE(report.body.find("<td>2023-11-14</td><td>3</td><td>1</td>"), std::string::npos);
    EXPECT_NE(report.body.find("<td>usage</td>"), std::string::npos);
    EXPECT_NE(report.body.find("<td>2023-11-14 22:13:20</td>"), std::string::npos);
}

TEST_F(CatalogueTest, PingTextsWithControlBytesAreRefusedAndNeverStored) {
    for (const char* target :
         {"/27/3?id=inst%00-1&cobrand=&skin=&rnd=1&", "/27/3?id=inst-1&cobrand=Alp%01ine.wxs",
          "/27/3?id=inst-1&skin=a%0Ab", "/27/3?id=inst-1&cobrand=%7F", "/27/3%07?id=inst-1",
          "/27/3%00?id=inst-1", "/27/3?id=inst%ZZ",
          "/services/ssaver/ss1xusagetrack.html?id=%00"}) {
        EXPECT_EQ(m_server.get(target).status, 400) << target;
    }
    EXPECT_TRUE(m_server.server().pings().recent(10).empty());
    EXPECT_EQ(m_server.get("/27/3?id=inst-%C3%A9&cobrand=A%26B.wxs&skin=&rnd=2&").status, 200);
    const auto stored = m_server.server().pings().recent(10);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].installId, "inst-\xC3\xA9");
    EXPECT_EQ(stored[0].cobrand, "A&B.wxs");

    // The store itself refuses them too, whoever calls it.
    PingStore store;
    std::string error;
    ASSERT_TRUE(store.open(m_server.folder().file("other.sqlite"), error)) << error;
    Ping ping{RunningServer::kStart, "3", std::string("in\0st", 6), "", "", "127.0.0.1"};
    EXPECT_FALSE(store.record(ping));
    ping.installId = "inst";
    ping.skin = "tab\there";
    EXPECT_FALSE(store.record(ping));
    ping.skin = "";
    EXPECT_TRUE(store.record(ping));
    EXPECT_EQ(store.recent(10).size(), 1u);
}

TEST_F(CatalogueTest, EveryLinkOfTheProgramHasAPage) {
    for (const char* path :
         {"/services/screensaver/faq.html?par=SSaver", "/registration/myprofile/step1?par=SSaver",
          "/do_not_know.html", "/services/screensaver/screensaver_email_lp.html?from=SS3",
          "/photos/index.html", "/community/choosefile", "/", "/web/style.css"}) {
        const auto answer = m_server.get(path);
        EXPECT_EQ(answer.status, 200) << path;
        EXPECT_FALSE(answer.body.empty()) << path;
    }
    EXPECT_EQ(m_server.get("/no/such/page.html").status, 404);
}

TEST(ServerConfigTest, ReadsTheFileWithPathsFromItsFolder) {
    testing_support::TempFolder folder;
    folder.write("s.ini", "[server]\nport = 9000\n[data]\ngazetteer = g/US.txt\n"
                          "pings = /var/tmp/p.sqlite\n[key]\ncycle = k2\nprevious_cycle = k1\n"
                          "check = off\n[weather]\nprovider = open-meteo\ncache_seconds = 60\n");
    ServerConfig config;
    std::string error;
    ASSERT_TRUE(loadServerConfig(folder.file("s.ini"), config, error)) << error;
    EXPECT_EQ(config.port, 9000);
    EXPECT_EQ(config.gazetteerPath, folder.file("g/US.txt"));
    EXPECT_EQ(config.pingDatabase, "/var/tmp/p.sqlite");
    EXPECT_EQ(config.cycle, "k2");
    EXPECT_EQ(config.previousCycle, "k1");
    EXPECT_FALSE(config.checkKey);
    EXPECT_EQ(config.provider, "open-meteo");
    EXPECT_EQ(config.cacheSeconds, 60);
    EXPECT_EQ(config.effectivePublicBase(), "http://127.0.0.1:9000");

    for (const char* bad : {"[weather]\nprovider = crystal-ball\n", "[server]\nport = 70000\n",
                            "[server\n", "just text\n", "[key]\ncycle =\n"}) {
        folder.write("bad.ini", bad);
        ServerConfig other;
        EXPECT_FALSE(loadServerConfig(folder.file("bad.ini"), other, error)) << bad;
        EXPECT_FALSE(error.empty());
    }
    EXPECT_FALSE(loadServerConfig(folder.file("absent.ini"), config, error));
}

TEST(ServerStartTest, MissingGazetteerOrBusyPortIsAClearError) {
    EXPECT_THROW(RunningServer([](ServerConfig& c) { c.gazetteerPath = "/nonexistent/US.txt"; }),
                 std::runtime_error);
    RunningServer first;
    const int port = first.port();
    try {
        RunningServer second([port](ServerConfig& c) { c.port = port; });
        FAIL() << "a second server took the same port";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("cannot listen"), std::string::npos);
    }
}

} // namespace
