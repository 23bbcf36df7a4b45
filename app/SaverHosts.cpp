#include "app/SaverModeHost.h"

// Each window, once it exists, replaces its stand-in here.
SaverHosts makeSaverHosts() {
    return makeStandInHosts();
}
