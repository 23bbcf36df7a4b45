#include "HttpTestRoutes.h"
#include "net/InternetServices.h"
#include "support/TempFolder.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

namespace net_tests {
namespace {

using testing_support::TempFolder;

class DownloadTest : public HttpTest {
protected:
    std::vector<std::string> leftovers() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(m_folder.path())) {
            if (entry.path().filename().string().find(".part-") != std::string::npos) {
                names.push_back(entry.path().string());
            }
        }
        return names;
    }
    TempFolder m_folder;
};

TOVAKERROR filledRecord() {
    TOVAKERROR record;
    record.code = 77;
    record.flags = 77;
    std::memset(record.message, 'z', sizeof record.message);
    return record;
}

TEST_F(DownloadTest, EmptyArgumentsAreReportedInTheRecord) {
    TOVAKERROR record = filledRecord();
    std::uint32_t size = 99;
    EXPECT_FALSE(InternetServices::downloadFileFromURL("", "", &size, &record));
    EXPECT_EQ(record.code, 5u);
    EXPECT_EQ(record.flags, 3u);
    EXPECT_STREQ(record.message, "Some Error");
    EXPECT_EQ(size, 0u);

    record = filledRecord();
    EXPECT_FALSE(InternetServices::downloadFileFromURL(url("/doc.xml"), "", &size, &record));
    EXPECT_EQ(record.code, 5u);
    EXPECT_EQ(record.flags, 2u);
    EXPECT_STREQ(record.message, "");
    EXPECT_EQ(record.message[511], '\0');

    EXPECT_FALSE(InternetServices::downloadFileFromURL("", m_folder.file("x"), nullptr, &record));
    EXPECT_EQ(record.flags, 1u);
    EXPECT_FALSE(InternetServices::downloadFileFromURL("", "", nullptr, nullptr));
    EXPECT_EQ(server().requestCount(), 0u);
}

TEST_F(DownloadTest, StaticDownloadWritesTheFileAndItsSize) {
    TOVAKERROR record = filledRecord();
    std::uint32_t size = 0;
    const std::string target = m_folder.file("new/sub/large.bin");
    ASSERT_TRUE(InternetServices::downloadFileFromURL(url("/large"), target, &size, &record));
    EXPECT_EQ(record.code, 0u);
    EXPECT_STREQ(record.message, "");
    EXPECT_EQ(size, 100u * 1024u);
    EXPECT_EQ(m_folder.read("new/sub/large.bin"), std::string(100 * 1024, 'L'));
    EXPECT_TRUE(leftovers().empty());
    EXPECT_TRUE(InternetServices::downloadFileFromURL(url("/empty"), target, nullptr, nullptr));
    EXPECT_EQ(m_folder.read("new/sub/large.bin"), "");
}

TEST_F(DownloadTest, AFailedStaticDownloadKeepsTheOldFile) {
    m_folder.write("keep.txt", "old contents");
    const char* failing[] = {"/status/404", "/endless", "/truncated", "/hang", "/redirect/file"};
    for (const char* path : failing) {
        TOVAKERROR record = filledRecord();
        std::uint32_t size = 5;
        EXPECT_FALSE(InternetServices::downloadFileFromURL(url(path), m_folder.file("keep.txt"),
                                                           &size, &record))
            << path;
        EXPECT_EQ(record.code, 3u) << path;
        EXPECT_STREQ(record.message, "URLDownloadToFile() failed") << path;
        EXPECT_EQ(size, 0u);
        EXPECT_EQ(m_folder.read("keep.txt"), "old contents") << path;
    }
    TOVAKERROR record = filledRecord();
    EXPECT_FALSE(InternetServices::downloadFileFromURL("no scheme here", m_folder.file("keep.txt"),
                                                       nullptr, &record));
    EXPECT_EQ(record.code, 3u);
    EXPECT_STREQ(record.message, "URLDownloadToFile() failed (hr == MK_E_SYNTAX)");
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(DownloadTest, MemberDownloadAddsACacheBuster) {
    InternetServices services;
    ASSERT_TRUE(services.downloadFileFromURL(url("/doc.xml"), m_folder.file("a/doc.xml")));
    ASSERT_TRUE(services.downloadFileFromURL(url("/doc.xml?x=1"), m_folder.file("a/doc.xml")));
    EXPECT_EQ(m_folder.read("a/doc.xml"), "<observation><temp>54</temp></observation>");
    const auto requests = server().requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].csTarget.rfind("/doc.xml?rnd=", 0), 0u) << requests[0].csTarget;
    EXPECT_EQ(requests[1].csTarget.rfind("/doc.xml?x=1&rnd=", 0), 0u) << requests[1].csTarget;
    const int number = std::stoi(requests[1].params.find("rnd")->second);
    EXPECT_GE(number, 0);
    EXPECT_LE(number, 32767);
    EXPECT_EQ(InternetServices::withCacheBuster("http://h/p?").rfind("http://h/p?&rnd=", 0), 0u);
}

TEST_F(DownloadTest, MemberDownloadFailuresLeaveTheDestinationAlone) {
    m_folder.write("pack.wxs", "installed pack");
    InternetServices missing;
    EXPECT_FALSE(missing.downloadFileFromURL(url("/status/404"), m_folder.file("pack.wxs")));
    EXPECT_EQ(missing.getErrorText().rfind("HTTP Status = 404 Not Found", 0), 0u);

    InternetServices endless;
    EXPECT_FALSE(endless.downloadFileFromURL(url("/endless"), m_folder.file("pack.wxs")));
    EXPECT_EQ(endless.getErrorText().rfind("Failed to read the response from URL ", 0), 0u);

    InternetServices truncated;
    EXPECT_FALSE(truncated.downloadFileFromURL(url("/truncated"), m_folder.file("pack.wxs")));
    EXPECT_EQ(m_folder.read("pack.wxs"), "installed pack");
    EXPECT_TRUE(leftovers().empty());

    InternetServices empty;
    EXPECT_FALSE(empty.downloadFileFromURL("", m_folder.file("pack.wxs")));
    EXPECT_FALSE(empty.downloadFileFromURL(url("/doc.xml"), ""));
    EXPECT_EQ(empty.getErrorText(), "");
}

TEST_F(DownloadTest, AnUncreatableDestinationFailsWithoutText) {
    m_folder.write("plain-file", "x");
    InternetServices services;
    EXPECT_FALSE(services.downloadFileFromURL(url("/doc.xml"), m_folder.file("plain-file/d.xml")));
    EXPECT_EQ(services.getErrorText(), "");

    TOVAKERROR record = filledRecord();
    EXPECT_FALSE(InternetServices::downloadFileFromURL(
        url("/doc.xml"), m_folder.file("plain-file/d.xml"), nullptr, &record));
    EXPECT_EQ(record.code, 3u);
}

} // namespace
} // namespace net_tests
