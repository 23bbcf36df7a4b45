// Generates the sample image packs from procedural artwork:
//   nimbora-samplegen <install folder>
#include "tools/samplegen/SamplePacks.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: nimbora-samplegen <install folder>\n";
        return 2;
    }
    std::string csFolder = argv[1];
    if (csFolder.back() != '/') {
        csFolder += '/';
    }
    for (const PackDesign& design : samplePackDesigns()) {
        std::string csError;
        if (!writeSamplePack(design, csFolder, csError)) {
            std::cerr << design.csFile << ": " << csError << "\n";
            return 1;
        }
    }
    return 0;
}
