#include "packs/CatalogueHost.h"

SsConfig* g_pSsConfig = nullptr;

CatalogueHost::CatalogueHost(PromoDialogRunner runPromoDialog)
    : m_runPromoDialog(std::move(runPromoDialog)) {
    g_pSsConfig = &m_config;
}

CatalogueHost::~CatalogueHost() {
    if (g_pSsConfig == &m_config) {
        g_pSsConfig = nullptr;
    }
}

void CatalogueHost::preparePromo(const std::function<void(const std::string&)>& sendTrackingPing) {
    m_pPromotion = std::make_unique<PromoDialogLogic>(m_manager, sendTrackingPing);
    m_pPromotion->setPack(m_manager.promoIndex());
}

void CatalogueHost::showPromo() {
    if (m_pPromotion != nullptr && m_runPromoDialog) {
        m_runPromoDialog(*m_pPromotion);
    }
}
