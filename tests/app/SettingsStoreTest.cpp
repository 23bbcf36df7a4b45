#include "app/SettingsStore.h"

#include "app/CIni.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/WaitUntil.h"

#include <csignal>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <unistd.h>

using testing_support::ScopedEnvironment;
using testing_support::TempFolder;
using testing_support::waitUntil;

namespace {

// Two writers of thousands of keys take a while under the sanitizers on a
// busy machine; the bound only turns a hang into a failure.
constexpr int kWritersBoundMs = 600000;

platform::Process startWriter(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), SETTINGS_WRITER_PATH);
    platform::Process writer = platform::Process::start(arguments);
    EXPECT_TRUE(writer.isRunning());
    return writer;
}

// The keys and values of subsection "race" in the text of config.ini, after
// checking that the store reads them too (and perhaps more: a writer may
// still be adding keys).
std::map<std::string, std::string> raceSection(const std::string& text) {
    const std::string header = "[" + SettingsStore::sectionName("race") + "]\n";
    std::map<std::string, std::string> values;
    std::size_t at = text.find(header);
    if (at != std::string::npos) {
        std::istringstream lines(text.substr(at + header.size()));
        std::string line;
        while (std::getline(lines, line) && !line.empty() && line[0] != '[') {
            const std::size_t equals = line.find('=');
            values[line.substr(0, equals)] =
                equals == std::string::npos ? "" : line.substr(equals + 1);
        }
    }
    const CIni ini(SettingsStore::settingsFilePath().c_str());
    EXPECT_GE(ini.GetKeyNames(SettingsStore::sectionName("race").c_str()).size(), values.size())
        << text;
    return values;
}

class SettingsStoreTest : public ::testing::Test {
protected:
    TempFolder m_home;
    TempFolder m_runtime;
    ScopedEnvironment m_dataHome{"NIMBORA_DATA_HOME", m_home.path() + "data"};
    ScopedEnvironment m_runtimeFolder{"XDG_RUNTIME_DIR", m_runtime.path()};

    std::string configText() const { return m_home.read("data/Nimbora/Screensaver/config.ini"); }

    // The numbers a writer acknowledged, in order.
    std::vector<int> acknowledged(const std::string& ackFile) const {
        std::ifstream in(ackFile);
        std::vector<int> numbers;
        for (int n = 0; in >> n;) {
            numbers.push_back(n);
        }
        return numbers;
    }

    void expectAcknowledgedKeysStored(const std::string& prefix, const std::string& ackFile) {
        const std::vector<int> numbers = acknowledged(ackFile);
        const auto stored = raceSection(configText());
        for (int n : numbers) {
            const auto found = stored.find(prefix + std::to_string(n));
            ASSERT_NE(found, stored.end()) << prefix << n << " was acknowledged but is not stored";
            EXPECT_EQ(found->second, std::to_string(n));
        }
    }

    std::vector<std::string> temporaryFiles() const {
        return platform::findFiles(UserDataFolder(), "config.ini.tmp-*");
    }
};

TEST_F(SettingsStoreTest, FoldersAndFileFollowTheDataHome) {
    EXPECT_EQ(UserDataFolder(), m_home.path() + "data/Nimbora/Screensaver/");
    EXPECT_EQ(SettingsStore::settingsFilePath(),
              m_home.path() + "data/Nimbora/Screensaver/config.ini");
    EXPECT_EQ(LegacyAppsIniPath(), m_home.path() + "data/Nimbora/Desktop/apps.ini");
    {
        ScopedEnvironment install("NIMBORA_INSTALL_FOLDER", "/opt/nimbora/screensaver");
        EXPECT_EQ(InstallFolder(), "/opt/nimbora/screensaver/");
    }
    ScopedEnvironment noData("NIMBORA_DATA_HOME", std::nullopt);
    ScopedEnvironment noXdg("XDG_DATA_HOME", std::nullopt);
    ScopedEnvironment noHome("HOME", std::nullopt);
    EXPECT_EQ(UserDataFolder(), "");
    EXPECT_EQ(LegacyAppsIniPath(), "");
    EXPECT_EQ(SettingsStore::settingsFilePath(), "config.ini");
}

