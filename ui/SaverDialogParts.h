#pragma once

#include "app/ConfigurationValues.h"
#include "location/LocationResolution.h"

#include <functional>
#include <optional>
#include <string>

// What the settings dialog's logic works with besides its values: its own
// controls, the preview drawing window and the rest of the program. The
// window class and the tests each provide them.

// The values the dialog edits (ConfigurationValues, which the caller fills
// and reads back) and the state of its radio groups.
struct SaverDialogValues : ConfigurationValues {
    int m_methodRadio = -1; // 0 weather-triggered, 1 favourites, 2 show all
    int m_orderRadio = -1;  // 0 random, 1 sequential
    bool m_busy = false;    // the favourites' thumbnails are being built
};

// The dialog's controls, addressed by their template ids.
class SaverDialogControls {
public:
    virtual ~SaverDialogControls() = default;
    // Data exchange: the controls' values into values, or the values into
    // the controls (scroll bar, location text, both radio groups, the two
    // check boxes).
    virtual void readValues(SaverDialogValues& values) = 0;
    virtual void writeValues(const SaverDialogValues& values) = 0;

    virtual int speedPosition() const = 0;
    // Moves the scroll bar; a position outside its range goes to the end.
    virtual void setSpeedPosition(int nPosition) = 0;
    virtual void setItemText(int nId, const std::string& text) = 0;
    virtual std::string itemText(int nId) const = 0;
    virtual void enableItem(int nId, bool bEnable) = 0;

    // Drop-down lists: an entry added where the list sorts it, its index
    // returned; the selected index, or -1.
    virtual int addListEntry(int nId, const std::string& text) = 0;
    virtual void selectListEntry(int nId, int nIndex) = 0;
    virtual int selectedListEntry(int nId) const = 0;

    // The wait cursor over the whole dialog, or the usual cursors again.
    virtual void showWaitCursor(bool bWait) = 0;
    virtual void startFirstUseTimer() = 0;
    virtual void stopFirstUseTimer() = 0;
    virtual void endDialog(int nResult) = 0;
};

// The operations of the preview drawing window that the dialog uses.
class SaverPreview {
public:
    virtual ~SaverPreview() = default;
    virtual void SetSpeed(int nSpeedInMinutes, bool speedUp) = 0;
    virtual void setDisplayMethod(int nMethod, int nOrder) = 0;
    virtual void setBlendImages(bool bBlend) = 0;
    virtual void setPausePreview(bool bPause) = 0;
    virtual void setImagePackFile(const std::string& csPath) = 0;
    virtual void setFavorites(const std::string& csText) = 0;
    virtual void setLocation(const std::string& csDisplayName, const std::string& csLocationID) = 0;
};

// What the favourite picker is given when the "..." button is pressed.
struct FavoritePickerRequest {
    std::string packPath;     // the current pack, folder and file name
    std::string packFileName; // the key of its favourites list
    std::string favorites;    // that list now ("gg,ii;gg,ii")
    // Stops (true) and resumes (false) the preview while thumbnails are made.
    std::function<void(bool)> pausePreview;
    // Marks the dialog busy: it shows the wait cursor meanwhile.
    std::function<void(bool)> setBusy;
};

// Lets the user pick the favourites of a pack.
class FavoritePicker {
public:
    virtual ~FavoritePicker() = default;
    // The new favourites list, or nullopt when the user cancelled.
    virtual std::optional<std::string> pickFavorites(const FavoritePickerRequest& request) = 0;
};

// The rest of the program, as the dialog sees it.
class SaverDialogServices {
public:
    virtual ~SaverDialogServices() = default;
    virtual bool connectedToInternet() = 0;
    virtual void sendTrackingPing(const std::string& code) = 0;
    // The location entry dialog over the settings dialog; nullopt when it
    // was cancelled.
    virtual std::optional<ChosenLocation> askForLocation() = 0;
    virtual FavoritePicker& favoritePicker() = 0;
};
