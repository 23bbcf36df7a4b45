#include "ServicesTestSupport.h"
#include "app/DrawingWindowSettings.h"
#include "app/ServiceAddresses.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "net/HttpLimits.h"
#include "net/InternetServices.h"
#include "net/Sha256.h"
#include "packs/ImgPackManager.h"
#include "packs/PackFolders.h"
#include "platform/DebugOutput.h"
#include "slideshow/ImageDLLInterface.h"
#include "slideshow/PackFixtures.h"
#include "slideshow/PackIcons.h"
#include "support/LocalHttpServer.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using services_test::RunningServer;

namespace {

// Tracking codes of an entry of the catalogue file, from its first letter.
std::string catalogueSection(const std::string& csId, const std::string& csExtra = "") {
    const std::string c = csId.substr(0, 1);
    return "[" + csId + "]\nshow = t\nranking = 1\nunique_val = u1\n" + csExtra +
           "promo_disp = " + c + "disp\nsel_yes = " + c + "yes\nsel_no = " + c +
           "no\nsel_later = " + c + "later\ndwnld_init = " + c + "init\ndwnld_succ = " + c +
           "succ\ndwnld_fail = " + c + "fail\n";
}

// Every file below a folder, as paths relative to it.
std::vector<std::string> filesBelow(const std::string& csFolder) {
    std::vector<std::string> files;
    std::error_code error;
    for (fs::recursive_directory_iterator it(csFolder, error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_directory()) {
            files.push_back(it->path().lexically_relative(csFolder).string());
        }
    }
    return files;
}

// The program's side (a private data home and install folder, the
// configuration service pointing at the real web services) and the
// services' side (their packs folder and catalogue file).
class PackInstall : public ::testing::Test {
protected:
    PackInstall() {
        platform::setDebugSink([this](std::string_view text) { m_debug += text; });
        SettingsStore::SetString(kServicesSubsection, "configuration", serverBase());
        g_bUseDirectQuery = false;
    }
    ~PackInstall() override {
        platform::setDebugSink({});
        g_bUseDirectQuery = false;
    }

    std::string serverBase() const { return "http://127.0.0.1:" + std::to_string(m_server.port()); }
    std::string servedPack(const std::string& csName) const {
        return m_server.folder().file("packs/" + csName);
    }
    void offer(const std::string& csCatalogueFile) const {
        m_server.folder().write("catalogue.ini", csCatalogueFile);
    }
    // The catalogue as a full-screen run loads it.
    void loadCatalogue() {
        ASSERT_TRUE(m_config.fetch());
        m_manager.load();
    }
    void loadCatalogue(const std::string& csDocument) {
        m_config.setText(csDocument);
        m_manager.load();
    }
    int indexOf(const std::string& csId) const {
        const auto& packs = m_manager.catalogue().packs;
        for (std::size_t i = 0; i < packs.size(); ++i) {
            if (packs[i].id == csId) {
                return static_cast<int>(i);
            }
        }
        ADD_FAILURE() << csId << " is not in the catalogue";
        return -1;
    }
    bool install(const std::string& csId) {
        m_pings.clear();
        return m_manager.downloadAndInstall(
            indexOf(csId), [this](const std::string& code) { m_pings.push_back(code); });
    }
    std::string userPacks() const { return m_dataHome.file("Nimbora/Screensaver/packs/"); }

