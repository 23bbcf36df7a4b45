#include "packs/PromoDialogLogic.h"

#include "net/HttpLimits.h"
#include "net/InternetServices.h"
#include "packs/PackFolders.h"
#include "packs/PromoPicture.h"
#include "platform/DebugOutput.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

// A fresh folder of the temporary folder, readable by this user alone: a
// shared folder such as /tmp would let another user put a file or a link
// in the picture's place.
std::string makePrivateFolder() {
    std::error_code error;
    std::string pattern = std::filesystem::temp_directory_path(error).string();
    if (error || pattern.empty()) {
        pattern = "/tmp";
    }
    pattern += "/nimbora-promo-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    return ::mkdtemp(name.data()) != nullptr ? std::string(name.data()) + "/" : std::string();
}

} // namespace

PromoDialogLogic::~PromoDialogLogic() {
    if (!m_csImageFolder.empty()) {
        std::error_code error;
        std::filesystem::remove_all(m_csImageFolder, error);
    }
}

const ImgPackInfo* PromoDialogLogic::pack() const {
    const auto& packs = m_manager.catalogue().packs;
    return m_nPackIndex >= 0 && static_cast<std::size_t>(m_nPackIndex) < packs.size()
               ? &packs[static_cast<std::size_t>(m_nPackIndex)]
               : nullptr;
}

void PromoDialogLogic::ping(const std::string ImgPackInfo::*code) const {
    if (m_sendTrackingPing && pack() != nullptr) {
        m_sendTrackingPing(pack()->*code);
    }
}

void PromoDialogLogic::setPack(int nIndex) {
    m_nPackIndex = nIndex;
    const ImgPackInfo* pInfo = pack();
    if (pInfo == nullptr || pInfo->promo_imgurl.empty()) {
        return;
    }
    // The picture's name comes from the network: only a plain name is used.
    if (!isPlainFileName(pInfo->promo_imglfn) ||
        pInfo->promo_imglfn.find("..") != std::string::npos) {
        platform::debugOutput("CImgpkPromoDialog::setPack(int index) - the picture's file name '" +
                              pInfo->promo_imglfn + "' is not a plain file name; no picture\n");
        return;
    }
    if (m_csImageFolder.empty()) {
        m_csImageFolder = makePrivateFolder();
    }
    if (m_csImageFolder.empty()) {
        return;
    }
    const std::string csPath = m_csImageFolder + pInfo->promo_imglfn;
    // The show waits for this download before it starts, so a slow server
    // gets the time of a document, not that of a pack; without the picture
    // the dialog shows all the same.
    InternetServices services;
    if (services.downloadFileFromURL(pInfo->promo_imgurl, csPath, kPromoPictureLimits.nMaxFileBytes,
                                     httpLimits().nDocumentTimeoutMs)) {
        m_csImagePath = csPath;
    }
}

void PromoDialogLogic::onInitDialog(PromoDialogView& view) {
    ping(&ImgPackInfo::tracking_promodisp);
    if (m_manager.isAskMeLaterActive()) {
        // The last reminder cannot ask for another.
        if (m_manager.askMeLaterCountDown() < 1) {
            view.hideAskMeLater();
        }
        m_manager.countDownAskMeLater();
    }
    view.startTimer(kTimeOutTimer, kTimeOutMs);
}

void PromoDialogLogic::onYes(PromoDialogView& view) {
    view.killTimer(kTimeOutTimer);
    view.hideDialog();
    ping(&ImgPackInfo::tracking_selyes);
    if (m_manager.isAskMeLaterActive()) {
        m_manager.clearAskMeLater();
    }
    m_manager.downloadAndInstall(m_nPackIndex, m_sendTrackingPing);
    view.endDialog(kYes);
}

void PromoDialogLogic::onNoThanks(PromoDialogView& view) {
    ping(&ImgPackInfo::tracking_selno);
    if (m_manager.isAskMeLaterActive()) {
        m_manager.clearAskMeLater();
    }
    m_manager.markDeclined(m_nPackIndex);
    view.endDialog(kNoThanks);
}

void PromoDialogLogic::onAskMeLater(PromoDialogView& view) {
    ping(&ImgPackInfo::tracking_sellater);
    if (!m_manager.isAskMeLaterActive()) {
        m_manager.setAskMeLater(m_nPackIndex);
    }
    view.endDialog(kYes);
}

bool PromoDialogLogic::onTimer(PromoDialogView& view, unsigned nTimerId) {
    if (nTimerId != kTimeOutTimer) {
        return false;
    }
    if (m_sendTrackingPing) {
        m_sendTrackingPing(kTimeOutCode);
    }
    view.endDialog(kNoThanks);
    return true;
}