TEST_F(SettingsStoreTest, SectionNamesHangBelowTheMainSection) {
    EXPECT_EQ(SettingsStore::sectionName(""), "Software\\Nimbora\\Apps\\AppData");
    EXPECT_EQ(SettingsStore::sectionName("IP"), "Software\\Nimbora\\Apps\\AppData\\IP");
    EXPECT_EQ(SettingsStore::sectionName("IP\\pk1_7"),
              "Software\\Nimbora\\Apps\\AppData\\IP\\pk1_7");
}

TEST_F(SettingsStoreTest, FirstWriteCreatesTheFolderAndTheFile) {
    EXPECT_FALSE(platform::folderExists(UserDataFolder()));
    EXPECT_TRUE(SettingsStore::SetString("", "locID", "USNY0996"));
    SettingsStore::SetInt("IP", "askmelatercountdown", -1);
    SettingsStore::SetString("promo", "toinstall", "/tmp/pack-setup");
    EXPECT_FALSE(SettingsStore::SetString("", "", "x")) << "an empty key names no setting";
    EXPECT_EQ(configText(), "[Software\\Nimbora\\Apps\\AppData]\nlocID=USNY0996\n\n\n"
                            "[Software\\Nimbora\\Apps\\AppData\\IP]\naskmelatercountdown=-1\n\n\n"
                            "[Software\\Nimbora\\Apps\\AppData\\promo]\n"
                            "toinstall=/tmp/pack-setup\n");
}

TEST_F(SettingsStoreTest, ValuesWrittenAreSeenAtOnce) {
    EXPECT_EQ(SettingsStore::GetString("", "displayName", "none"), "none");
    SettingsStore::SetString("", "displayName", "New York, NY");
    EXPECT_EQ(SettingsStore::GetString("", "displayName", "none"), "New York, NY");
    EXPECT_EQ(SettingsStore::GetString("IP", "displayName", "none"), "none")
        << "subsections are separate sections";
    SettingsStore::SetInt("", "trackT", 1796643607);
    EXPECT_EQ(SettingsStore::GetInt("", "trackT", 0), 1796643607);
    EXPECT_EQ(SettingsStore::GetString("", "trackT", ""), "1796643607") << "decimal text";
}

TEST_F(SettingsStoreTest, BoolIsTrueOnlyForOne) {
    EXPECT_TRUE(SettingsStore::GetBool("blendImages", 1)) << "absent gives the default";
    SettingsStore::SetString("", "blendImages", "");
    EXPECT_TRUE(SettingsStore::GetBool("blendImages", 1)) << "empty gives the default";
    SettingsStore::SetString("", "blendImages", "2");
    EXPECT_FALSE(SettingsStore::GetBool("blendImages", 1));
    SettingsStore::SetString("", "blendImages", "yes");
    EXPECT_FALSE(SettingsStore::GetBool("blendImages", 1));
    SettingsStore::SetInt("", "blendImages", 1);
    EXPECT_TRUE(SettingsStore::GetBool("blendImages", 0));
    SettingsStore::SetInt("", "clearScreen", 0);
    EXPECT_FALSE(SettingsStore::GetBool("clearScreen", 1));
}

TEST_F(SettingsStoreTest, TextWithoutDigitsReadsAsZero) {
    SettingsStore::SetString("", "Speed", "abc");
    EXPECT_EQ(SettingsStore::GetInt("", "Speed", 1), 0);
}

TEST_F(SettingsStoreTest, LongFavouritesListReadsBackWhole) {
    std::string favourites;
    for (int n = 0; favourites.size() < 3000; ++n) {
        if (n > 0) {
            favourites += ';';
        }
        favourites += std::to_string(10 + n % 80) + ",0" + std::to_string(n % 10);
    }
    SettingsStore::SetString("", "Seasons.wxs", favourites);
    EXPECT_EQ(SettingsStore::GetString("", "Seasons.wxs", ""), favourites);
}

TEST_F(SettingsStoreTest, FileWrittenByHandIsReadLikeAProfileFile) {
    m_home.write("data/Nimbora/Screensaver/config.ini",
                 "[software\\nimbora\\apps\\appdata]\nUT=C\nspeed = 4\n"
                 "[Software\\Nimbora\\Apps\\AppData\\ip]\nAskMeLaterActivePackID=pk9\n");
    EXPECT_EQ(SettingsStore::GetString("", "ut", "F"), "C");
    EXPECT_EQ(SettingsStore::GetInt("", "Speed", 1), 4);
    EXPECT_EQ(SettingsStore::GetString("IP", "askmelateractivepackid", ""), "pk9");
}

