#include "slideshow/ResourceNames.h"

#include <cstdio>

std::string photoResourceName(int nGroup, int nImage) {
    char szName[32];
    std::snprintf(szName, sizeof szName, "#%d%02d", nGroup, nImage);
    return szName;
}

std::string thumbnailResourceName(int nGroup, int nImage) {
    char szName[32];
    if (nGroup < 10) {
        std::snprintf(szName, sizeof szName, "#10%d%02d", nGroup, nImage);
    } else {
        std::snprintf(szName, sizeof szName, "#1%d%02d", nGroup, nImage);
    }
    return szName;
}

std::string iconResourceName(int nSkyCode) {
    char szName[32];
    std::snprintf(szName, sizeof szName, "#50%02d", nSkyCode);
    return szName;
}
