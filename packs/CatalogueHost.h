#pragma once

#include "app/SaverModeHost.h"
#include "packs/ImgPackManager.h"
#include "packs/SsConfig.h"

// The process-wide configuration document; null until the application's
// catalogue host exists. Read by the weather code for its key and to fetch
// the document when it is still missing.
extern SsConfig* g_pSsConfig;

// The application's catalogue: the configuration document and the pack
// catalogue built from it. While it lives it is the process-wide one.
class CatalogueHost : public PackCatalogueHost {
public:
    CatalogueHost();
    ~CatalogueHost() override;
    CatalogueHost(const CatalogueHost&) = delete;
    CatalogueHost& operator=(const CatalogueHost&) = delete;

    void fetchConfiguration() override { m_config.fetch(); }
    void loadCatalogue() override { m_manager.load(); }
    bool shouldShowPromo() override { return m_manager.shouldShowPromo(); }
    // The promotional dialog is not part of this build.
    void preparePromo() override {}
    void showPromo() override {}

    SsConfig& config() { return m_config; }
    ImgPackManager& manager() { return m_manager; }

private:
    SsConfig m_config;
    ImgPackManager m_manager{m_config};
};
