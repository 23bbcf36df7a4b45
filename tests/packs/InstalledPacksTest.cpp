#include "packs/InstalledPacks.h"

#include "support/TempFolder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

TEST(InstalledPacks, EachFileNameOnceFromTheFirstFolderThatHoldsIt) {
    testing_support::TempFolder install;
    testing_support::TempFolder user;
    install.write("skies.wxs", "x");
    install.write("readme.txt", "x");
    user.write("skies.wxs", "x");
    user.write("Skies.wxs", "x"); // another name: letter case counts
    user.write("coast.wxs", "x");
    std::vector<std::string> paths;
    for (const InstalledPack& pack :
         installedPacks({install.path(), "", user.path(), "/no/such/"})) {
        paths.push_back(pack.path());
    }
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths, (std::vector<std::string>{user.file("Skies.wxs"), user.file("coast.wxs"),
                                               install.file("skies.wxs")}));
}

TEST(InstalledPacks, AFolderWithoutItsSlashStillCounts) {
    testing_support::TempFolder install;
    install.write("a.wxs", "x");
    std::string folder = install.path();
    folder.pop_back();
    const std::vector<InstalledPack> packs = installedPacks({folder});
    ASSERT_EQ(packs.size(), 1u);
    EXPECT_EQ(packs[0].path(), install.file("a.wxs"));
}

} // namespace
