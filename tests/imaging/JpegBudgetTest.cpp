// Hostile pictures: each is refused before it costs more than the decode
// budget. Cost is measured in a child process, so that the memory a decode
// would take shows as that process's peak and cannot harm the test's.
#include "TestJpegs.h"
#include "imaging/CxImage.h"
#include "imaging/JpegDecoder.h"
#include "slideshow/HostileJpeg.h"

#include <chrono>
#include <csignal>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using hostile::ProgressiveJpeg;

constexpr long kBudgetKiB = 128 * 1024;

struct DecodeCost {
    bool bFinished = false;
    bool bDecoded = true;
    std::string csError;
    long nPeakGrowthKiB = 0;
    double cpuSeconds = 0;
};

// A "Key:   value kB" line of this process's status.
long statusKiB(const char* pKey) {
    std::ifstream status("/proc/self/status");
    std::string csLine;
    const std::string csKey = std::string(pKey) + ":";
    while (std::getline(status, csLine)) {
        if (csLine.rfind(csKey, 0) == 0) {
            return std::atol(csLine.c_str() + csKey.size());
        }
    }
    return 0;
}

// What the show does with a photo: header first, then the part a
// 1920 x 1080 frame shows, then (as tools do) the whole picture.
std::string decodeAsTheShowDoes(const std::string& data) {
    CxImage image;
    DrawingSurface frame = DrawingSurface::create(1920, 1080);
    if (!image.Decode(data, CXIMAGE_FORMAT_JPG, CXIMAGE_DECODE_WHEN_DRAWN)) {
        return image.GetLastError();
    }
    if (!image.Draw(&frame, 0, 0, 1920, 1080)) {
        return image.GetLastError();
    }
    JpegDecodeResult whole =
        decodeJpeg(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
    return whole.csError;
}

// Decodes in a child and reports what it took; a child that runs past a
// generous bound is stopped and reported unfinished.
DecodeCost costOfDecoding(const std::string& data) {
    DecodeCost cost;
    int fds[2];
    if (pipe(fds) != 0) {
        return cost;
    }
    const pid_t child = fork();
    if (child == 0) {
        // The child's peak starts at what it holds now.
        close(fds[0]);
        const long nBefore = statusKiB("VmRSS");
        const std::string csError = decodeAsTheShowDoes(data);
        const std::string csReport = std::to_string(statusKiB("VmHWM") - nBefore) + "\n" + csError;
        const ssize_t nWritten [[maybe_unused]] = write(fds[1], csReport.data(), csReport.size());
        _exit(0);
    }
    close(fds[1]);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    rusage usage{};
    int nStatus = 0;
    while (wait4(child, &nStatus, WNOHANG, &usage) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            wait4(child, &nStatus, 0, &usage);
            close(fds[0]);
            return cost;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    char buffer[512];
    const ssize_t nRead = read(fds[0], buffer, sizeof buffer);
    close(fds[0]);
    const std::string csReport(buffer, nRead > 0 ? static_cast<std::size_t>(nRead) : 0);
    const std::size_t nLineEnd = csReport.find('\n');
    cost.bFinished =
        WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0 && nLineEnd != std::string::npos;
    if (!cost.bFinished) {
        return cost;
    }
    cost.nPeakGrowthKiB = std::atol(csReport.c_str());
    cost.csError = csReport.substr(nLineEnd + 1);
    cost.bDecoded = cost.csError.empty();
    cost.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                      static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    return cost;
}

// Refused, within the memory budget; the CPU it took goes to the test's
// record (a duration is no test's business on a shared machine).
void expectRefused(const std::string& data, const std::string& csReason) {
    const DecodeCost cost = costOfDecoding(data);
    ASSERT_TRUE(cost.bFinished) << "the decode did not end";
    EXPECT_FALSE(cost.bDecoded);
    EXPECT_NE(cost.csError.find(csReason), std::string::npos) << cost.csError;
    EXPECT_LT(cost.nPeakGrowthKiB, kBudgetKiB);
    ::testing::Test::RecordProperty("cpu_ms", static_cast<int>(cost.cpuSeconds * 1000));
    ::testing::Test::RecordProperty("peak_growth_kib", static_cast<int>(cost.nPeakGrowthKiB));
}

TEST(JpegBudget, A66KiBProgressiveFileOf8192SquaredAnd499ScansIsRefused) {
    ProgressiveJpeg file;
    file.nPadTo = 66 * 1024;
    const std::string data = file.bytes();
    ASSERT_NEAR(static_cast<double>(data.size()), 66 * 1024, 64);
    expectRefused(data, "file too small");
}

TEST(JpegBudget, An851ByteProgressiveCmykFileClaiming8192SquaredIsRefused) {
    ProgressiveJpeg file;
    file.nComponents = 4;
    file.nScans = 60;
    file.nPadTo = 851;
    const std::string data = file.bytes();
    ASSERT_EQ(data.size(), 851U);
    expectRefused(data, "file too small");
}

TEST(JpegBudget, EmptyHuffmanScansEndTheDecodeAtTheFirstOne) {
    // Long enough for its size, so only the data itself can stop it.
    ProgressiveJpeg file;
    file.nWidth = file.nHeight = 2048;
    file.nComponents = 1;
    file.nPadTo = 600 * 1024;
    expectRefused(file.bytes(), "premature end of data segment");
}

TEST(JpegBudget, ScansAreBoundedByTheSizeOfThePicture) {
    // Arithmetic-coded scans may be empty: each still passes over all of a
    // 4096 x 4096 picture. At that size 64 scans are the most allowed.
    ProgressiveJpeg file;
    file.nWidth = file.nHeight = 4096;
    file.nComponents = 1;
    file.bArithmetic = true;
    file.nPadTo = 64 * 1024;
    expectRefused(file.bytes(), "too many scans in a progressive JPEG file (65 over 4096 x 4096");

    // Fewer scans than the bound: a grey picture, decoded.
    file.nScans = 20;
    const DecodeCost cost = costOfDecoding(file.bytes());
    ASSERT_TRUE(cost.bFinished);
    EXPECT_TRUE(cost.bDecoded) << cost.csError;
}

TEST(JpegBudget, APictureNeedingMoreThanTheMemoryCeilingIsRefusedFromItsHeader) {
    // Big enough not to look truncated, but all its coefficients would take
    // 128 MiB.
    ProgressiveJpeg file;
    file.nComponents = 1;
    file.bArithmetic = true;
    file.nPadTo = 200 * 1024;
    expectRefused(file.bytes(), "needs more than 96 MiB");
}

TEST(JpegBudget, RealProgressivePhotosAreWellWithinIt) {
    const DrawingSurface picture = test_jpegs::detailed(1920, 1080);
    test_jpegs::Encoding progressive;
    progressive.bProgressive = true;
    const std::string data = test_jpegs::encode(picture, progressive);
    JpegDecoder decoder;
    ASSERT_TRUE(decoder.open(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()))
        << decoder.error();
    DrawingSurface frame = DrawingSurface::create(1920, 1080);
    EXPECT_TRUE(decoder.decode(Rect{0, 0, 1920, 1080}, frame, Rect{0, 0, 1920, 1080}))
        << decoder.error();
}

} // namespace
