#include "packs/ImgPackManager.h"

#include "app/SettingsKeys.h"
#include "net/XmlParsingUtils.h"
#include "packs/PackFolders.h"
#include "packs/SystemProfile.h"
#include "platform/Clock.h"
#include "platform/DebugOutput.h"

#include <algorithm>
#include <cctype>
#include <tinyxml.h>

namespace {

constexpr int kAskMeLaterReminders = 3;

std::string declinedSection(const ImgPackInfo& pack) {
    return settings::packPromotionSubsection(pack.id, pack.promo_unique_val);
}

} // namespace

void ImgPackManager::load() {
    m_catalogue = ImgPacks();
    readCatalogue();
    readPersistedState();
    markInstalled();
    platform::debugOutput(m_catalogue.dumpPackList());
}

void ImgPackManager::readCatalogue() {
    if (!m_config.isLoaded()) {
        m_config.fetch();
    }
    if (!m_config.isLoaded()) {
        return;
    }
    // One parse serves every entry; the answers are those of getPack.
    try {
        TiXmlDocument document("idstring");
        if (!parseXmlDocument(document, m_config.text())) {
            return;
        }
        ImgPackInfo info;
        for (int nIndex = 0; SsConfig::getPack(document, nIndex, info); ++nIndex) {
            m_catalogue.packs.push_back(info);
        }
    } catch (...) {
        m_catalogue.packs.clear();
    }
}

void ImgPackManager::readPersistedState() {
    m_catalogue.askMeLaterActivePackID = settings::get(settings::kAskMeLaterActivePackId);
    m_catalogue.askMeLaterCountDown = settings::get(settings::kAskMeLaterCountDown);
    for (ImgPackInfo& pack : m_catalogue.packs) {
        pack.ip_declined = SettingsStore::GetString(declinedSection(pack), settings::kDeclinedKey,
                                                    settings::kDeclinedDefault);
    }
}

void ImgPackManager::markInstalled() {
    const std::vector<std::string> folders = packFolders();
    for (ImgPackInfo& pack : m_catalogue.packs) {
        pack.installed = isPackInstalled(pack.id, folders);
    }
}

bool ImgPackManager::isIndex(int nIndex) const {
    return nIndex >= 0 && static_cast<std::size_t>(nIndex) < m_catalogue.packs.size();
}

void ImgPackManager::clearAskMeLater() {
    settings::set(settings::kAskMeLaterActivePackId, "");
    settings::set(settings::kAskMeLaterCountDown, -1);
}

void ImgPackManager::setAskMeLater(int nIndex) {
    if (!isIndex(nIndex)) {
        return;
    }
    settings::set(settings::kAskMeLaterActivePackId,
                  m_catalogue.packs[static_cast<std::size_t>(nIndex)].id);
    settings::set(settings::kAskMeLaterCountDown, kAskMeLaterReminders);
}

void ImgPackManager::countDownAskMeLater() {
    const std::int32_t nCount = m_catalogue.askMeLaterCountDown;
    m_catalogue.askMeLaterCountDown = nCount < 0 ? -1 : nCount - 1;
    if (m_catalogue.askMeLaterCountDown < 0) {
        m_catalogue.askMeLaterActivePackID.clear();
    }
    settings::set(settings::kAskMeLaterActivePackId, m_catalogue.askMeLaterActivePackID);
    settings::set(settings::kAskMeLaterCountDown, m_catalogue.askMeLaterCountDown);
}

void ImgPackManager::markDeclined(int nIndex) {
    if (!isIndex(nIndex)) {
        return;
    }
    ImgPackInfo& pack = m_catalogue.packs[static_cast<std::size_t>(nIndex)];
    pack.ip_declined = platform::ctimeText(platform::clock().now());
    SettingsStore::SetString(declinedSection(pack), settings::kDeclinedKey, pack.ip_declined);
}

bool ImgPackManager::shouldShowPromo() {
    m_nPromoIndex = askMeLaterPackIndex();
    if (m_nPromoIndex < 0) {
        m_nPromoIndex = rankedPackIndex();
    }
    return m_nPromoIndex >= 0;
}

int ImgPackManager::askMeLaterPackIndex() const {
    if (m_catalogue.askMeLaterCountDown < 0 || m_catalogue.askMeLaterActivePackID.empty()) {
        return -1;
    }
    for (std::size_t i = 0; i < m_catalogue.packs.size(); ++i) {
        if (m_catalogue.packs[i].id == m_catalogue.askMeLaterActivePackID) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int ImgPackManager::rankedPackIndex() {
    const std::size_t nPacks = m_catalogue.packs.size();
    for (std::size_t nRank = 1; nRank <= nPacks; ++nRank) {
        const std::string csRank = std::to_string(nRank);
        for (std::size_t i = 0; i < nPacks; ++i) {
            ImgPackInfo& pack = m_catalogue.packs[i];
            std::transform(pack.promo_show.begin(), pack.promo_show.end(), pack.promo_show.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            if (pack.promo_show == "t" && pack.promo_ranking == csRank && !pack.installed &&
                pack.ip_declined.empty()) {
                return static_cast<int>(i);
            }
        }
    }
    return -1;
}

bool ImgPackManager::downloadAndInstall(int nIndex, const TrackingPingSender& sendTrackingPing) {
    if (!isIndex(nIndex)) {
        return false;
    }
    // Probed (and described on the debug output) as ever; no version of
    // the system changes where or how a pack is installed.
    const SystemProfile profile;
    PackInstaller installer(sendTrackingPing);
    const bool bInstalled = installer.install(m_catalogue.packs[static_cast<std::size_t>(nIndex)]);
    if (bInstalled) {
        m_catalogue.packs[static_cast<std::size_t>(nIndex)].installed = true;
    }
    return bInstalled;
}
