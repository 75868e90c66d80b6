# What `cmake --install` puts where, and the Debian package built from it (cpack -G DEB).
# The programs go to bin; the shipped sounds and help to share/tallyvane, where the program
# finds them from any prefix (share/tallyvane beside its bin, or $XDG_DATA_DIRS/tallyvane); the
# desktop entry, the icons, the AppStream metadata and the manual pages where desktops,
# software centres and man look for them.

install(TARGETS tallyvane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS tallyvane-cli-full RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/tallyvane)
set(tallyvane_data ${CMAKE_SOURCE_DIR}/data)
install(DIRECTORY ${tallyvane_data}/Sound ${tallyvane_data}/help DESTINATION ${TALLYVANE_INSTALL_DATADIR})
# Translations: the .qm files the build makes in bin/translations go to
# ${TALLYVANE_INSTALL_DATADIR}/translations, where the program finds them like the sounds.
if(TARGET tallyvane_translations)
  install(DIRECTORY ${TALLYVANE_OUTPUT_DIR}/translations/ DESTINATION ${TALLYVANE_INSTALL_DATADIR}/translations
    FILES_MATCHING PATTERN "*.qm")
endif()

if(TARGET tallyvane)
  install(TARGETS tallyvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${tallyvane_data}/desktop/${TALLYVANE_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${tallyvane_data}/desktop/${TALLYVANE_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(DIRECTORY ${tallyvane_data}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()

# The manual pages carry the version; Debian wants them compressed, and man reads them so.
set(tallyvane_pages tallyvane-cli.1)
if(TARGET tallyvane)
  list(APPEND tallyvane_pages tallyvane.1)
endif()
set(tallyvane_man_files)
foreach(page IN LISTS tallyvane_pages)
  configure_file(${tallyvane_data}/man/${page} ${CMAKE_BINARY_DIR}/man/${page} @ONLY)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.gz
    COMMAND gzip -9nf -k ${CMAKE_BINARY_DIR}/man/${page}
    DEPENDS ${CMAKE_BINARY_DIR}/man/${page}
    VERBATIM)
  list(APPEND tallyvane_man_files ${CMAKE_BINARY_DIR}/man/${page}.gz)
endforeach()
add_custom_target(tallyvane_man ALL DEPENDS ${tallyvane_man_files})
install(FILES ${tallyvane_man_files} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The change log is kept in the Debian format, the one place a package's changes are looked for.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/doc)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/doc/changelog.Debian.gz
  COMMAND gzip -9n -c ${tallyvane_data}/doc/changelog > ${CMAKE_BINARY_DIR}/doc/changelog.Debian.gz
  DEPENDS ${tallyvane_data}/doc/changelog)
add_custom_target(tallyvane_doc ALL DEPENDS ${CMAKE_BINARY_DIR}/doc/changelog.Debian.gz)
install(FILES ${tallyvane_data}/doc/copyright ${CMAKE_BINARY_DIR}/doc/changelog.Debian.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tallyvane)

# The Debian package: `cpack -G DEB` in the build folder writes tallyvane_VERSION-1_ARCH.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tallyvane)
set(CPACK_PACKAGE_VENDOR "The Tallyvane developers")
set(CPACK_PACKAGE_CONTACT "The Tallyvane developers <developers@tallyvane.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "personal reminder calendar with a desktop clock")
set(CPACK_PACKAGE_DESCRIPTION
  "Tallyvane lives in the system tray and as a small always-on-top clock, and
reminds you of your appointments, meetings, payments, phone calls and
birthdays with a pop-up and a sound at the moment you asked for. Events may
repeat daily, weekly, monthly or yearly; event types give them an icon, a
colour and default timing. A calendar window shows them by day, week and
month. tallyvane-cli reads and changes the same events from scripts.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tallyvane.example.org/")
# The libraries the programs link come from dpkg-shlibdeps; Qt's sound backend plays WAV files
# through GStreamer, whose plugins nothing links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libcurl is opened at the first sync rather than linked, so shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, libcurl4 | libcurl3-gnutls")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, qt6-wayland, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
