#include "packs/SsConfig.h"

#include "app/ServiceAddresses.h"
#include "net/InternetServices.h"
#include "net/XmlParsingUtils.h"
#include "net/XmlPathQuery.h"

#include <tinyxml.h>

namespace {

constexpr const char* kCyclePath = "/ss/app/cycle/text()";
constexpr const char* kNoConfigKey = "{no config available}";
constexpr const char* kEmptyCycleKey = "{empty cycle value in config}";

// Where each field of an entry is found, below "/ss/packs/pack[N]".
struct PackField {
    std::string ImgPackInfo::*member;
    const char* path;
};

constexpr PackField kPackFields[] = {
    {&ImgPackInfo::id, "/@id"},
    {&ImgPackInfo::dlurl, "/dlurl/text()"},
    {&ImgPackInfo::dlurl_lfn, "/dlurl/@lfn"},
    {&ImgPackInfo::desc, "/desc/text()"},
    {&ImgPackInfo::promo_show, "/promo/@show"},
    {&ImgPackInfo::promo_ranking, "/promo/ranking/text()"},
    {&ImgPackInfo::promo_imgurl, "/promo/imgurl/text()"},
    {&ImgPackInfo::promo_imglfn, "/promo/imgurl/@lfn"},
    {&ImgPackInfo::promo_unique_val, "/promo/unique_val/text()"},
    {&ImgPackInfo::tracking_promodisp, "/promo/tracking/promo_disp/text()"},
    {&ImgPackInfo::tracking_selyes, "/promo/tracking/sel_yes/text()"},
    {&ImgPackInfo::tracking_selno, "/promo/tracking/sel_no/text()"},
    {&ImgPackInfo::tracking_sellater, "/promo/tracking/sel_later/text()"},
    {&ImgPackInfo::tracking_dwnldinit, "/promo/tracking/dwnld_init/text()"},
    {&ImgPackInfo::tracking_dwnldsucc, "/promo/tracking/dwnld_succ/text()"},
    {&ImgPackInfo::tracking_dwnldfail, "/promo/tracking/dwnld_fail/text()"},
    {&ImgPackInfo::dlurl_sha256, "/dlurl/@sha256"},
};

} // namespace

std::string SsConfig::url() {
    return serviceAddresses().configuration + "/services/plexa/screensaver/ssconfig.xml";
}

bool SsConfig::fetch() {
    InternetServices services;
    // Either route's success loads the document.
    m_bLoaded = fetchDocument(services, url());
    if (m_bLoaded) {
        m_csText = services.getResponse();
    }
    return m_bLoaded;
}

void SsConfig::setText(std::string csText) {
    m_csText = std::move(csText);
    m_bLoaded = true;
}

std::string SsConfig::query(std::string_view path) const {
    return queryXmlPath(m_csText, path);
}

bool SsConfig::getPack(const TiXmlNode& document, int nIndex, ImgPackInfo& info) {
    if (nIndex < 0 || nIndex >= kMaxCataloguePacks) {
        return false;
    }
    const std::string csPack = "/ss/packs/pack[" + std::to_string(nIndex + 1) + "]";
    if (evaluateXmlPath(document, csPack + "/@id").empty()) {
        return false;
    }
    for (const PackField& field : kPackFields) {
        info.*field.member = evaluateXmlPath(document, csPack + field.path);
    }
    return true;
}

bool SsConfig::getPack(int nIndex, ImgPackInfo& info) const {
    if (!m_bLoaded) {
        return false;
    }
    try {
        TiXmlDocument document("idstring");
        return parseXmlDocument(document, m_csText) && getPack(document, nIndex, info);
    } catch (...) {
        return false;
    }
}

std::string SsConfig::getCycle() const {
    if (!m_bLoaded) {
        return kNoConfigKey;
    }
    std::string csCycle = query(kCyclePath);
    return csCycle.empty() ? std::string(kEmptyCycleKey) : csCycle;
}
