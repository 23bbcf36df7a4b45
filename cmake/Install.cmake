# Where `cmake --install` puts each piece, by the FHS and the program's fixed
# names, for the prefix given at configure time (the programs have their
# folders compiled in). docs/install.md lists the result; cmake/Package.cmake
# turns it into the Debian package.

# nimbora_gzip(IN OUT): OUT is IN compressed as Debian wants it (-9, no name
# or time stamp), made at build time.
function(nimbora_gzip in out)
    get_filename_component(name "${out}" NAME)
    add_custom_command(OUTPUT "${out}"
        COMMAND gzip -9n -c "${in}" > "${out}"
        DEPENDS "${in}")
    add_custom_target(nimbora_gzip_${name} ALL DEPENDS "${out}")
endfunction()

# nimbora_man_page(NAME SECTION): docs/man/NAME.SECTION.in with the installed
# folders filled in, compressed and installed.
function(nimbora_man_page name section)
    set(page "${CMAKE_BINARY_DIR}/installed/man/${name}.${section}")
    configure_file("${PROJECT_SOURCE_DIR}/docs/man/${name}.${section}.in" "${page}" @ONLY)
    nimbora_gzip("${page}" "${page}.gz")
    install(FILES "${page}.gz" DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endfunction()
string(TIMESTAMP NIMBORA_MAN_DATE "%Y-%m-%d" UTC) # honours SOURCE_DATE_EPOCH

set(NIMBORA_DOC_DIR "${CMAKE_INSTALL_DATADIR}/doc/nimbora-screensaver")
set(NIMBORA_XSCREENSAVER_HACK_DIR "${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver")
set(NIMBORA_XSECURELOCK_DIR "${CMAKE_INSTALL_LIBEXECDIR}/xsecurelock")
set(NIMBORA_SYSTEMD_USER_DIR "lib/systemd/user")
# Full paths, for the texts that name them.
set(NIMBORA_SERVICES_PROGRAM "${CMAKE_INSTALL_FULL_BINDIR}/nimbora-services")
set(NIMBORA_XSCREENSAVER_HACK "${CMAKE_INSTALL_PREFIX}/${NIMBORA_XSCREENSAVER_HACK_DIR}/nimbora-screensaver")
set(NIMBORA_XSECURELOCK_SAVER "${CMAKE_INSTALL_PREFIX}/${NIMBORA_XSECURELOCK_DIR}/saver_nimbora")
set(NIMBORA_SERVICES_EXAMPLE "${CMAKE_INSTALL_PREFIX}/${NIMBORA_DOC_DIR}/examples/nimbora-services.ini")
set(generated "${CMAKE_BINARY_DIR}/installed")
set(linux "${PROJECT_SOURCE_DIR}/res/linux")

# Programs, and the install folder with the framework library and packs.
install(TARGETS nimbora-screensaver wxs-pack nimbora-services nimbora-refresh-weather
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS tovak LIBRARY DESTINATION ${NIMBORA_INSTALL_FOLDER_RELATIVE})
install(FILES ${NIMBORA_SAMPLE_PACKS} DESTINATION ${NIMBORA_INSTALL_FOLDER_RELATIVE})

# Saver daemons. XScreenSaver runs its hacks from its own folder by name; the
# link there starts the program, which XScreenSaver's list calls with --root.
file(RELATIVE_PATH hack_target "/${NIMBORA_XSCREENSAVER_HACK_DIR}"
    "/${CMAKE_INSTALL_BINDIR}/nimbora-screensaver")
file(MAKE_DIRECTORY "${generated}/xscreensaver")
file(CREATE_LINK "${hack_target}" "${generated}/xscreensaver/nimbora-screensaver" SYMBOLIC)
install(FILES "${generated}/xscreensaver/nimbora-screensaver"
    DESTINATION ${NIMBORA_XSCREENSAVER_HACK_DIR})
# XScreenSaver finds a hack's description by the program's name.
install(FILES "${linux}/nimbora.xml"
    DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config
    RENAME nimbora-screensaver.xml)
install(PROGRAMS "${linux}/saver_nimbora" DESTINATION ${NIMBORA_XSECURELOCK_DIR})

# The menu entry opens the settings dialog, with the icon in every size.
install(FILES "${linux}/nimbora-screensaver.desktop"
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(icon_svg "${PROJECT_SOURCE_DIR}/res/icons/nimbora-screensaver.svg")
set(icon_pngs)
foreach(size 16 22 24 32 48 64 128 256)
    set(png "${generated}/icons/${size}x${size}/nimbora-screensaver.png")
    add_custom_command(OUTPUT "${png}"
        COMMAND ${CMAKE_COMMAND} -E make_directory "${generated}/icons/${size}x${size}"
        COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o "${png}" "${icon_svg}"
        DEPENDS "${icon_svg}" VERBATIM)
    list(APPEND icon_pngs "${png}")
    install(FILES "${png}" DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(nimbora_icons ALL DEPENDS ${icon_pngs})
install(FILES "${icon_svg}" DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# nimbora-services: its data, and a user unit that runs it on the offline
# defaults in every session.
install(FILES "${PROJECT_SOURCE_DIR}/third_party/gazetteer/US.txt"
    DESTINATION ${NIMBORA_DATA_FOLDER_RELATIVE}/gazetteer)
install(FILES "${linux}/gazetteer-README" RENAME README
    DESTINATION ${NIMBORA_DATA_FOLDER_RELATIVE}/gazetteer)
install(DIRECTORY "${PROJECT_SOURCE_DIR}/services/web/"
    DESTINATION ${NIMBORA_DATA_FOLDER_RELATIVE}/web)
install(FILES "${PROJECT_SOURCE_DIR}/services/catalogue.ini"
    DESTINATION ${NIMBORA_DATA_FOLDER_RELATIVE})
install(FILES ${NIMBORA_CATALOGUE_FILES} DESTINATION ${NIMBORA_DATA_FOLDER_RELATIVE}/packs)
configure_file("${linux}/nimbora-services.service.in"
    "${generated}/nimbora-services.service" @ONLY)
install(FILES "${generated}/nimbora-services.service" DESTINATION ${NIMBORA_SYSTEMD_USER_DIR})

# The example configuration, reading the installed data.
file(READ "${PROJECT_SOURCE_DIR}/services/nimbora-services.ini" example)
string(REGEX REPLACE "\ngazetteer = [^\n]*"
    "\ngazetteer = ${NIMBORA_DATA_FOLDER_DEFAULT}/gazetteer/US.txt" example "${example}")
string(REGEX REPLACE "\npacks = [^\n]*" "\npacks = ${NIMBORA_DATA_FOLDER_DEFAULT}/packs"
    example "${example}")
string(REGEX REPLACE "\ncatalogue = [^\n]*"
    "\ncatalogue = ${NIMBORA_DATA_FOLDER_DEFAULT}/catalogue.ini" example "${example}")
string(REGEX REPLACE "\nweb = [^\n]*" "\nweb = ${NIMBORA_DATA_FOLDER_DEFAULT}/web"
    example "${example}")
string(REGEX REPLACE "\npings = [^\n]*"
    "\n; unset: ~/.local/share/Nimbora/Services/pings.sqlite\n; pings =" example "${example}")
file(CONFIGURE OUTPUT "${generated}/nimbora-services.ini" CONTENT "${example}" @ONLY)
install(FILES "${generated}/nimbora-services.ini" DESTINATION ${NIMBORA_DOC_DIR}/examples)

# Manual pages, copyright and changelog.
nimbora_man_page(nimbora-screensaver 1)
nimbora_man_page(wxs-pack 1)
nimbora_man_page(nimbora-refresh-weather 1)
nimbora_man_page(nimbora-services 8)
nimbora_gzip("${PROJECT_SOURCE_DIR}/res/debian/changelog" "${generated}/changelog.gz")
install(FILES "${generated}/changelog.gz" "${PROJECT_SOURCE_DIR}/res/debian/copyright"
    DESTINATION ${NIMBORA_DOC_DIR})

include(cmake/Package.cmake)
