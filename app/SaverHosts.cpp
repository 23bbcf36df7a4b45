#include "app/FullScreenModeHost.h"
#include "app/SaverModeHost.h"
#include "slideshow/PreviewModeHost.h"

// Each window, once it exists, replaces its stand-in here.
SaverHosts makeSaverHosts() {
    SaverHosts hosts = makeStandInHosts();
    hosts.modes = std::make_unique<PreviewModeHost>(std::move(hosts.modes));
    hosts.modes = std::make_unique<FullScreenModeHost>(std::move(hosts.modes));
    return hosts;
}
