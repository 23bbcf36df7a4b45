// Generates the sample image packs from procedural artwork:
//   nimbora-samplegen <install folder> <catalogue folder>
// The install folder gets the packs installed with the program; the
// catalogue folder, which the web services serve, the pack they offer for
// download with its promotional picture.
#include "tools/samplegen/PromotionArt.h"
#include "tools/samplegen/SamplePacks.h"

#include <iostream>

namespace {

std::string asFolder(std::string csFolder) {
    if (csFolder.back() != '/') {
        csFolder += '/';
    }
    return csFolder;
}

std::string promotionFileName(const PackDesign& design) {
    return design.csFile.substr(0, design.csFile.rfind('.')) + "-promo.bmp";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: nimbora-samplegen <install folder> <catalogue folder>\n";
        return 2;
    }
    const std::string csInstallFolder = asFolder(argv[1]);
    const std::string csCatalogueFolder = asFolder(argv[2]);
    for (const PackDesign& design : samplePackDesigns()) {
        const std::string& csFolder = design.bOffered ? csCatalogueFolder : csInstallFolder;
        std::string csError;
        if (!writeSamplePack(design, csFolder, csError) ||
            (design.bOffered && !writeBitmapFile(paintPromotion(design),
                                                 csFolder + promotionFileName(design), csError))) {
            std::cerr << design.csFile << ": " << csError << "\n";
            return 1;
        }
    }
    return 0;
}
