// nimbora-frames: composes full-screen frames of the show off screen, with
// the weather panel, and writes them as PNG files to look at.
//
//   nimbora-frames <output folder> [--pack FILE]... [--size WxH]...
//                  [--place TEXT] [--unit F|C] [--photos N]
//                  [--sky N] [--temp F] [--text TEXT]
//                  [--observation FILE | --location ID]
//
// Without --pack it takes the three sample packs of the install folder;
// without --size, 1920x1080 and 1280x1024. The weather is the document
// given, the one the observation service answers for --location (through
// the service addresses in the settings), or one made of --sky, --temp and
// --text. With --photos N each pack shows its first N photos in pack order;
// otherwise the photo the weather chooses. Each frame goes to
// <output folder>/<pack>-<W>x<H>[-<n>].png. Version-5 packs draw the PNG
// icons they carry, as the program does. Packs named without a folder are
// the install folder's (NIMBORA_INSTALL_FOLDER).
#include "app/SettingsStore.h"
#include "net/XmlEscape.h"
#include "packs/SsConfig.h"
#include "platform/Clock.h"
#include "tools/frames/OffscreenShow.h"
#include "weather/WeatherObservation.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Size2 {
    int nWidth;
    int nHeight;
};

struct Options {
    std::string csOutput;
    std::vector<std::string> packs;
    std::vector<Size2> sizes;
    std::string csPlace = "Rancho Santa Margarita, CA";
    std::string csUnit = "F";
    int nPhotos = 0;
    std::string csSky = "4";
    std::string csTemp = "77";
    std::string csText = "Thunderstorm Heavy Rain and Fog/Mist in the Vicinity";
    std::string csObservationFile;
    std::string csLocation;
};

// Frames with the same photo whatever the time of day.
class FixedClock : public platform::Clock {
public:
    int localSeconds() const override { return 0; }
};

int usage() {
    std::cerr << "usage: nimbora-frames <output folder> [--pack FILE]... [--size WxH]...\n"
                 "       [--place TEXT] [--unit F|C] [--photos N] [--sky N] [--temp F]\n"
                 "       [--text TEXT] [--observation FILE | --location ID]\n";
    return 2;
}

bool parseSize(const std::string& csText, Size2& size) {
    char cX = 0;
    std::istringstream in(csText);
    return static_cast<bool>(in >> size.nWidth >> cX >> size.nHeight) && cX == 'x' &&
           in.peek() == EOF && size.nWidth > 0 && size.nHeight > 0 && size.nWidth <= 16384 &&
           size.nHeight <= 16384;
}

bool parseOptions(int argc, char** argv, Options& options) {
    std::vector<std::string> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& csArg = args[i];
        const bool bHasValue = i + 1 < args.size();
        auto value = [&]() { return args[++i]; };
        if (csArg.rfind("--", 0) != 0) {
            if (!options.csOutput.empty()) {
                return false;
            }
            options.csOutput = csArg;
        } else if (!bHasValue) {
            return false;
        } else if (csArg == "--pack") {
            options.packs.push_back(value());
        } else if (csArg == "--size") {
            Size2 size{};
            if (!parseSize(value(), size)) {
                return false;
            }
            options.sizes.push_back(size);
        } else if (csArg == "--place") {
            options.csPlace = value();
        } else if (csArg == "--unit") {
            options.csUnit = value();
        } else if (csArg == "--photos") {
            options.nPhotos = std::atoi(value().c_str());
        } else if (csArg == "--sky") {
            options.csSky = value();
        } else if (csArg == "--temp") {
            options.csTemp = value();
        } else if (csArg == "--text") {
            options.csText = value();
        } else if (csArg == "--observation") {
            options.csObservationFile = value();
        } else if (csArg == "--location") {
            options.csLocation = value();
        } else {
            return false;
        }
    }
    return !options.csOutput.empty();
}

