# The Debian package: `cpack` (or scripts/package) in a build configured with
# -DCMAKE_INSTALL_PREFIX=/usr. Library dependencies come from the binaries
# (dpkg-shlibdeps); only what no binary links is named here.
set(NIMBORA_PACKAGE_MAINTAINER "Nimbora Screensaver developers <developers@nimbora.invalid>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nimbora-screensaver)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "${NIMBORA_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "weather-matched photo slideshow screensaver")
# The extended description; CPack indents it and puts the summary first.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Nimbora Screensaver turns the screen into a slideshow of photographs chosen
to suit the weather outside, with a panel of current conditions (location,
condition icon and text, temperature) drawn over each photograph. A
settings dialog with a live preview chooses the location, the pack, the
speed and how photographs are picked.

It works with XScreenSaver and xsecurelock. The package brings three
sample image packs, the pack tool wxs-pack and nimbora-services, the
local web service for weather, location search and the pack catalogue,
started for each user by a systemd user unit; it answers offline with
simulated weather until a weather provider is configured.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The panel's "Arial" resolves through fontconfig to Liberation Sans.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver | xsecurelock")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    "${PROJECT_SOURCE_DIR}/res/debian/postinst" "${PROJECT_SOURCE_DIR}/res/debian/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
