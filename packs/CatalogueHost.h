#pragma once

#include "app/SaverModeHost.h"
#include "packs/ImgPackManager.h"
#include "packs/PromoDialogLogic.h"
#include "packs/SsConfig.h"

#include <functional>
#include <memory>

// The process-wide configuration document; null until the application's
// catalogue host exists. Read by the weather code for its key and to fetch
// the document when it is still missing.
extern SsConfig* g_pSsConfig;

// The application's catalogue: the configuration document, the pack
// catalogue built from it and the promotion of a pack. While it lives it is
// the process-wide one.
class CatalogueHost : public PackCatalogueHost {
public:
    // Shows the promotion's dialog modally (the toolkit's, in the program).
    using PromoDialogRunner = std::function<void(PromoDialogLogic&)>;

    explicit CatalogueHost(PromoDialogRunner runPromoDialog = {});
    ~CatalogueHost() override;
    CatalogueHost(const CatalogueHost&) = delete;
    CatalogueHost& operator=(const CatalogueHost&) = delete;

    void fetchConfiguration() override { m_config.fetch(); }
    void loadCatalogue() override { m_manager.load(); }
    bool shouldShowPromo() override { return m_manager.shouldShowPromo(); }
    void preparePromo(const std::function<void(const std::string&)>& sendTrackingPing) override;
    void showPromo() override;

    SsConfig& config() { return m_config; }
    ImgPackManager& manager() { return m_manager; }
    PromoDialogLogic* promotion() { return m_pPromotion.get(); }

private:
    SsConfig m_config;
    ImgPackManager m_manager{m_config};
    PromoDialogRunner m_runPromoDialog;
    std::unique_ptr<PromoDialogLogic> m_pPromotion;
};