TEST(SettingsStoreRace, ConcurrentWritersFromTwoProcessesKeepEachOthersKeys) {
    // The race is about the lock, not the disk: in memory it runs at the
    // speed of the writers.
    TempFolder home(TempFolder::Storage::Memory);
    ScopedEnvironment dataHome("NIMBORA_DATA_HOME", home.path());
    ScopedEnvironment runtimeFolder("XDG_RUNTIME_DIR", home.path());
    constexpr int kCount = 2000;
    platform::Process first = startWriter({"first", "0", std::to_string(kCount)});
    platform::Process second = startWriter({"second", "0", std::to_string(kCount)});
    EXPECT_EQ(first.wait(kWritersBoundMs), 0) << "every write is stored, none fails";
    EXPECT_EQ(second.wait(kWritersBoundMs), 0);
    const auto stored = raceSection(home.read("Nimbora/Screensaver/config.ini"));
    EXPECT_EQ(stored.size(), 2u * kCount);
    for (int n = 0; n < kCount; ++n) {
        EXPECT_EQ(stored.count("first" + std::to_string(n)), 1u) << n;
        EXPECT_EQ(stored.count("second" + std::to_string(n)), 1u) << n;
    }
    EXPECT_EQ(platform::findFiles(UserDataFolder(), "*").size(), 1u) << "only config.ini";
}

TEST_F(SettingsStoreTest, WritersKilledMidWriteLoseNoAcknowledgedKeyAndLeaveNoTemporaryFile) {
    const std::string steadyAcks = m_home.file("steady.acks");
    const std::string killedAcks = m_home.file("killed.acks");
    platform::Process steady = startWriter({"steady", "0", "0", steadyAcks});
    int nTemporaryFilesSeen = 0;
    for (int nKill = 0; nKill < 50; ++nKill) {
        const std::vector<int> before = acknowledged(killedAcks);
        const int next = before.empty() ? 0 : before.back() + 1;
        platform::Process victim = startWriter({"killed", std::to_string(next), "0", killedAcks});
        ASSERT_TRUE(waitUntil([&] { return acknowledged(killedAcks).size() > before.size(); }));
        ::kill(victim.pid(), SIGKILL);
        EXPECT_EQ(victim.wait(kWritersBoundMs), -1);
        nTemporaryFilesSeen += static_cast<int>(temporaryFiles().size());
        expectAcknowledgedKeysStored("killed", killedAcks);
        expectAcknowledgedKeysStored("steady", steadyAcks);
    }
    ::kill(steady.pid(), SIGKILL);
    EXPECT_EQ(steady.wait(kWritersBoundMs), -1);
    expectAcknowledgedKeysStored("steady", steadyAcks);

    // The next writer clears away what the killed ones left.
    EXPECT_TRUE(SettingsStore::SetString("", "afterwards", "1"));
    EXPECT_TRUE(temporaryFiles().empty());
    expectAcknowledgedKeysStored("killed", killedAcks);
    RecordProperty("TemporaryFilesLeftByKills", nTemporaryFilesSeen);
}

TEST_F(SettingsStoreTest, FailedWriteIsReportedAndChangesNothing) {
    EXPECT_TRUE(SettingsStore::SetInt("", "Speed", 4));
    const std::string before = configText();
    // config.ini becomes a folder: it can neither be read nor replaced.
    const std::string path = SettingsStore::settingsFilePath();
    ASSERT_EQ(std::rename(path.c_str(), (path + ".aside").c_str()), 0);
    ASSERT_TRUE(platform::createFolders(path));
    EXPECT_FALSE(SettingsStore::SetInt("", "Speed", 5));
    EXPECT_FALSE(SettingsStore::SetString("", "ut", "C"));
    ASSERT_EQ(::rmdir(path.c_str()), 0);
    ASSERT_EQ(std::rename((path + ".aside").c_str(), path.c_str()), 0);
    EXPECT_EQ(configText(), before);
    EXPECT_EQ(SettingsStore::GetInt("", "Speed", 1), 4);
}

} // namespace
