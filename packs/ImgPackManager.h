#pragma once

#include "packs/ImgPacks.h"
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
    // (promoIndex()). The promotion is not part of this build: never.
    bool shouldShowPromo() { return false; }
    int promoIndex() const { return m_nPromoIndex; }

    const ImgPacks& catalogue() const { return m_catalogue; }

private:
    bool isIndex(int nIndex) const;
    void readCatalogue();
    void readPersistedState();
    void markInstalled();

    SsConfig& m_config;
    ImgPacks m_catalogue;
    int m_nPromoIndex = -1;
};
