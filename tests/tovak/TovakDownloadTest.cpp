#include "TovakTestEnvironment.h"
#include "support/LocalHttpServer.h"

#include <filesystem>

using testing_support::LocalHttpServer;

namespace {

class DownloadTest : public testing_support::TovakLibraryTest {
protected:
    DownloadTest()
        : m_server([](httplib::Server& server) {
              server.Get("/file.bin", [](const httplib::Request&, httplib::Response& response) {
                  response.set_content(std::string(300000, 'q'), "application/octet-stream");
              });
          }) {
        m_download = exported<PFN_DownloadFileFromUrl>("DownloadFileFromUrl");
        m_downloadEx = exported<PFN_DownloadFileFromUrlEx>("DownloadFileFromUrlEx");
    }

    // Names in the target folder, to see that no temporary file is left.
    std::vector<std::string> filesIn(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    testing_support::TempFolder m_target;
    LocalHttpServer m_server;
    PFN_DownloadFileFromUrl m_download = nullptr;
    PFN_DownloadFileFromUrlEx m_downloadEx = nullptr;
};

TEST_F(DownloadTest, StoresTheWholeFileCreatingMissingFolders) {
    TOVAKERROR error;
    clearTovakError(&error);
    std::string destination = m_target.file("sub/folder/file.bin");
    ASSERT_TRUE(m_download(m_server.url("/file.bin").c_str(), destination.c_str(), &error))
        << error.message;
    EXPECT_EQ(m_target.read("sub/folder/file.bin"), std::string(300000, 'q'));
    EXPECT_EQ(filesIn(m_target.file("sub/folder")), std::vector<std::string>{"file.bin"});
}

TEST_F(DownloadTest, AFailedDownloadLeavesTheOldFileAndNoTemporaryFile) {
    m_target.write("kept.bin", "old content");
    TOVAKERROR error;
    clearTovakError(&error);
    EXPECT_FALSE(
        m_download(m_server.url("/absent").c_str(), m_target.file("kept.bin").c_str(), &error));
    EXPECT_EQ(error.code, 3u);
    unsigned size = 77;
    EXPECT_FALSE(m_downloadEx(m_server.url("/file.bin").c_str(), m_target.file("kept.bin").c_str(),
                              1000, &size, &error));
    EXPECT_NE(std::string(error.message).find("limit"), std::string::npos) << error.message;
    EXPECT_EQ(size, 77u);
    EXPECT_EQ(m_target.read("kept.bin"), "old content");
    EXPECT_EQ(filesIn(m_target.path()), std::vector<std::string>{"kept.bin"});
}

TEST_F(DownloadTest, ReportsTheSizeAndNamesMissingArguments) {
    TOVAKERROR error;
    clearTovakError(&error);
    unsigned size = 0;
    ASSERT_TRUE(m_downloadEx(m_server.url("/file.bin").c_str(), m_target.file("a.bin").c_str(), 0,
                             &size, &error));
    EXPECT_EQ(size, 300000u);
    EXPECT_FALSE(m_download("", nullptr, &error));
    EXPECT_EQ(error.code, 5u);
    EXPECT_EQ(error.flags, 3u);
    EXPECT_FALSE(m_download(m_server.url("/file.bin").c_str(), "", &error));
    EXPECT_EQ(error.flags, 2u);
}

} // namespace
