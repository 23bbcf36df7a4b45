#include "imaging/JpegDecoder.h"
#include "imaging/PngDecoder.h"
#include "platform/Folders.h"
#include "slideshow/PackExports.h"
#include "slideshow/PackIcons.h"
#include "slideshow/PackManifest.h"
#include "slideshow/PackResources.h"
#include "tools/PackWriter.h"
#include "tools/wxs-pack/PackInspection.h"

#include <filesystem>
#include <fstream>
#include <ostream>

namespace {

// The whole file when it is at most nMaxSize bytes.
bool readFile(const std::string& csPath, std::uint64_t nMaxSize, std::string& data) {
    std::ifstream in(csPath, std::ios::binary | std::ios::ate);
    if (!in) {
        return false;
    }
    const std::streamoff nSize = in.tellg();
    if (nSize < 0 || static_cast<std::uint64_t>(nSize) > nMaxSize) {
        return false;
    }
    data.assign(static_cast<std::size_t>(nSize), '\0');
    in.seekg(0);
    return static_cast<bool>(in.read(data.data(), nSize));
}

bool addManifest(const std::string& csFolder, PackWriter& writer, std::ostream& err) {
    std::string csText;
    if (!readFile(csFolder + PackManifest::kEntryName, PackManifest::kMaxSize, csText)) {
        err << "cannot read " << csFolder << PackManifest::kEntryName << "\n";
        return false;
    }
    PackManifest manifest;
    PackExports exports;
    std::string csError;
    if (!manifest.parse(csText, csError) || !exports.bind(manifest, csError)) {
        err << csError << "\n";
        return false;
    }
    writer.addEntry(PackManifest::kEntryName, csText);
    return true;
}

bool addPictures(const std::string& csFolder, PackWriter& writer, std::ostream& err) {
    const std::string csPictures = csFolder + "JPEG/";
    bool bOk = true;
    for (const std::string& csFile : platform::findFiles(csPictures, "*")) {
        const std::string csStem = csFile.substr(0, csFile.rfind('.'));
        const std::string csEntry = resourceEntryName("#" + csStem, "JPEG");
        if (csEntry != "JPEG/" + csFile) {
            err << "JPEG/" << csFile << ": not named <identifier>.jpg (1 to 65535)\n";
            bOk = false;
            continue;
        }
        std::string data;
        std::string csError;
        int nWidth = 0;
        int nHeight = 0;
        if (!readFile(csPictures + csFile, kMaxResourceSize, data)) {
            err << "JPEG/" << csFile << ": cannot be read or is larger than " << kMaxResourceSize
                << " bytes\n";
            bOk = false;
        } else if (!readJpegSize(reinterpret_cast<const std::uint8_t*>(data.data()), data.size(),
                                 nWidth, nHeight, csError)) {
            err << "JPEG/" << csFile << ": " << csError << "\n";
            bOk = false;
        } else {
            writer.addEntry(csEntry, std::move(data));
        }
    }
    return bOk;
}

// Every PNG file below <folder>/icons/, as icons/<its path below it>: a
// version-5 pack's condition icons travel inside the pack.
bool addIcons(const std::string& csFolder, PackWriter& writer, std::ostream& err) {
    namespace fs = std::filesystem;
    const fs::path icons = fs::path(csFolder) / "icons";
    std::error_code error;
    if (!fs::is_directory(icons, error)) {
        return true;
    }
    bool bOk = true;
    for (fs::recursive_directory_iterator it(icons, error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_regular_file(error)) {
            continue;
        }
        const std::string csEntry =
            kPackIconsFolder + it->path().lexically_relative(icons).generic_string();
        std::string data;
        if (it->path().extension() != ".png" || !isSafeEntryName(csEntry)) {
            err << csEntry << ": not a PNG icon with a plain name\n";
            bOk = false;
        } else if (!readFile(it->path().string(), kIconDecodeLimits.nMaxFileBytes, data)) {
            err << csEntry << ": cannot be read or is larger than "
                << kIconDecodeLimits.nMaxFileBytes << " bytes\n";
            bOk = false;
        } else if (const PngDecodeResult icon =
                       decodePng(reinterpret_cast<const std::uint8_t*>(data.data()), data.size(),
                                 kIconDecodeLimits);
                   !icon.ok()) {
            err << csEntry << ": " << icon.csError << "\n";
            bOk = false;
        } else {
            writer.addEntry(csEntry, std::move(data));
        }
    }
    if (error) {
        err << icons.string() << ": " << error.message() << "\n";
        bOk = false;
    }
    return bOk;
}

} // namespace

bool buildPack(const std::string& csFolderIn, const std::string& csPackPath, std::ostream& err) {
    std::string csFolder = csFolderIn;
    if (!csFolder.empty() && csFolder.back() != '/') {
        csFolder += '/';
    }
    if (!platform::folderExists(csFolder)) {
        err << "no folder " << csFolder << "\n";
        return false;
    }
    PackWriter writer;
    if (!addManifest(csFolder, writer, err) || !addPictures(csFolder, writer, err) ||
        !addIcons(csFolder, writer, err)) {
        return false;
    }
    std::string csError;
    if (!writer.write(csPackPath, csError)) {
        err << csError << "\n";
        return false;
    }
    return true;
}
