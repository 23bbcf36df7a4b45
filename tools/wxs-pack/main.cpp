// wxs-pack: makes, lists and checks image packs.
#include "tools/wxs-pack/PackInspection.h"

#include <cstring>
#include <iostream>

namespace {

int usage() {
    std::cerr << "usage: wxs-pack build <folder> <pack.wxs>\n"
                 "       wxs-pack info <pack.wxs>\n"
                 "       wxs-pack validate [--install-folder <folder>] <pack.wxs>\n"
                 "A pack folder holds manifest.ini, JPEG/<identifier>.jpg and, for version 5,\n"
                 "icons/<icon path>NN.png; see docs/pack-format.md.\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return usage();
    }
    const std::string csCommand = argv[1];
    if (csCommand == "build" && argc == 4) {
        return buildPack(argv[2], argv[3], std::cerr) ? 0 : 1;
    }
    if (csCommand == "info" && argc == 3) {
        return printPackInfo(argv[2], std::cout) ? 0 : 1;
    }
    if (csCommand == "validate") {
        std::string csInstallFolder;
        int nArg = 2;
        if (argc == 5 && std::strcmp(argv[2], "--install-folder") == 0) {
            csInstallFolder = argv[3];
            nArg = 4;
        }
        if (nArg != argc - 1) {
            return usage();
        }
        const int nErrors = validatePack(argv[nArg], csInstallFolder, std::cout);
        std::cout << argv[nArg] << ": " << nErrors << " error(s)\n";
        return nErrors == 0 ? 0 : 1;
    }
    return usage();
}
