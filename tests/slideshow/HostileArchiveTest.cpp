#include "PackFixtures.h"
#include "imaging/CxImage.h"
#include "platform/DebugOutput.h"
#include "slideshow/ImageDLLInterface.h"
#include "slideshow/PackManifest.h"
#include "support/TempFolder.h"
#include "tools/PackWriter.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

using fixtures::completeManifest;

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;

std::vector<std::size_t> findHeaders(const std::string& data, std::uint32_t nSignature) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i + 4 <= data.size(); ++i) {
        std::uint32_t nValue = 0;
        for (int b = 3; b >= 0; --b) {
            nValue = (nValue << 8) | static_cast<unsigned char>(data[i + b]);
        }
        if (nValue == nSignature) {
            found.push_back(i);
        }
    }
    return found;
}

void patch32(std::string& data, std::size_t nAt, std::uint32_t nValue) {
    for (int b = 0; b < 4; ++b) {
        data[nAt + b] = static_cast<char>((nValue >> (8 * b)) & 0xFF);
    }
}

class HostileArchiveTest : public ::testing::Test {
protected:
    std::string write(const std::map<std::string, std::string>& entries) {
        PackWriter writer;
        for (const auto& [csName, data] : entries) {
            writer.addEntry(csName, data);
        }
        const std::string csPath = m_folder.file("pack" + std::to_string(++m_nFiles) + ".wxs");
        std::string csError;
        EXPECT_TRUE(writer.write(csPath, csError)) << csError;
        return m_folder.read(csPath.substr(m_folder.path().size()));
    }
    std::string save(const std::string& bytes) {
        const std::string csName = "raw" + std::to_string(++m_nFiles) + ".wxs";
        m_folder.write(csName, bytes);
        return m_folder.file(csName);
    }
    bool opens(const std::string& bytes) {
        std::string csError;
        return PackArchive::open(save(bytes), csError) != nullptr;
    }
    void expectNotLoaded(const std::string& bytes) {
        const ImageDLLInterface images(save(bytes));
        EXPECT_EQ(nullptr, images.getModuleHandle());
        EXPECT_EQ(-1, images.getNumImageGroups());
    }

    testing_support::TempFolder m_folder;
    int m_nFiles = 0;
};

TEST_F(HostileArchiveTest, FilesThatAreNoArchiveAreNotLoaded) {
    expectNotLoaded("");
    expectNotLoaded("[pack]\nformat = 1\n");
    const std::string good = write({{"manifest.ini", completeManifest(5)}});
    ASSERT_TRUE(opens(good));
    expectNotLoaded(good.substr(0, good.size() - 10));
    expectNotLoaded(good.substr(good.size() / 2));
}

TEST_F(HostileArchiveTest, NamesThatLeaveTheArchiveAreRefused) {
    for (const char* szName : {"../manifest.ini", "/etc/passwd", "JPEG\\101.jpg", "JPEG/../x",
                               "JPEG/./101.jpg", "JPEG//101.jpg"}) {
        EXPECT_FALSE(opens(write({{"manifest.ini", completeManifest(5)}, {szName, "x"}})))
            << szName;
    }
    EXPECT_TRUE(opens(write({{"manifest.ini", completeManifest(5)}, {"JPEG/", ""}})));
    EXPECT_FALSE(isSafeEntryName(std::string(300, 'a')));
}

TEST_F(HostileArchiveTest, ARepeatedNameIsRefused) {
    std::string bytes = write({{"manifest.ini", completeManifest(5)}, {"manifest.inj", "x"}});
    for (std::size_t nAt = bytes.find("manifest.inj"); nAt != std::string::npos;
         nAt = bytes.find("manifest.inj")) {
        bytes[nAt + 11] = 'i';
    }
    EXPECT_FALSE(opens(bytes));
}

TEST_F(HostileArchiveTest, HugeDeclaredSizesAreRefusedBeforeReading) {
    std::string bytes = write({{"manifest.ini", completeManifest(5)}});
    for (const std::size_t nAt : findHeaders(bytes, kLocalHeader)) {
        patch32(bytes, nAt + 22, 0xFFFFFF00u);
    }
    for (const std::size_t nAt : findHeaders(bytes, kCentralHeader)) {
        patch32(bytes, nAt + 24, 0xFFFFFF00u);
    }
    expectNotLoaded(bytes);
}

TEST_F(HostileArchiveTest, BadOffsetsAreRefused) {
    std::string bytes = write({{"manifest.ini", completeManifest(5)}, {"JPEG/101.jpg", "x"}});
    const auto central = findHeaders(bytes, kCentralHeader);
    ASSERT_EQ(2u, central.size());
    patch32(bytes, central[1] + 42, 0x7FFFFFF0u);
    expectNotLoaded(bytes);
}

TEST_F(HostileArchiveTest, TooManyOrTooLargeEntriesAreRefused) {
    std::map<std::string, std::string> entries = {{"manifest.ini", completeManifest(5)}};
    for (int i = 0; i < 10; ++i) {
        entries["x/" + std::to_string(i)] = std::string(100, 'x');
    }
    const std::string csPath = save(write(entries));
    std::string csError;
    EXPECT_NE(nullptr, PackArchive::open(csPath, csError, {11, 2000}));
    EXPECT_EQ(nullptr, PackArchive::open(csPath, csError, {10, 2000}));
    EXPECT_NE(std::string::npos, csError.find("entries")) << csError;
    EXPECT_EQ(nullptr, PackArchive::open(csPath, csError, {11, 99}));
    EXPECT_NE(std::string::npos, csError.find("declares")) << csError;
}

