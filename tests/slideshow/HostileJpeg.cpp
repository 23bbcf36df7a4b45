#include "slideshow/HostileJpeg.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace hostile {

namespace {

void put16(std::string& out, int n) {
    out += static_cast<char>((n >> 8) & 0xFF);
    out += static_cast<char>(n & 0xFF);
}

// A marker segment: FF, code, length (counting itself) and the body.
void segment(std::string& out, int nCode, const std::string& body) {
    out += static_cast<char>(0xFF);
    out += static_cast<char>(nCode);
    put16(out, static_cast<int>(body.size()) + 2);
    out += body;
}

std::string frameHeader(const ProgressiveJpeg& file) {
    std::string body;
    body += static_cast<char>(8);
    put16(body, file.nHeight);
    put16(body, file.nWidth);
    body += static_cast<char>(file.nComponents);
    for (int c = 0; c < file.nComponents; ++c) {
        body += static_cast<char>(c + 1);
        // Luma of a YCbCr picture at 2 x 2, everything else at 1 x 1.
        body += static_cast<char>(file.nComponents == 3 && c == 0 ? 0x22 : 0x11);
        body += static_cast<char>(0);
    }
    return body;
}

// One table with a single one-bit code, for symbol 0: enough for libjpeg to
// accept the scans.
std::string huffmanTables() {
    std::string body;
    for (const int nClass : {0x00, 0x10}) {
        body += static_cast<char>(nClass);
        body += static_cast<char>(1);
        body += std::string(15, '\0');
        body += static_cast<char>(0);
    }
    return body;
}

struct Scan {
    int nComponent; // -1: all components (the DC scan)
    int nStart, nEnd, nHigh, nLow;
};

// The DC scan, then for each component and each coefficient a first pass at
// two bits less precision and two refinements.
std::vector<Scan> scanScript(const ProgressiveJpeg& file) {
    std::vector<Scan> scans{{-1, 0, 0, 0, 0}};
    for (int c = 0; c < file.nComponents; ++c) {
        for (int k = 1; k <= 63; ++k) {
            scans.push_back({c, k, k, 0, 2});
            scans.push_back({c, k, k, 2, 1});
            scans.push_back({c, k, k, 1, 0});
        }
    }
    scans.resize(std::min<std::size_t>(scans.size(), static_cast<std::size_t>(file.nScans)));
    return scans;
}

std::string scanHeader(const ProgressiveJpeg& file, const Scan& scan) {
    std::string body;
    const int nFirst = scan.nComponent < 0 ? 0 : scan.nComponent;
    const int nCount = scan.nComponent < 0 ? file.nComponents : 1;
    body += static_cast<char>(nCount);
    for (int c = nFirst; c < nFirst + nCount; ++c) {
        body += static_cast<char>(c + 1);
        body += static_cast<char>(0x00);
    }
    body += static_cast<char>(scan.nStart);
    body += static_cast<char>(scan.nEnd);
    body += static_cast<char>((scan.nHigh << 4) | scan.nLow);
    return body;
}

} // namespace

std::string ProgressiveJpeg::bytes() const {
    std::string out = "\xFF\xD8";
    if (nComponents == 4) {
        // Adobe marker: the four components are CMYK as they are.
        segment(out, 0xEE, std::string("Adobe\x00\x64\x00\x00\x00\x00\x00", 12));
    }
    segment(out, 0xDB, std::string(1, '\0') + std::string(64, '\x01'));
    segment(out, bArithmetic ? 0xCA : 0xC2, frameHeader(*this));
    if (!bArithmetic) {
        segment(out, 0xC4, huffmanTables());
    }
    std::string scans;
    for (const Scan& scan : scanScript(*this)) {
        segment(scans, 0xDA, scanHeader(*this, scan));
    }
    // The padding goes before the scans, where a decoder reads past it.
    const std::size_t nBare = out.size() + scans.size() + 2;
    std::size_t nMissing = nPadTo > nBare ? nPadTo - nBare : 0;
    while (nMissing >= 4) {
        std::size_t nBody = std::min<std::size_t>(nMissing - 4, 60000);
        // Never leave less than a whole empty segment to fill.
        if (nMissing - nBody - 4 > 0 && nMissing - nBody - 4 < 4) {
            nBody -= 4;
        }
        segment(out, 0xFE, std::string(nBody, 'x'));
        nMissing -= nBody + 4;
    }
    out += scans;
    out += "\xFF\xD9";
    return out;
}

} // namespace hostile