void fillDefaults(Options& options) {
    if (options.packs.empty()) {
        for (const char* szPack :
             {"nimbora-skies.wxs", "nimbora-horizons.wxs", "nimbora-classic.wxs"}) {
            options.packs.push_back(InstallFolder() + szPack);
        }
    }
    if (options.sizes.empty()) {
        options.sizes = {{1920, 1080}, {1280, 1024}};
    }
}

// The observation the frames show; false (with a message) when it cannot
// be had.
bool readObservation(const Options& options, WeatherObservation& observation, SsConfig& config) {
    if (!options.csLocation.empty()) {
        config.fetch();
        if (!observation.fetchObservation(options.csLocation, options.csUnit)) {
            std::cerr << "nimbora-frames: no observation for " << options.csLocation << " from "
                      << observation.requestUrl() << "\n";
            return false;
        }
        return true;
    }
    if (!options.csObservationFile.empty()) {
        std::ifstream file(options.csObservationFile, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        if (!file) {
            std::cerr << "nimbora-frames: cannot read " << options.csObservationFile << "\n";
            return false;
        }
        observation.setObservationDocument(text.str());
        return true;
    }
    observation.setObservationDocument("<observation><wxIcon>" + xmlEscape(options.csSky) +
                                       "</wxIcon><temp>" + xmlEscape(options.csTemp) +
                                       "</temp><text>" + xmlEscape(options.csText) +
                                       "</text></observation>");
    return true;
}

std::string frameFileName(const Options& options, const std::string& csPack, const Size2& size,
                          int nPhoto) {
    std::string csName = options.csOutput;
    csName += '/';
    csName += std::filesystem::path(csPack).stem().string();
    csName += '-';
    csName += std::to_string(size.nWidth);
    csName += 'x';
    csName += std::to_string(size.nHeight);
    if (options.nPhotos > 0) {
        csName += '-';
        csName += std::to_string(nPhoto + 1);
    }
    return csName + ".png";
}

bool writeFrames(const Options& options, const WeatherObservation& observation,
                 const std::string& csPack) {
    for (const Size2& size : options.sizes) {
        OffscreenShow show(csPack);
        FrameComposer& composer = show.composer();
        if (!composer.imagedll()->isLoaded()) {
            std::cerr << "nimbora-frames: " << csPack << " is not a pack that loads\n";
            return false;
        }
        composer.m_csDisplayName = options.csPlace;
        composer.m_nSkyCode = observation.getSkyCode();
        composer.m_csTemperature = observation.getTemperature();
        composer.m_csCCText = observation.getCCText();
        // Pack order when walking the photos, else the weather's choice.
        composer.setDisplayMethod(options.nPhotos > 0 ? 3 : 1, 2);
        for (int nPhoto = 0; nPhoto < std::max(options.nPhotos, 1); ++nPhoto) {
            const DrawingSurface& frame = show.compose(size.nWidth, size.nHeight, true);
            const std::string csFile = frameFileName(options, csPack, size, nPhoto);
            if (!frame.isValid() ||
                cairo_surface_write_to_png(frame.get(), csFile.c_str()) != CAIRO_STATUS_SUCCESS) {
                std::cerr << "nimbora-frames: cannot compose or write " << csFile << "\n";
                return false;
            }
            std::cout << csFile << "  " << composer.currentWxImageInfo().imageIdentifier << "\n";
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) {
        return usage();
    }
    fillDefaults(options);
    g_csTempUnit = options.csUnit == "C" ? "C" : "F";
    FixedClock clock;
    platform::setClock(&clock);
    std::filesystem::create_directories(options.csOutput);

    SsConfig config;
    WeatherObservation observation(config);
    if (!readObservation(options, observation, config)) {
        return 1;
    }
    std::cout << "weather: sky code " << observation.getSkyCode() << ", '"
              << observation.getTemperature() << "', '" << observation.getCCText() << "'\n";
    for (const std::string& csPack : options.packs) {
        if (!writeFrames(options, observation, csPack)) {
            return 1;
        }
    }
    return 0;
}
