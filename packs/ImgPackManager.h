#pragma once

#include "packs/ImgPacks.h"
#include "packs/PackInstaller.h"
#include "packs/SsConfig.h"

#include <cstdint>

// The catalogue of the configuration document with this installation's
// state: which packs are installed and what the user answered to earlier
// promotions (kept in the settings store's "IP" subsections).
class ImgPackManager {
public:
    // The document is not owned and must outlive the manager.
    explicit ImgPackManager(SsConfig& config) : m_config(config) {}
    ImgPackManager(const ImgPackManager&) = delete;
    ImgPackManager& operator=(const ImgPackManager&) = delete;

    // Builds the catalogue afresh from the document (fetched once more when
    // it is not loaded), the persisted state and the installed packs, and
    // writes its dump to the debug output.
    void load();

    // Operations on the persisted ask-me-later and declined state. An index
    // outside the catalogue changes nothing.
    void clearAskMeLater();
    void setAskMeLater(int nIndex);
    bool isAskMeLaterActive() const { return !m_catalogue.askMeLaterActivePackID.empty(); }
    std::int32_t askMeLaterCountDown() const { return m_catalogue.askMeLaterCountDown; }
    void countDownAskMeLater();
    void markDeclined(int nIndex);

    // Whether a pack is to be promoted at the end of this run, and which
    // (promoIndex()): the pack the user asked to be reminded of while
    // reminders are left, else the first pack of the lowest rank (1, 2, ...
    // up to the number of packs) that may be shown, is not installed and
    // was not declined.
    bool shouldShowPromo();
    int promoIndex() const { return m_nPromoIndex; }

    // Installs the pack at nIndex for this user (see PackInstaller), with
    // its download pings. True once it is in place.
    bool downloadAndInstall(int nIndex, const TrackingPingSender& sendTrackingPing);

    const ImgPacks& catalogue() const { return m_catalogue; }

private:
    bool isIndex(int nIndex) const;
    void readCatalogue();
    void readPersistedState();
    void markInstalled();
    int askMeLaterPackIndex() const;
    int rankedPackIndex();

    SsConfig& m_config;
    ImgPacks m_catalogue;
    int m_nPromoIndex = -1;
};
