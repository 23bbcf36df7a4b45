#include "packs/CatalogueHost.h"

SsConfig* g_pSsConfig = nullptr;

CatalogueHost::CatalogueHost() {
    g_pSsConfig = &m_config;
}

CatalogueHost::~CatalogueHost() {
    if (g_pSsConfig == &m_config) {
        g_pSsConfig = nullptr;
    }
}
