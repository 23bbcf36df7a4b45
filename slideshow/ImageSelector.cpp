#include "slideshow/ImageSelector.h"

#include "app/Trace.h"
#include "platform/Clock.h"
#include "slideshow/ImageDLLInterface.h"
#include "slideshow/ResourceNames.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

// A number that is never a valid group or image, so the first choice of a
// chooser never counts as a repeat.
constexpr int kNeverChosen = -123;

// A new second can give the same image again (59 and 0 with 59 images);
// after this many waits the image after the last is taken instead.
constexpr int kMaxClockWaits = 4;

// A wait for new seconds that takes longer than this finds the clock stuck.
constexpr std::chrono::milliseconds kSecondsChangeBound{2000};

// A pack holds at most a few thousand photos; a walk longer than this means
// the pack's counts make no sense and the search gives up.
constexpr int kMaxFavoriteSteps = 1 << 20;

struct LastChoice {
    int nGroup = kNeverChosen;
    int nImage = kNeverChosen;
};

struct WalkMemory {
    int nGroup = kNeverChosen;
    int nImage = kNeverChosen;
    bool bFirstCall = true;
};

// Process-wide selection memory, one per chooser.
LastChoice g_wxTriggeredLast;
LastChoice g_allRandomLast;
WalkMemory g_sequentialWalk;
WalkMemory g_userSelectWalk;

int clockSeconds() {
    return platform::clock().localSeconds();
}

std::string favoriteKey(int nGroup, int nImage) {
    char key[32];
    std::snprintf(key, sizeof key, "%02d,%02d", nGroup, nImage);
    return key;
}

} // namespace

bool ImageSelectionEnvironment::connectedToInternet() {
    return g_pTovakInterface != nullptr && g_pTovakInterface->connectedToInternet();
}

bool ImageSelectionEnvironment::isLogging() {
    return ::isLogging();
}

void ImageSelectionEnvironment::logMessage(const std::string& line) {
    ::logMessage(line);
}

bool ImageSelectionEnvironment::waitForSecondsOtherThan(int nSeenSeconds) {
    using namespace std::chrono;
    const auto giveUp = steady_clock::now() + kSecondsChangeBound;
    // Most of the wait in one sleep, to the wall clock's next second. The
    // clock read afterwards may be a coarser one that still shows the old
    // second for a moment, so it is asked again until it has moved on.
    std::this_thread::sleep_until(floor<seconds>(system_clock::now()) + seconds(1));
    while (clockSeconds() == nSeenSeconds) {
        if (steady_clock::now() >= giveUp) {
            return false;
        }
        std::this_thread::sleep_for(milliseconds(1));
    }
    return true;
}

ImageSelectionEnvironment& frameworkSelectionEnvironment() {
    static ImageSelectionEnvironment environment;
    return environment;
}

void resetImageSelectionMemoryForTesting() {
    g_wxTriggeredLast = LastChoice{};
    g_allRandomLast = LastChoice{};
    g_sequentialWalk = WalkMemory{};
    g_userSelectWalk = WalkMemory{};
}

ImageSelector::ImageSelector(const ImageDLLInterface& pack, ImageSelectionSettings settings,
                             ImageSelectionEnvironment& environment)
    : m_imagedll(pack), m_settings(std::move(settings)), m_environment(environment) {}

WxImageInfo ImageSelector::getNextImageInfo() {
    WxImageInfo info;
    switch (m_settings.displayImageMethod) {
    case 2:
        getNextImageInfoUserSelect(info);
        break;
    case 3:
        if (m_settings.displayShowAllMethod == 2) {
            getNextImageInfoAllSequentially(info);
        } else {
            getNextImageInfoAllRandom(info);
        }
        break;
    default:
        getNextImageInfoWxTriggered(info);
        break;
    }
    if (!info.imageIdentifier.empty()) {
        fillFromPack(info);
    }
    return info;
}

void ImageSelector::getNextImageInfoWxTriggered(WxImageInfo& info) {
    if (!packHasGroups()) {
        setNoPhoto(info, "getNextImageInfoWxTriggered");
        return;
    }
    int nGroup = -1;
    if (m_environment.connectedToInternet()) {
        nGroup = m_imagedll.getGroupForSkyCode(m_settings.skyCode);
    }
    if (nGroup == -1) {
        nGroup = randomGroup();
    }
    Position last{g_wxTriggeredLast.nGroup, g_wxTriggeredLast.nImage};
    chooseImageInGroup(nGroup, last);
    g_wxTriggeredLast = {last.nGroup, last.nImage};
    setChoice(info, last, "getNextImageInfoWxTriggered");
}

void ImageSelector::getNextImageInfoAllRandom(WxImageInfo& info) {
    if (!packHasGroups()) {
        setNoPhoto(info, "getNextImageInfoAllRandom");
        return;
    }
    Position last{g_allRandomLast.nGroup, g_allRandomLast.nImage};
    chooseImageInGroup(randomGroup(), last);
    g_allRandomLast = {last.nGroup, last.nImage};
    setChoice(info, last, "getNextImageInfoAllRandom");
}

void ImageSelector::getNextImageInfoAllSequentially(WxImageInfo& info) {
    if (!packHasGroups()) {
        setNoPhoto(info, "getNextImageInfoAllSequentially");
        return;
    }
    Position position{g_sequentialWalk.nGroup, g_sequentialWalk.nImage};
    if (g_sequentialWalk.bFirstCall) {
        g_sequentialWalk.bFirstCall = false;
        position.nGroup = randomGroup();
        position.nImage = randomImage(position.nGroup);
    } else {
        advance(position);
    }
    g_sequentialWalk.nGroup = position.nGroup;
    g_sequentialWalk.nImage = position.nImage;
    setChoice(info, position, "getNextImageInfoAllSequentially");
}

