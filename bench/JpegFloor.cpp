// bench_jpeg_floor: what libjpeg-turbo alone takes to put a photo on a
// screen, the floor the slideshow's frame composition is measured against.
// Plain libjpeg calls, nothing of the project's:
//
//   bench_jpeg_floor crop   PHOTO W H REPS   the centred W x H window, cropped
//                                            and skipped, in rows of 32 bits
//   bench_jpeg_floor scaled PHOTO W H REPS   all of it, DCT-scaled by 1/2,
//                                            1/4 or 1/8 while it stays at
//                                            least the size that fits nine
//                                            tenths of W x H, then shrunk
//                                            nearest-neighbour into a W x H
//                                            frame
//   bench_jpeg_floor whole  PHOTO REPS       all of it at its own size
//
// Prints the median and the least CPU time of one decode, in milliseconds.
#include "CpuClock.h"

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <jpeglib.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct ErrorJump {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

void onError(j_common_ptr pInfo) {
    char szMessage[JMSG_LENGTH_MAX];
    pInfo->err->format_message(pInfo, szMessage);
    std::fprintf(stderr, "bench_jpeg_floor: %s\n", szMessage);
    std::longjmp(reinterpret_cast<ErrorJump*>(pInfo->err)->jump, 1);
}

struct Job {
    std::string csMode;
    std::vector<unsigned char> data;
    int W = 0;
    int H = 0;
    // Reused across decodes, as a program showing photos would.
    std::vector<std::uint32_t> frame;
    std::vector<std::uint32_t> rows;
};

// The fitted size of a w x h photo on a W x H screen: nine tenths of the
// width (or height, for portrait photos, or when the width does not fit).
void fitted(int w, int h, int W, int H, int& cx, int& cy) {
    const long k = 9 * (W / 10);
    cx = static_cast<int>(k);
    cy = static_cast<int>(h * k / w);
    if (w <= h || cy > H) {
        const long kh = 9 * (H / 10);
        cx = static_cast<int>(w * kh / h);
        cy = static_cast<int>(kh);
    }
}

bool decodeOnce(Job& job) {
    jpeg_decompress_struct info{};
    ErrorJump errors{};
    info.err = jpeg_std_error(&errors.mgr);
    errors.mgr.error_exit = onError;
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, job.data.data(), static_cast<unsigned long>(job.data.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGRX;
    const int w = static_cast<int>(info.image_width);
    const int h = static_cast<int>(info.image_height);

    if (job.csMode == "crop") {
        jpeg_start_decompress(&info);
        JDIMENSION nLeft = static_cast<JDIMENSION>(w > job.W ? (w - job.W) / 2 : 0);
        JDIMENSION nWidth = static_cast<JDIMENSION>(std::min(w, job.W));
        const int nTop = h > job.H ? (h - job.H) / 2 : 0;
        const int nRows = std::min(h, job.H);
        jpeg_crop_scanline(&info, &nLeft, &nWidth);
        job.frame.resize(std::size_t{info.output_width} * nRows);
        jpeg_skip_scanlines(&info, static_cast<JDIMENSION>(nTop));
        for (int y = 0; y < nRows; ++y) {
            auto* pRow = reinterpret_cast<JSAMPROW>(&job.frame[std::size_t{info.output_width} * y]);
            jpeg_read_scanlines(&info, &pRow, 1);
        }
        jpeg_abort_decompress(&info);
    } else if (job.csMode == "scaled") {
        int cx = 0;
        int cy = 0;
        fitted(w, h, job.W, job.H, cx, cy);
        unsigned nScale = 1;
        for (const unsigned nCandidate : {8u, 4u, 2u}) {
            if ((w + nCandidate - 1) / nCandidate >= static_cast<unsigned>(cx) &&
                (h + nCandidate - 1) / nCandidate >= static_cast<unsigned>(cy)) {
                nScale = nCandidate;
                break;
            }
        }
        info.scale_num = 1;
        info.scale_denom = nScale;
        jpeg_start_decompress(&info);
        const int sw = static_cast<int>(info.output_width);
        const int sh = static_cast<int>(info.output_height);
        job.rows.resize(std::size_t{info.output_width});
        job.frame.resize(std::size_t(job.W) * job.H);
        std::vector<int> columns(static_cast<std::size_t>(cx));
        for (int x = 0; x < cx; ++x) {
            columns[static_cast<std::size_t>(x)] = static_cast<int>(long{x} * sw / cx);
        }
        const int x0 = (job.W - cx) / 2;
        const int y0 = (job.H - cy) / 2;
        int y = 0;
        for (int nRow = 0; nRow < sh && y < cy; ++nRow) {
            auto* pRow = reinterpret_cast<JSAMPROW>(job.rows.data());
            jpeg_read_scanlines(&info, &pRow, 1);
            for (; y < cy && static_cast<int>(long{y} * sh / cy) == nRow; ++y) {
                std::uint32_t* pTarget = &job.frame[std::size_t(job.W) * (y0 + y) + x0];
                for (int x = 0; x < cx; ++x) {
                    pTarget[x] = job.rows[static_cast<std::size_t>(columns[x])];
                }
            }
        }
        jpeg_abort_decompress(&info);
    } else {
        jpeg_start_decompress(&info);
        job.frame.resize(std::size_t{info.output_width} * info.output_height);
        while (info.output_scanline < info.output_height) {
            auto* pRow = reinterpret_cast<JSAMPROW>(
                &job.frame[std::size_t{info.output_width} * info.output_scanline]);
            jpeg_read_scanlines(&info, &pRow, 1);
        }
        jpeg_finish_decompress(&info);
    }
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    Job job;
    int nReps = 0;
    if (argc == 6 && (std::strcmp(argv[1], "crop") == 0 || std::strcmp(argv[1], "scaled") == 0)) {
        job.W = std::atoi(argv[3]);
        job.H = std::atoi(argv[4]);
        nReps = std::atoi(argv[5]);
    } else if (argc == 4 && std::strcmp(argv[1], "whole") == 0) {
        nReps = std::atoi(argv[3]);
    } else {
        std::fprintf(stderr, "usage: %s crop|scaled PHOTO W H REPS | whole PHOTO REPS\n", argv[0]);
        return 2;
    }
    job.csMode = argv[1];
    std::ostringstream contents;
    contents << std::ifstream(argv[2], std::ios::binary).rdbuf();
    const std::string csData = contents.str();
    job.data.assign(csData.begin(), csData.end());
    if (job.data.empty() || nReps < 1 || (job.csMode != "whole" && (job.W < 1 || job.H < 1))) {
        std::fprintf(stderr, "bench_jpeg_floor: nothing to decode\n");
        return 2;
    }
    std::vector<double> times;
    for (int i = 0; i <= nReps; ++i) {
        const double start = processCpuMilliseconds();
        if (!decodeOnce(job)) {
            return 1;
        }
        const double took = processCpuMilliseconds() - start;
        if (i > 0) { // the first one warms the caches
            times.push_back(took);
        }
    }
    std::sort(times.begin(), times.end());
    std::printf("%.4f %.4f\n", times[times.size() / 2], times.front());
    return 0;
}
