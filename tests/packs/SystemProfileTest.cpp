#include "packs/SystemProfile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(SystemProfile, ReadsTheKernelAndTheReleaseFile) {
    testing_support::TempFolder folder;
    folder.write("os-release", "# comment\nNAME=\"Debian GNU/Linux\"\nVERSION_ID='12'\n"
                               "PRETTY_NAME=\"Debian \\\"bookworm\\\"\"\nID=debian\nbroken line\n");
    const SystemProfile::OsVersionInfo info =
        SystemProfile::GetOsVersionInfo(folder.file("os-release"));
    EXPECT_EQ(info.sysname, "Linux");
    EXPECT_FALSE(info.machine.empty());
    EXPECT_EQ(info.osName, "Debian GNU/Linux");
    EXPECT_EQ(info.osVersionId, "12");
    EXPECT_EQ(info.osPrettyName, "Debian \"bookworm\"");
    EXPECT_EQ(SystemProfile::GetOsVersionInfo(folder.file("missing")).osName, "");
}

TEST(SystemProfile, NoWindowsTestHoldsAndOnlyA32BitProgramOnA64BitSystemIs64BitOS) {
    SystemProfile::OsVersionInfo info;
    info.machine = "x86_64";
    info.bProcess64Bit = false;
    const SystemProfile wow(info);
    EXPECT_TRUE(wow.Is64BitOS());
    EXPECT_FALSE(wow.isOsWin7());
    EXPECT_FALSE(wow.isOSsVista());
    EXPECT_FALSE(wow.isOS_XP());
    info.bProcess64Bit = true;
    EXPECT_FALSE(SystemProfile(info).Is64BitOS());
    info.machine = "i686";
    info.bProcess64Bit = false;
    EXPECT_FALSE(SystemProfile(info).Is64BitOS());
    EXPECT_EQ(wow.describe().rfind("SystemProfile::GetOsVersionInfo() - ", 0), 0u);
    EXPECT_NE(wow.describe().find("Is64BitOS = TRUE"), std::string::npos);
}

} // namespace