void ImageSelector::getNextImageInfoUserSelect(WxImageInfo& info) {
    if (m_settings.favorites.empty()) {
        getNextImageInfoAllRandom(info);
        return;
    }
    if (!packHasGroups()) {
        setNoPhoto(info, "getNextImageInfoUserSelect");
        return;
    }
    bool bFirstCall = g_userSelectWalk.bFirstCall;
    Position position{g_userSelectWalk.nGroup, g_userSelectWalk.nImage};
    if (bFirstCall) {
        g_userSelectWalk.bFirstCall = false;
        position.nGroup = randomGroup();
        position.nImage = randomImage(position.nGroup);
    }
    bool bFound = findNextFavorite(position, bFirstCall);
    g_userSelectWalk.nGroup = position.nGroup;
    g_userSelectWalk.nImage = position.nImage;
    if (!bFound) {
        // No favourite is a photo of this pack.
        getNextImageInfoAllRandom(info);
        return;
    }
    setChoice(info, position, "getNextImageInfoUserSelect");
}

bool ImageSelector::packHasGroups() const {
    return m_imagedll.getNumImageGroups() > 0;
}

int ImageSelector::randomGroup() const {
    return clockSeconds() % m_imagedll.getNumImageGroups() + 1;
}

int ImageSelector::randomImage(int nGroup) const {
    int nImages = m_imagedll.getNumImagesForGroup(nGroup);
    if (nImages <= 1) {
        return 1;
    }
    return clockSeconds() % nImages + 1;
}

// Another image than the last one: waits for the clock's seconds to give
// one. Should the clock not move on, the image after the last is taken.
int ImageSelector::imageDifferentFrom(int nLastImage, int nImages) {
    int nSeconds = clockSeconds();
    int nImage = nSeconds % nImages + 1;
    for (int nWaits = 0; nImage == nLastImage; ++nWaits) {
        if (nWaits == kMaxClockWaits || !m_environment.waitForSecondsOtherThan(nSeconds)) {
            return nLastImage % nImages + 1;
        }
        nSeconds = clockSeconds();
        nImage = nSeconds % nImages + 1;
    }
    return nImage;
}

void ImageSelector::chooseImageInGroup(int nGroup, Position& last) {
    if (nGroup != last.nGroup) {
        last.nImage = kNeverChosen;
    }
    int nImages = m_imagedll.getNumImagesForGroup(nGroup);
    last.nImage = nImages <= 1 ? 1 : imageDifferentFrom(last.nImage, nImages);
    last.nGroup = nGroup;
}

// The next photo in pack order, wrapping from the last photo of the last
// group to group 1, image 1. A position beyond the pack's limits (left from
// another pack) wraps the same way.
void ImageSelector::advance(Position& position) const {
    int nImages = m_imagedll.getNumImagesForGroup(position.nGroup);
    if (position.nImage < nImages) {
        ++position.nImage;
    } else if (position.nGroup >= m_imagedll.getNumImageGroups()) {
        position = {1, 1};
    } else {
        ++position.nGroup;
        position.nImage = 1;
    }
}

// Walks forward from position to the next photo named in the favourites.
// On the first call the starting photo itself may be the answer. False when
// a whole round of the pack finds none.
bool ImageSelector::findNextFavorite(Position& position, bool bFirstCall) const {
    const std::string& favorites = m_settings.favorites;
    if (bFirstCall &&
        favorites.find(favoriteKey(position.nGroup, position.nImage)) != std::string::npos) {
        return true;
    }
    Position start{};
    int nVisitsOfFirstPhoto = 0;
    for (int nStep = 0; nStep < kMaxFavoriteSteps; ++nStep) {
        advance(position);
        if (nStep == 0) {
            start = position;
        } else if (position == start) {
            return false;
        }
        // A start outside the pack's own order is never met again; the
        // second pass over group 1, image 1 ends the round instead.
        if (position == Position{1, 1} && ++nVisitsOfFirstPhoto > 1) {
            return false;
        }
        if (favorites.find(favoriteKey(position.nGroup, position.nImage)) != std::string::npos) {
            return true;
        }
    }
    return false;
}

void ImageSelector::fillFromPack(WxImageInfo& info) const {
    int offsets[2] = {info.boxOffsetX, info.boxOffsetY};
    info.boxlocation = m_imagedll.getBoxLocationForImage(info.group, info.image, offsets);
    info.boxOffsetX = offsets[0];
    info.boxOffsetY = offsets[1];
    info.borderColor = m_imagedll.getBorderColorForImage(info.group, info.image);
    info.weatherTextColor = m_imagedll.getColorForWeatherText(info.group, info.image);
    info.temperatureTextColor = m_imagedll.getColorForTemperatureText(info.group, info.image);
    info.locationTextColor = m_imagedll.getColorForLocationText(info.group, info.image);
    info.iconPath = m_imagedll.getIconPath();
}

void ImageSelector::setChoice(WxImageInfo& info, const Position& choice, const char* chooserName) {
    info.group = choice.nGroup;
    info.image = choice.nImage;
    info.imageIdentifier = photoResourceName(choice.nGroup, choice.nImage);
    logChoice(info, chooserName);
}

void ImageSelector::setNoPhoto(WxImageInfo& info, const char* chooserName) {
    info.group = -1;
    info.image = -1;
    info.imageIdentifier.clear();
    logChoice(info, chooserName);
}

void ImageSelector::logChoice(const WxImageInfo& info, const char* chooserName) {
    if (m_environment.isLogging()) {
        m_environment.logMessage(std::string("CDrawWnd::") + chooserName +
                                 "(), group = " + std::to_string(info.group) +
                                 ", image = " + std::to_string(info.image));
    }
}
