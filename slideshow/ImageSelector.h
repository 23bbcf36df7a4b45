#pragma once

#include "slideshow/WxImageInfo.h"

#include <string>

class ImageDLLInterface;

// What choosing a photo needs besides the pack: the connection test, the
// trace log and a pause until the clock's seconds move on. Tests substitute
// their own.
class ImageSelectionEnvironment {
public:
    virtual ~ImageSelectionEnvironment() = default;
    // False when the framework library is absent.
    virtual bool connectedToInternet();
    virtual bool isLogging();
    virtual void logMessage(const std::string& line);
    // Waits until the seconds the selection reads (platform::clock()'s
    // localSeconds()) are no longer nSeenSeconds. False when they have not
    // changed within two seconds: the clock is stuck.
    virtual bool waitForSecondsOtherThan(int nSeenSeconds);
};

// The running program's environment: the framework library and real time.
ImageSelectionEnvironment& frameworkSelectionEnvironment();

// How the drawing window wants its photos chosen.
struct ImageSelectionSettings {
    // 1 weather-triggered, 2 favourites only, 3 all photos; others act as 1.
    int displayImageMethod = 1;
    // With method 3: 2 in pack order, anything else at random.
    int displayShowAllMethod = 1;
    // Entries "%02d,%02d" of group and image joined by ';'.
    std::string favorites;
    // Sky code of the current observation.
    int skyCode = 0;
};

// Chooses the next photo of a pack. The random choices are the seconds of
// the local time reduced modulo the number of candidates.
//
// Each chooser remembers its last photo in memory shared by the whole
// process: a new selector, a new drawing window or a new pack continues
// where the last one left off.
//
// A pack that reports no groups (zero, or -1 when it is not loaded) has no
// photo to offer: the record then keeps group and image -1 and an empty
// identifier, and the memory is left as it was.
class ImageSelector {
public:
    // The pack and the environment are not owned and must outlive the selector.
    ImageSelector(const ImageDLLInterface& pack, ImageSelectionSettings settings,
                  ImageSelectionEnvironment& environment = frameworkSelectionEnvironment());

    // The next photo by the display method, its record filled from the pack.
    WxImageInfo getNextImageInfo();

    // The choosers set group, image and imageIdentifier of the record.
    void getNextImageInfoWxTriggered(WxImageInfo& info);
    void getNextImageInfoAllRandom(WxImageInfo& info);
    void getNextImageInfoAllSequentially(WxImageInfo& info);
    void getNextImageInfoUserSelect(WxImageInfo& info);

private:
    struct Position {
        int nGroup;
        int nImage;
        bool operator==(const Position&) const = default;
    };

    bool packHasGroups() const;
    int randomGroup() const;
    int randomImage(int nGroup) const;
    int imageDifferentFrom(int nLastImage, int nImages);
    void chooseImageInGroup(int nGroup, Position& last);
    void advance(Position& position) const;
    bool findNextFavorite(Position& position, bool bFirstCall) const;
    void fillFromPack(WxImageInfo& info) const;
    void setChoice(WxImageInfo& info, const Position& choice, const char* chooserName);
    void setNoPhoto(WxImageInfo& info, const char* chooserName);
    void logChoice(const WxImageInfo& info, const char* chooserName);

    const ImageDLLInterface& m_imagedll;
    ImageSelectionSettings m_settings;
    ImageSelectionEnvironment& m_environment;
};

// Forgets every chooser's last photo, as at process start. Only tests call
// this; the program keeps the memory for its whole run.
void resetImageSelectionMemoryForTesting();