    testing_support::TempFolder m_dataHome;
    testing_support::TempFolder m_installFolder;
    testing_support::ScopedEnvironment m_dataEnvironment{"NIMBORA_DATA_HOME", m_dataHome.path()};
    testing_support::ScopedEnvironment m_installEnvironment{"NIMBORA_INSTALL_FOLDER",
                                                            m_installFolder.path()};
    RunningServer m_server;
    SsConfig m_config;
    ImgPackManager m_manager{m_config};
    std::vector<std::string> m_pings;
    std::string m_debug;
};

TEST_F(PackInstall, YesInstallsTheOfferedPackForThisUserAndTheNextRunShowsIt) {
    fixtures::writeValidPack(servedPack("Good.wxs"));
    offer(catalogueSection("Good.wxs"));
    loadCatalogue();
    ASSERT_TRUE(m_manager.shouldShowPromo());
    const ImgPackInfo& offered = m_manager.catalogue().packs.at(m_manager.promoIndex());
    ASSERT_EQ(offered.id, "Good.wxs");
    std::string csError;
    EXPECT_EQ(offered.dlurl_sha256, sha256OfFile(servedPack("Good.wxs"), csError));

    ASSERT_TRUE(install("Good.wxs")) << m_debug;
    EXPECT_EQ(m_pings, (std::vector<std::string>{"Ginit", "Gsucc"}));
    EXPECT_EQ(filesBelow(userPacks()), std::vector<std::string>{"Good.wxs"});
    EXPECT_EQ(services_test::readFile(userPacks() + "Good.wxs"),
              services_test::readFile(servedPack("Good.wxs")));
    EXPECT_EQ(settings::get(settings::kInstalledBy), "promo");
    EXPECT_EQ(settings::get(settings::kToInstall), "");
    EXPECT_NE(m_debug.find("SystemProfile::GetOsVersionInfo() - "), std::string::npos);
    EXPECT_NE(
        m_debug.find("-=-=-= downloading '" + offered.dlurl + "' to '" + userPacks() + "Good.wxs'"),
        std::string::npos);
    EXPECT_EQ(m_debug.find("CreateProcess"), std::string::npos);

    // The next run: the catalogue marks it installed and offers it no more;
    // the pack lists and the show loads it, icons and all.
    SsConfig nextConfig;
    ImgPackManager next(nextConfig);
    ASSERT_TRUE(nextConfig.fetch());
    next.load();
    EXPECT_TRUE(next.catalogue().packs.at(0).installed);
    EXPECT_FALSE(next.shouldShowPromo());
    const std::vector<PackFile> packs = listPackFiles();
    ASSERT_EQ(packs.size(), 1u);
    EXPECT_EQ(packs[0].csPath, userPacks() + "Good.wxs");
    DrawingWindowSettings show;
    chooseImagePack(show);
    EXPECT_EQ(show.imagePackFile, userPacks() + "Good.wxs");
    EXPECT_EQ(settings::get(settings::kCurrentImagePackFileName), "Good.wxs");
    const ImageDLLInterface pack(show.imagePackFile);
    ASSERT_TRUE(pack.isLoaded());
    std::string csSource;
    EXPECT_TRUE(loadPackPngIcon(pack.getModuleHandle(), pack.getIconPath() + "32.png",
                                kIconDecodeLimits, csSource)
                    .ok())
        << csSource;
}

TEST_F(PackInstall, ADownloadThatFailsItsChecksInstallsNothing) {
    fixtures::writeValidPack(servedPack("Whole.wxs"));
    const std::string csWhole = services_test::readFile(servedPack("Whole.wxs"));
    m_server.folder().write("packs/Truncated.wxs", csWhole.substr(0, csWhole.size() * 2 / 3));
    m_server.folder().write("packs/NotZip.wxs", "This is not a ZIP archive.\n");
    std::string csHugeManifest = fixtures::completeManifest(5);
    while (csHugeManifest.size() <= 1024 * 1024) {
        csHugeManifest += "; " + std::string(1000, 'x') + "\n";
    }
    fixtures::writeValidPack(servedPack("Huge.wxs"), 0x336699, {{"manifest.ini", csHugeManifest}});
    // Its icons only beside it on the server: a pack arriving alone needs them inside.
    fixtures::writePack(servedPack("NoIcons.wxs"), fixtures::completeManifest(5));
    offer(catalogueSection("Truncated.wxs") + catalogueSection("NotZip.wxs") +
          catalogueSection("Huge.wxs") + catalogueSection("NoIcons.wxs"));
    // A pack of one of those names installed before stays as it was.
    fs::create_directories(userPacks());
    m_dataHome.write("Nimbora/Screensaver/packs/NotZip.wxs", "the pack installed before");
    loadCatalogue();

    for (const char* szId : {"Truncated.wxs", "NotZip.wxs", "Huge.wxs", "NoIcons.wxs"}) {
        const std::string c(1, szId[0]);
        EXPECT_FALSE(install(szId)) << szId;
        EXPECT_EQ(m_pings, (std::vector<std::string>{c + "init", c + "fail"})) << szId;
    }
    EXPECT_EQ(filesBelow(userPacks()), std::vector<std::string>{"NotZip.wxs"});
    EXPECT_EQ(m_dataHome.read("Nimbora/Screensaver/packs/NotZip.wxs"), "the pack installed before");
    EXPECT_EQ(settings::get(settings::kInstalledBy), "");
    EXPECT_NE(m_debug.find("is missing from the pack"), std::string::npos) << m_debug;
}

TEST_F(PackInstall, TheCataloguesDigestMustMatchWhenItGivesOne) {
    fixtures::writeValidPack(servedPack("Good.wxs"));
    offer(catalogueSection("Good.wxs"));
    loadCatalogue();
    // The file changes between the catalogue and the download.
    fixtures::writeValidPack(servedPack("Good.wxs"), 0x993366);
    EXPECT_FALSE(install("Good.wxs"));
    EXPECT_EQ(m_pings, (std::vector<std::string>{"Ginit", "Gfail"}));
    EXPECT_TRUE(filesBelow(userPacks()).empty());
    EXPECT_NE(m_debug.find("is not the catalogue's"), std::string::npos);

    // An older catalogue without digests still installs.
    const std::string csDlurl = serverBase() + "/packs/Good.wxs";
    loadCatalogue("<ss><packs><pack id=\"Good.wxs\"><dlurl lfn=\"Good.wxs\">" + csDlurl +
                  "</dlurl></pack></packs></ss>");
    EXPECT_TRUE(install("Good.wxs")) << m_debug;
    // A digest that is not one never matches.
    loadCatalogue("<ss><packs><pack id=\"Good.wxs\"><dlurl lfn=\"Good.wxs\" sha256=\"abc\">" +
                  csDlurl + "</dlurl></pack></packs></ss>");
    EXPECT_FALSE(install("Good.wxs"));
}

TEST_F(PackInstall, OnlyAPlainPackFileNameIsInstalled) {
    fixtures::writeValidPack(servedPack("Good.wxs"));
    const std::string csDlurl = serverBase() + "/packs/Good.wxs";
    const std::string csOutside = m_dataHome.file("Nimbora/Screensaver/x.wxs");
    ASSERT_FALSE(fs::exists("/etc/x"));
    for (const std::string& csName : std::vector<std::string>{
             "../x.wxs", "/etc/x", csOutside, "sub/x.wxs", "..\\x.wxs", "x", "x.WXS", ".wxs", ""}) {
        loadCatalogue("<ss><packs><pack id=\"Good.wxs\"><dlurl lfn=\"" + csName + "\">" + csDlurl +
                      "</dlurl><promo><tracking><dwnld_init>i</dwnld_init><dwnld_fail>f"
                      "</dwnld_fail></tracking></promo></pack></packs></ss>");
        EXPECT_FALSE(install("Good.wxs")) << csName;
        EXPECT_EQ(m_pings, (std::vector<std::string>{"i", "f"})) << csName;
    }
    EXPECT_FALSE(fs::exists("/etc/x"));
    EXPECT_EQ(filesBelow(m_dataHome.path()),
              std::vector<std::string>{"Nimbora/Screensaver/config.ini"});
    // Nothing was even fetched.
    for (const std::string& csLine : m_server.logLines()) {
        EXPECT_EQ(csLine.find("/packs/"), std::string::npos) << csLine;
    }
}

TEST_F(PackInstall, ServersThatBreakOffOrStallAreGivenUpOn) {
    const HttpLimits saved = httpLimits();
    HttpLimits limits = saved;
    limits.nStallBytesPerSecond = 64;
    limits.nStallSeconds = 1;
    setHttpLimits(limits);
    testing_support::LocalHttpServer broken([](httplib::Server& server,
                                               const testing_support::LocalHttpServer& owner) {
        // Promises a whole pack, sends ten bytes and drops the connection.
        server.Get("/cut.wxs", [](const httplib::Request&, httplib::Response& response) {
            response.set_content_provider(100000, "application/octet-stream",
                                          [](size_t offset, size_t, httplib::DataSink& sink) {
                                              return offset == 0 &&
                                                     sink.write("PK\x03\x04xxxxxx", 10);
                                          });
        });
        // Sends the headers, then nothing.
        server.Get("/stall.wxs", [&owner](const httplib::Request&, httplib::Response& response) {
            response.set_chunked_content_provider(
                "application/octet-stream", [&owner](size_t, httplib::DataSink&) {
                    return owner.sleepUnlessStopping(std::chrono::minutes(5)) && false;
                });
        });
    });
    for (const char* szPath : {"/cut.wxs", "/stall.wxs"}) {
        loadCatalogue("<ss><packs><pack id=\"Far.wxs\"><dlurl lfn=\"Far.wxs\">" +
                      broken.url(szPath) +
                      "</dlurl><promo><tracking><dwnld_init>i</dwnld_init><dwnld_fail>f"
                      "</dwnld_fail></tracking></promo></pack></packs></ss>");
        EXPECT_FALSE(install("Far.wxs")) << szPath;
        EXPECT_EQ(m_pings, (std::vector<std::string>{"i", "f"})) << szPath;
    }
    EXPECT_TRUE(filesBelow(userPacks()).empty());
    setHttpLimits(saved);
}

} // namespace