// Makes the archive claim that entry csName holds its first nSize bytes
// only, with their CRC, in both of its headers.
void declareSize(std::string& bytes, const std::string& csName, const std::string& content,
                 std::uint32_t nSize) {
    const auto nCrc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(content.data()), static_cast<uInt>(nSize)));
    for (const std::size_t nAt : findHeaders(bytes, kLocalHeader)) {
        if (bytes.compare(nAt + 30, csName.size(), csName) == 0) {
            patch32(bytes, nAt + 14, nCrc);
            patch32(bytes, nAt + 22, nSize);
        }
    }
    for (const std::size_t nAt : findHeaders(bytes, kCentralHeader)) {
        if (bytes.compare(nAt + 46, csName.size(), csName) == 0) {
            patch32(bytes, nAt + 16, nCrc);
            patch32(bytes, nAt + 24, nSize);
        }
    }
}

TEST_F(HostileArchiveTest, AnEntryThatInflatesPastItsSizeIsNotRead) {
    // A megabyte of zeros that claims to be 100 bytes.
    const std::string zeros(1 << 20, '\0');
    std::string bytes = write({{"manifest.ini", completeManifest(5)}, {"JPEG/101.bin", zeros}});
    declareSize(bytes, "JPEG/101.bin", zeros, 100);
    std::string csError;
    const auto pArchive = PackArchive::open(save(bytes), csError);
    ASSERT_NE(pArchive, nullptr) << csError;
    std::string data;
    EXPECT_FALSE(pArchive->read("JPEG/101.bin", 1000, data, csError));
    EXPECT_EQ(csError, "entry JPEG/101.bin holds more than the 100 bytes it declares");
    EXPECT_TRUE(data.empty());
}

TEST_F(HostileArchiveTest, AManifestThatInflatesPastItsSizeSaysSo) {
    const std::string manifest =
        completeManifest(5) + "; " + std::string(PackManifest::kMaxSize * 4, 'x') + "\n";
    std::string bytes = write({{"manifest.ini", manifest}});
    declareSize(bytes, "manifest.ini", manifest, 1000);
    std::string lines;
    platform::setDebugSink([&lines](std::string_view line) { lines += std::string(line) + "\n"; });
    const std::string csPath = save(bytes);
    const ImageDLLInterface images(csPath);
    platform::setDebugSink({});
    EXPECT_FALSE(images.isLoaded());
    EXPECT_EQ(lines, "Image pack " + csPath +
                         " not loaded: entry manifest.ini holds more than the 1000 bytes it "
                         "declares\n");
}

TEST_F(HostileArchiveTest, NamesWithControlBytesAreRefusedWhateverTheirEncoding) {
    // 0x01 followed by a byte that is no UTF-8: read as CP437, the name would
    // turn into printable characters.
    for (const std::string& csName :
         {std::string("JPEG/\x01\xFF.jpg"), std::string("JPEG/\x1F.jpg"),
          std::string("JPEG/\x7F\x80.jpg")}) {
        const std::string csPlaceholder = "JPEG/" + std::string(csName.size() - 9, 'A') + ".jpg";
        std::string bytes = write({{"manifest.ini", completeManifest(5)}, {csPlaceholder, "x"}});
        for (std::size_t nAt = bytes.find(csPlaceholder); nAt != std::string::npos;
             nAt = bytes.find(csPlaceholder)) {
            bytes.replace(nAt, csName.size(), csName);
        }
        std::string csError;
        EXPECT_EQ(PackArchive::open(save(bytes), csError), nullptr);
        EXPECT_NE(csError.find("unsafe name"), std::string::npos) << csError;
    }
}

TEST_F(HostileArchiveTest, DamagedPictureDataIsNotDecoded) {
    const std::string jpeg = fixtures::jpegOf(fixtures::quadrantSurface(64, 64));
    std::string bytes = write({{"manifest.ini", completeManifest(5)}, {"JPEG/101.jpg", jpeg}});
    // Stored uncompressed, so the picture's bytes are in the file as they are.
    const std::size_t nAt = bytes.find(jpeg.substr(0, 64));
    ASSERT_NE(std::string::npos, nAt);
    bytes[nAt + jpeg.size() / 2] ^= 0x55;
    const ImageDLLInterface images(save(bytes));
    ASSERT_NE(nullptr, images.getModuleHandle());
    const PackResource resource = findResource(images.getModuleHandle(), "#101", "JPEG");
    ASSERT_TRUE(resource);
    CxImage image;
    EXPECT_FALSE(image.LoadResource(resource, CXIMAGE_FORMAT_JPG, images.getModuleHandle()));
    EXPECT_EQ("Unable to load resource!", image.GetLastError());
}

TEST_F(HostileArchiveTest, EntriesAboveTheReadCapAreNotRead) {
    const std::string csPath = save(
        write({{"manifest.ini", completeManifest(5)}, {"JPEG/101.jpg", std::string(5000, 'j')}}));
    std::string csError;
    const auto pArchive = PackArchive::open(csPath, csError);
    ASSERT_NE(nullptr, pArchive) << csError;
    std::string data;
    EXPECT_FALSE(pArchive->read("JPEG/101.jpg", 4999, data, csError));
    EXPECT_TRUE(data.empty());
    EXPECT_TRUE(pArchive->read("JPEG/101.jpg", 5000, data, csError));
    EXPECT_FALSE(pArchive->read("JPEG/102.jpg", 5000, data, csError));
}

} // namespace
