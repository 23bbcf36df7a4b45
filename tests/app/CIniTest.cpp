#include "app/CIni.h"

#include "platform/DebugOutput.h"
#include "platform/Folders.h"
#include "platform/NamedLock.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using testing_support::TempFolder;

namespace {

class CIniTest : public ::testing::Test {
protected:
    TempFolder m_folder;
    std::string m_csPath = m_folder.file("test.ini");
    CIni m_ini{m_csPath.c_str()};
};

TEST_F(CIniTest, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(m_ini.GetString("Section", "key", "fallback"), "fallback");
    EXPECT_EQ(m_ini.GetInt("Section", "key", 17), 17);
    m_folder.write("test.ini", "[Section]\nother=1\n");
    EXPECT_EQ(m_ini.GetString("Section", "key", "fallback"), "fallback");
    EXPECT_EQ(m_ini.GetString("Elsewhere", "other", "fallback"), "fallback");
    EXPECT_EQ(m_ini.GetString("Section", "key", nullptr), "");
}

TEST_F(CIniTest, NamesAreCaseInsensitiveAndKeepTheirFirstSpelling) {
    m_folder.write("test.ini", "[Software\\Nimbora\\Apps\\AppData]\nLOCID = 10001 \n");
    EXPECT_EQ(m_ini.GetString("software\\nimbora\\apps\\appdata", "locID", ""), "10001");
    ASSERT_TRUE(m_ini.WriteString("SOFTWARE\\Nimbora\\Apps\\AppData", "locid", "20002"));
    EXPECT_EQ(m_folder.read("test.ini"), "[Software\\Nimbora\\Apps\\AppData]\nLOCID=20002\n");
}

TEST_F(CIniTest, NullArgumentsDoNothing) {
    EXPECT_FALSE(m_ini.WriteString(nullptr, "key", "v"));
    EXPECT_FALSE(m_ini.WriteString("Section", nullptr, "v"));
    EXPECT_FALSE(platform::fileExists(m_csPath));
    EXPECT_EQ(m_ini.GetString(nullptr, "key", "d"), "d");
    EXPECT_EQ(m_ini.GetInt("Section", nullptr, 5), 5);

    ASSERT_TRUE(m_ini.WriteString("Section", "key", nullptr));
    EXPECT_EQ(m_ini.GetString("Section", "key", "d"), "") << "a null value is written as empty";

    CIni cleared(nullptr);
    EXPECT_EQ(cleared.GetPathName(), "");
    EXPECT_FALSE(cleared.WriteString("Section", "key", "v"));
    m_ini.SetPathName(nullptr);
    EXPECT_EQ(m_ini.GetPathName(), "");
}

TEST_F(CIniTest, LongValuesReadBackWhole) {
    std::string favourites;
    while (favourites.size() < 3000) {
        favourites += "01,02;";
    }
    ASSERT_TRUE(m_ini.WriteString("Section", "pack.wxs", favourites.c_str()));
    EXPECT_EQ(m_ini.GetString("Section", "pack.wxs", ""), favourites);
}

TEST_F(CIniTest, IntegersFollowTheProfileReadingRules) {
    m_folder.write("test.ini", "[S]\nletters=abc\nempty=\nnegative=-1\nlead=12abc\n"
                               "hex=1F\nhexPrefix=0x1f\noctal=17\nbinary=101\n"
                               "huge=99999999999\nblank=  42\n");
    EXPECT_EQ(m_ini.GetInt("S", "letters", 7), 0) << "no digits is 0, not the default";
    EXPECT_EQ(m_ini.GetInt("S", "empty", 7), 7);
    EXPECT_EQ(m_ini.GetInt("S", "negative", 7), -1);
    EXPECT_EQ(m_ini.GetInt("S", "lead", 7), 12);
    EXPECT_EQ(m_ini.GetInt("S", "hex", 7, 16), 31);
    EXPECT_EQ(m_ini.GetInt("S", "hexPrefix", 7, 16), 31);
    EXPECT_EQ(m_ini.GetInt("S", "hex", 7), 1) << "base 10 stops at the F";
    EXPECT_EQ(m_ini.GetInt("S", "octal", 7, 8), 15);
    EXPECT_EQ(m_ini.GetInt("S", "binary", 7, 2), 5);
    EXPECT_EQ(m_ini.GetInt("S", "octal", 7, 36), 17) << "other bases mean 10";
    EXPECT_EQ(m_ini.GetInt("S", "huge", 7), -1) << "saturates like a 32-bit strtoul";
    EXPECT_EQ(m_ini.GetInt("S", "blank", 7), 42);
}

TEST(IniIntText, OnlyTheFirst64CharactersCount) {
    EXPECT_EQ(parseIniInt(std::string(63, '0') + "7", 10), 7);
    EXPECT_EQ(parseIniInt(std::string(64, '0') + "7", 10), 0);
    EXPECT_EQ(parseIniInt("- 5", 10), 0);
    EXPECT_EQ(parseIniInt("+5", 10), 5);
    EXPECT_EQ(parseIniInt("4294967295", 10), -1);
}

TEST(IniIntText, WritesEachBaseInItsFormat) {
    EXPECT_EQ(formatIniInt(-42, 10), "-42");
    EXPECT_EQ(formatIniInt(255, 16), "FF");
    EXPECT_EQ(formatIniInt(-1, 16), "FFFFFFFF");
    EXPECT_EQ(formatIniInt(8, 8), "10");
    EXPECT_EQ(formatIniInt(5, 2), "101");
    EXPECT_EQ(formatIniInt(0, 2), "0");
    EXPECT_EQ(formatIniInt(12, 7), "12");
    for (int base : {2, 8, 10, 16}) {
        for (int value : {0, 1, -1, 1000, 2147483647}) {
            EXPECT_EQ(parseIniInt(formatIniInt(value, base), base), value) << base;
        }
    }
}

TEST_F(CIniTest, LineBreaksInAValueCannotAddKeysOrSections) {
    ASSERT_TRUE(m_ini.WriteString("S", "displayName", "Paris\r\n[S]\nlocID=evil"));
    EXPECT_EQ(m_ini.GetString("S", "displayName", ""), "Paris  [S] locID=evil");
    EXPECT_EQ(m_ini.GetString("S", "locID", "none"), "none");
    EXPECT_EQ(m_folder.read("test.ini"), "[S]\ndisplayName=Paris  [S] locID=evil\n");
}

TEST_F(CIniTest, UnsafeNamesAreMappedTheSameWayOnReadAndWrite) {
    ASSERT_TRUE(m_ini.WriteString("IP\\pack]x\n[Other", "a=b.wxs", "one"));
    ASSERT_TRUE(m_ini.WriteString("S", ";hidden\nnext", "two"));
    EXPECT_EQ(m_ini.GetString("IP\\pack]x\n[Other", "a=b.wxs", ""), "one");
    EXPECT_EQ(m_ini.GetString("S", ";hidden\nnext", ""), "two");
    EXPECT_EQ(m_ini.GetString("IP\\pack", "a", "none"), "none");
    EXPECT_EQ(m_folder.read("test.ini"), "[IP\\pack_x_[Other]\na_b.wxs=one\n\n\n[S]\n"
                                         "_hidden_next=two\n");
    EXPECT_FALSE(m_ini.WriteString("S", "  ", "empty key"));
}

TEST_F(CIniTest, WriteKeepsEverythingElseInPlace) {
    std::string original = "; written by hand\n[First]\nb=2\na=1\n\n[Second]\nc=3\n";
    m_folder.write("test.ini", original);
    ASSERT_TRUE(m_ini.WriteString("First", "b", "20"));
    ASSERT_TRUE(m_ini.WriteString("Second", "d", "4"));
    ASSERT_TRUE(m_ini.WriteString("Third", "e", "5"));
    EXPECT_EQ(m_folder.read("test.ini"),
              "; written by hand\n\n\n[First]\nb=20\na=1\n\n\n[Second]\nc=3\nd=4\n\n\n"
              "[Third]\ne=5\n");
    EXPECT_EQ(platform::findFiles(m_folder.path(), "*tmp*").size(), 0u) << "no temporary left";
}

TEST_F(CIniTest, ACommentAtTheEndOfTheFileStaysThere) {
    m_folder.write("test.ini", "[S]\na=1\n\n; the end\n# really\n");
    ASSERT_TRUE(m_ini.WriteString("S", "b", "2"));
    EXPECT_EQ(m_folder.read("test.ini"), "[S]\na=1\nb=2\n; the end\n# really\n");
    ASSERT_TRUE(m_ini.WriteString("T", "c", "3"));
    ASSERT_TRUE(m_ini.WriteString("S", "a", "10"));
    EXPECT_EQ(m_folder.read("test.ini"), "[S]\na=10\nb=2\n\n\n[T]\nc=3\n; the end\n# really\n")
        << "each rewrite keeps it once, at the end";
    ASSERT_TRUE(m_ini.DeleteSection("T"));
    EXPECT_EQ(m_folder.read("test.ini"), "[S]\na=10\nb=2\n; the end\n# really\n");

    m_folder.write("test.ini", "; only a comment\n\n; and another\n");
    ASSERT_TRUE(m_ini.WriteString("S", "a", "1"));
    EXPECT_EQ(m_folder.read("test.ini"), "; only a comment\n\n\n[S]\na=1\n; and another\n");

    // A section of the file's own may bear any name, even the one the
    // rewrite uses to keep that comment in place.
    const std::string ownSection = "[\x01"
                                   "END OF FILE\x01]\n";
    m_folder.write("test.ini", "[S]\na=1\n" + ownSection + "; tail\n");
    ASSERT_TRUE(m_ini.WriteString("S", "b", "2"));
    EXPECT_EQ(m_folder.read("test.ini"), "[S]\na=1\nb=2\n\n\n" + ownSection + "; tail\n");
}

TEST_F(CIniTest, ANulByteHidesNothingAfterIt) {
    using namespace std::string_literals;
    m_folder.write("test.ini", "[S]\na=1\0\0junk\nb=2\n; the end\n"s);
    EXPECT_EQ(m_ini.GetString("S", "b", "none"), "2");
    ASSERT_TRUE(m_ini.WriteString("S", "c", "3"));
    EXPECT_EQ(m_folder.read("test.ini"), "[S]\na=1  junk\nb=2\nc=3\n; the end\n");
}

TEST_F(CIniTest, AnUnclosedSectionHeaderEndsWithItsLine) {
    m_folder.write("test.ini", "[S]\na=1\n[broken\r\nc=1\n  [also broken  \n");
    EXPECT_EQ(m_ini.GetString("broken", "c", "none"), "1");
    ASSERT_TRUE(m_ini.WriteString("S", "b", "2"));
    const std::string once = m_folder.read("test.ini");
    EXPECT_EQ(once, "[S]\na=1\nb=2\n\n\n[broken]\nc=1\n\n\n[also broken]\n");
    ASSERT_TRUE(m_ini.WriteString("S", "b", "2"));
    EXPECT_EQ(m_folder.read("test.ini"), once) << "a rewrite adds nothing";
}

TEST_F(CIniTest, AFileOpeningWithAnEmptyHeaderAndACommentSettlesWithItsValues) {
    // The header goes, the comment moves to the file's head and becomes the
    // file's own: three rewrites of tidying, then none.
    m_folder.write("test.ini", "[\n;note\n[S]\nk=v\n");
    std::string previous;
    for (int nWrite = 0; nWrite < 3; ++nWrite) {
        ASSERT_TRUE(m_ini.WriteString("T", "n", "1"));
        previous = m_folder.read("test.ini");
    }
    ASSERT_TRUE(m_ini.WriteString("T", "n", "1"));
    EXPECT_EQ(m_folder.read("test.ini"), previous);
    EXPECT_EQ(previous.rfind(";note\n", 0), 0u);
    EXPECT_EQ(m_ini.GetString("S", "k", "none"), "v");
}

TEST_F(CIniTest, TheNextWriterRemovesTemporaryFilesADeadWriterLeft) {
    m_folder.write("test.ini.tmp-Ab3xY9", "[S]\nhalf=");
    m_folder.write("test.ini.tmp-000000", "");
    m_folder.write("test.ini.tmp-toolong1", "not ours");
    m_folder.write("other.ini.tmp-Ab3xY9", "another file's");
    ASSERT_TRUE(m_ini.WriteString("S", "key", "value"));
    EXPECT_EQ(platform::findFiles(m_folder.path(), "test.ini.tmp-*"),
              std::vector<std::string>{"test.ini.tmp-toolong1"});
    EXPECT_TRUE(platform::fileExists(m_folder.file("other.ini.tmp-Ab3xY9")));
    EXPECT_EQ(m_ini.GetString("S", "half", "none"), "none");
}

TEST_F(CIniTest, AWriterThatCannotHaveTheLockWritesNothing) {
    TempFolder runtime;
    testing_support::ScopedEnvironment runtimeFolder("XDG_RUNTIME_DIR", runtime.path());
    ASSERT_TRUE(m_ini.WriteString("S", "key", "before"));
    const std::string before = m_folder.read("test.ini");
    auto held = platform::NamedLock::acquire(platform::lockNameForFile(m_csPath), 1000);
    ASSERT_TRUE(held);
    std::string lines;
    platform::setDebugSink([&lines](std::string_view line) { lines += std::string(line) + "\n"; });
    const bool written = m_ini.WriteString("S", "key", "after");
    platform::setDebugSink({});
    EXPECT_FALSE(written);
    EXPECT_EQ(m_folder.read("test.ini"), before);
    EXPECT_NE(lines.find("CIni::WriteString(); the lock of " + m_csPath + " was not had within"),
              std::string::npos)
        << lines;
    held.reset();
    EXPECT_TRUE(m_ini.WriteString("S", "key", "after"));
}

TEST_F(CIniTest, SectionsListAndLoseTheirKeysUnderTheSameNameMapping) {
    const char* odd = " IP\\pack]x ";
    ASSERT_TRUE(m_ini.WriteString(odd, "beta", "2"));
    ASSERT_TRUE(m_ini.WriteString(odd, "alpha", "1"));
    ASSERT_TRUE(m_ini.WriteString("Kept", "c", "3"));
    EXPECT_EQ(m_ini.GetKeyNames(odd), (std::vector<std::string>{"beta", "alpha"}));
    EXPECT_TRUE(m_ini.GetKeyNames("Absent").empty());
    EXPECT_TRUE(m_ini.GetKeyNames(nullptr).empty());

    ASSERT_TRUE(m_ini.DeleteSection(odd));
    EXPECT_TRUE(m_ini.GetKeyNames(odd).empty());
    EXPECT_EQ(m_folder.read("test.ini"), "[Kept]\nc=3\n");
    const std::string before = m_folder.read("test.ini");
    EXPECT_TRUE(m_ini.DeleteSection(odd)) << "a section that is not there is gone";
    EXPECT_EQ(m_folder.read("test.ini"), before);
    EXPECT_FALSE(m_ini.DeleteSection(nullptr));
    EXPECT_FALSE(CIni().DeleteSection("Kept"));
}

TEST_F(CIniTest, FileThatCannotBeReadIsNeverReplaced) {
    ASSERT_EQ(mkdir(m_csPath.c_str(), 0755), 0);
    EXPECT_FALSE(m_ini.WriteString("S", "key", "value"));
    EXPECT_FALSE(m_ini.DeleteSection("S"));
    EXPECT_TRUE(platform::folderExists(m_csPath));
    EXPECT_EQ(m_ini.GetString("S", "key", "d"), "d");
    EXPECT_EQ(platform::findFiles(m_folder.path(), "*").size(), 0u);
}

TEST_F(CIniTest, WriteIntoAMissingFolderFailsCleanly) {
    CIni nowhere(m_folder.file("missing/test.ini").c_str());
    EXPECT_FALSE(nowhere.WriteString("S", "key", "value"));
    EXPECT_FALSE(platform::folderExists(m_folder.file("missing")));
}

TEST_F(CIniTest, ReplacementKeepsPermissionsAndSymbolicLinks) {
    m_folder.write("real.ini", "[S]\nkey=1\n");
    ASSERT_EQ(chmod(m_folder.file("real.ini").c_str(), 0640), 0);
    ASSERT_EQ(symlink(m_folder.file("real.ini").c_str(), m_csPath.c_str()), 0);
    ASSERT_TRUE(m_ini.WriteInt("S", "key", 2));
    struct stat link {};
    ASSERT_EQ(lstat(m_csPath.c_str(), &link), 0);
    EXPECT_TRUE(S_ISLNK(link.st_mode));
    EXPECT_EQ(m_folder.read("real.ini"), "[S]\nkey=2\n");
    struct stat real {};
    ASSERT_EQ(stat(m_folder.file("real.ini").c_str(), &real), 0);
    EXPECT_EQ(real.st_mode & 0777, 0640u);
}

} // namespace
