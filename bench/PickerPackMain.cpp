// bench_picker_pack PATH [WIDTH HEIGHT]: writes the picker's timing pack
// with thumbnails of that size (120 x 90 unless given).
#include "bench/PickerPack.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: %s PATH [WIDTH HEIGHT]\n", argv[0]);
        return 2;
    }
    const int nWidth = argc == 4 ? std::atoi(argv[2]) : 120;
    const int nHeight = argc == 4 ? std::atoi(argv[3]) : 90;
    std::string csError;
    if (nWidth <= 0 || nHeight <= 0 || !writePickerPack(argv[1], nWidth, nHeight, csError)) {
        std::fprintf(stderr, "bench_picker_pack: %s\n",
                     csError.empty() ? "bad size" : csError.c_str());
        return 1;
    }
    return 0;
}
