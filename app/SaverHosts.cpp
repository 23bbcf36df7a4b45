#include "app/FullScreenModeHost.h"
#include "app/SaverModeHost.h"
#include "packs/CImgpkPromoDialog.h"
#include "packs/CatalogueHost.h"
#include "slideshow/PreviewModeHost.h"
#include "ui/SettingsDialogHost.h"
#include "weather/ObservationHost.h"

// Each window, once it exists, replaces its stand-in here.
SaverHosts makeSaverHosts() {
    SaverHosts hosts = makeStandInHosts();
    hosts.modes = std::make_unique<PreviewModeHost>(std::move(hosts.modes));
    hosts.modes = std::make_unique<FullScreenModeHost>(std::move(hosts.modes));
    hosts.modes = std::make_unique<SettingsDialogHost>(std::move(hosts.modes));
    // The weather reads the catalogue's cycle value: the catalogue goes
    // last, after the weather, when the hosts are destroyed.
    auto pCatalogue = std::make_unique<CatalogueHost>(runPromoDialog);
    hosts.weather = std::make_unique<ObservationHost>(pCatalogue->config());
    hosts.catalogue = std::move(pCatalogue);
    return hosts;
}
