# The Debian package of the program (make package): the program, its menu
# entry and launcher, the icon in every usual size (made here from the one
# SVG), the AppStream metainfo and the copyright file, packed by CPack with
# the dependencies dpkg-shlibdeps finds.

set(UNRA5_MAINTAINER "Разработчики ЮНРА5 <unra5@example.org>"
    CACHE STRING "Maintainer of the Debian package: name <address>")
set(UNRA5_HOMEPAGE "https://example.org/unra5-card"
    CACHE STRING "Home page of the program; the AppStream screenshot lies under it")
set(UNRA5_SCREENSHOT_URL "${UNRA5_HOMEPAGE}/docs/images/page-enterprise.png"
    CACHE STRING "Address of the main window's picture named in the AppStream metainfo")
set(UNRA5_RELEASE_DATE "2026-12-09" CACHE STRING "Release date of this version (YYYY-MM-DD)")

include(GNUInstallDirs)
set(UNRA5_MENU_LAUNCHER "/usr/libexec/unra5-card/unra5-card-menu")
set(pkg "${CMAKE_CURRENT_BINARY_DIR}/packaging")

install(TARGETS unra5-card unra5-register RUNTIME DESTINATION bin)
install(PROGRAMS "${PROJECT_SOURCE_DIR}/packaging/unra5-card-menu" DESTINATION libexec/unra5-card)

configure_file("${PROJECT_SOURCE_DIR}/packaging/unra5-card.desktop.in" "${pkg}/unra5-card.desktop" @ONLY)
configure_file("${PROJECT_SOURCE_DIR}/packaging/ru.unra5.card.metainfo.xml.in" "${pkg}/ru.unra5.card.metainfo.xml" @ONLY)
configure_file("${PROJECT_SOURCE_DIR}/packaging/copyright.in" "${pkg}/copyright" @ONLY)
install(FILES "${pkg}/unra5-card.desktop" "${PROJECT_SOURCE_DIR}/packaging/unra5-register.desktop"
        DESTINATION share/applications)
install(FILES "${pkg}/ru.unra5.card.metainfo.xml" DESTINATION share/metainfo)
install(FILES "${pkg}/copyright" DESTINATION share/doc/unra5-card)

# A native package's changelog, compressed as Debian wants it.
configure_file("${PROJECT_SOURCE_DIR}/packaging/changelog.in" "${pkg}/changelog" @ONLY)
add_custom_command(
  OUTPUT "${pkg}/changelog.gz"
  COMMAND gzip -n -9 -c "${pkg}/changelog" > "${pkg}/changelog.gz"
  DEPENDS "${pkg}/changelog"
  VERBATIM)

# Icons: the SVG as it is, and PNGs in the usual hicolor sizes.
set(icon_svg "${PROJECT_SOURCE_DIR}/data/icons/unra5-card.svg")
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(icon_files "${pkg}/changelog.gz")
foreach(size 16 22 24 32 48 64 128 256)
  set(png "${pkg}/icons/${size}x${size}/unra5-card.png")
  add_custom_command(
    OUTPUT "${png}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${pkg}/icons/${size}x${size}"
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o "${png}" "${icon_svg}"
    DEPENDS "${icon_svg}"
    VERBATIM)
  list(APPEND icon_files "${png}")
  install(FILES "${png}" DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(package_files ALL DEPENDS ${icon_files})
install(FILES "${icon_svg}" DESTINATION share/icons/hicolor/scalable/apps)
install(FILES "${pkg}/changelog.gz" DESTINATION share/doc/unra5-card)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME unra5-card)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "${UNRA5_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_SOURCE_DIR}/dist")
set(CPACK_OUTPUT_FILE_PREFIX "")
set(CPACK_DEBIAN_FILE_NAME "unra5-card_${PROJECT_VERSION}_amd64.deb")
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${UNRA5_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-user-dirs")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "enterprise card on the state of labour protection")
# CPack puts the summary on the first line itself: the text below is the
# long description only.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A desktop program for employers to fill in and keep the enterprise card
on the state of labour protection (in Russian): the enterprise and its
contacts, the labour-protection service and its staff, the indicators of
a reporting year, workplaces by class of working conditions. Activity
codes are chosen from the built-in OKVED and KDES2 classifiers.")
include(CPack)
