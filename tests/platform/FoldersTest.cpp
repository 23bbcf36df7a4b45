#include "platform/Folders.h"

#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <gtest/gtest.h>

using testing_support::ScopedEnvironment;
using testing_support::TempFolder;

namespace {

TEST(UserDataBase, PrefersOwnVariableThenXdgThenHome) {
    ScopedEnvironment home("HOME", "/home/someone/");
    {
        ScopedEnvironment own("NIMBORA_DATA_HOME", "/data/own/");
        ScopedEnvironment xdg("XDG_DATA_HOME", "/data/xdg");
        EXPECT_EQ(platform::userDataBase(), "/data/own");
    }
    {
        ScopedEnvironment own("NIMBORA_DATA_HOME", "");
        ScopedEnvironment xdg("XDG_DATA_HOME", "/data/xdg");
        EXPECT_EQ(platform::userDataBase(), "/data/xdg");
    }
    ScopedEnvironment own("NIMBORA_DATA_HOME", std::nullopt);
    ScopedEnvironment xdg("XDG_DATA_HOME", std::nullopt);
    EXPECT_EQ(platform::userDataBase(), "/home/someone/.local/share");
    ScopedEnvironment noHome("HOME", std::nullopt);
    EXPECT_EQ(platform::userDataBase(), "");
}

TEST(InstallFolderBase, VariableOverridesTheBuiltInFolder) {
    {
        ScopedEnvironment unset("NIMBORA_INSTALL_FOLDER", std::nullopt);
        std::string builtIn = platform::installFolderBase();
        ASSERT_FALSE(builtIn.empty());
        EXPECT_EQ(builtIn.back(), '/');
        ScopedEnvironment empty("NIMBORA_INSTALL_FOLDER", "");
        EXPECT_EQ(platform::installFolderBase(), builtIn) << "an empty value does not count";
    }
    ScopedEnvironment set("NIMBORA_INSTALL_FOLDER", "/opt/nimbora");
    EXPECT_EQ(platform::installFolderBase(), "/opt/nimbora/");
}

TEST(RuntimeFolder, UsesTheSessionRuntimeFolderOrAPerUserTemporaryOne) {
    {
        ScopedEnvironment runtime("XDG_RUNTIME_DIR", "/run/user/1234");
        EXPECT_EQ(platform::runtimeFolder(), "/run/user/1234/nimbora-screensaver/");
    }
    ScopedEnvironment runtime("XDG_RUNTIME_DIR", std::nullopt);
    std::string folder = platform::runtimeFolder();
    EXPECT_EQ(folder.rfind("/tmp/nimbora-screensaver-", 0), 0u);
    EXPECT_EQ(folder.back(), '/');
}

TEST(ExecutableFolder, HoldsTheRunningProgram) {
    std::string folder = platform::executableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(platform::fileExists(folder + "platform_folders_test"));
}

TEST(CreateFolders, MakesEveryMissingLevel) {
    TempFolder temp;
    std::string deep = temp.path() + "a/b/c/";
    EXPECT_FALSE(platform::folderExists(deep));
    EXPECT_TRUE(platform::createFolders(deep));
    EXPECT_TRUE(platform::folderExists(temp.path() + "a/b/c"));
    EXPECT_TRUE(platform::createFolders(deep)) << "existing folders are fine";
    EXPECT_TRUE(platform::createFolders(temp.path() + "a/b/d"));
    EXPECT_TRUE(platform::folderExists(temp.path() + "a/b/d"));
}

TEST(CreateFolders, FailsWhereAFileIsInTheWay) {
    TempFolder temp;
    temp.write("plain", "x");
    EXPECT_FALSE(platform::createFolders(temp.path() + "plain/sub"));
    EXPECT_FALSE(platform::createFolders(""));
    EXPECT_TRUE(platform::fileExists(temp.file("plain")));
    EXPECT_FALSE(platform::folderExists(temp.file("plain")));
    EXPECT_FALSE(platform::fileExists(temp.path()));
}

TEST(FindFiles, ListsMatchingPlainFilesOnly) {
    TempFolder temp;
    temp.write("Sky.wxs", "1");
    temp.write("second.wxs", "2");
    temp.write("notes.txt", "3");
    temp.write("pack.wxs.bak", "4");
    temp.write("folder.wxs/inner.wxs", "5");

    std::vector<std::string> found = platform::findFiles(temp.path(), "*.wxs");
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"Sky.wxs", "second.wxs"}));
    EXPECT_EQ(platform::findFiles(temp.path() + "missing", "*.wxs").size(), 0u);
    EXPECT_EQ(platform::findFiles(temp.path().substr(0, temp.path().size() - 1), "*.txt"),
              (std::vector<std::string>{"notes.txt"}));
}

} // namespace
