#pragma once

#include "packs/ImgPackManager.h"
#include "packs/PackInstaller.h"

#include <string>

// What the promotion asks of its dialog window; the window implements it,
// tests stand in for it (and for the time-out's timer).
class PromoDialogView {
public:
    virtual ~PromoDialogView() = default;
    virtual void hideAskMeLater() = 0;
    virtual void hideDialog() = 0;
    virtual void startTimer(unsigned nTimerId, unsigned nElapseMs) = 0;
    virtual void killTimer(unsigned nTimerId) = 0;
    virtual void endDialog(int nResult) = 0;
};

// The promotional dialog of a new pack without the toolkit: the picture,
// the answers with their pings and their effect on the catalogue's state.
class PromoDialogLogic {
public:
    static constexpr int kYes = 1;
    static constexpr int kNoThanks = 2;
    static constexpr unsigned kTimeOutTimer = 1;
    static constexpr unsigned kTimeOutMs = 50'000;
    static constexpr const char* kTimeOutCode = "216";

    PromoDialogLogic(ImgPackManager& manager, TrackingPingSender sendTrackingPing)
        : m_manager(manager), m_sendTrackingPing(std::move(sendTrackingPing)) {}
    // Removes the downloaded picture.
    ~PromoDialogLogic();
    PromoDialogLogic(const PromoDialogLogic&) = delete;
    PromoDialogLogic& operator=(const PromoDialogLogic&) = delete;

    // Keeps the pack and downloads its promotional picture, if it has one,
    // into a folder of the temporary folder that only this user can read.
    void setPack(int nIndex);
    int packIndex() const { return m_nPackIndex; }
    // The downloaded picture; empty when there is none.
    const std::string& imagePath() const { return m_csImagePath; }

    // The dialog has its controls: ping, count a reminder down, start the
    // time-out.
    void onInitDialog(PromoDialogView& view);
    // Yes: install the pack for this user.
    void onYes(PromoDialogView& view);
    // No Thanks, and Escape: decline this promotion.
    void onNoThanks(PromoDialogView& view);
    // Ask Me Later: offer it again on the next runs.
    void onAskMeLater(PromoDialogView& view);
    // The time-out ends the dialog without declining anything. False for
    // a timer that is not the promotion's.
    bool onTimer(PromoDialogView& view, unsigned nTimerId);

private:
    const ImgPackInfo* pack() const;
    void ping(const std::string ImgPackInfo::*code) const;

    ImgPackManager& m_manager;
    TrackingPingSender m_sendTrackingPing;
    int m_nPackIndex = -1;
    std::string m_csImagePath;
    std::string m_csImageFolder;
};
