# Installation and the Debian package.
#
#   cmake --install build --prefix /usr/local
#   (cd build && cpack -G DEB)
#
# Installs tanahuda and tanahuda-print into bin/, the user manual into
# share/doc/tanahuda/manual/ and the licence with the notice of the software
# the program uses (NOTICE.txt) beside it, and on free desktops the menu
# entry, the icon, the AppStream metadata and the manual pages into the XDG
# folders, with the Debian copyright file and changelog. The program maps the stored Windows
# font names onto the IPA fonts itself, so no fontconfig file is installed.

if(TANAHUDA_CORE_ONLY)
  return()
endif()

include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/Notice.cmake)

install(TARGETS tanahuda tanahuda-print RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The user manual, where the program looks for it: share/doc/tanahuda/manual
# beside bin/.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/../docs/manual/index.html
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tanahuda/manual)
install(DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/../docs/manual/images
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tanahuda/manual FILES_MATCHING PATTERN "*.png")

install(FILES ${PROJECT_BINARY_DIR}/NOTICE.txt DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tanahuda)

if(WIN32)
  # The licence texts NOTICE.txt names, for the libraries shipped beside the
  # programs (Debian has them in /usr/share/common-licenses).
  install(DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/../packaging/licenses/
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tanahuda/licenses)
  # Qt's libraries, plugins and translations beside the programs (windeployqt).
  qt_generate_deploy_app_script(TARGET tanahuda FILENAME_VARIABLE _tanahuda_deploy_script
                                NO_UNSUPPORTED_PLATFORM_ERROR)
  install(SCRIPT ${_tanahuda_deploy_script})
endif()

if(UNIX AND NOT APPLE)
  # The menu entry and the icon (tanahuda.svg, and PNG renderings of it).
  set(_tanahuda_packaging ${CMAKE_CURRENT_LIST_DIR}/../packaging)
  install(FILES ${_tanahuda_packaging}/tanahuda.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${_tanahuda_packaging}/tanahuda.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(_size IN ITEMS 16 32 48 64 128 256)
    install(FILES ${_tanahuda_packaging}/icons/tanahuda-${_size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps
            RENAME tanahuda.png)
  endforeach()
  install(FILES ${_tanahuda_packaging}/org.example.tanahuda.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # What Debian wants in the package's documentation folder: the copyright
  # file (machine-readable, the licence in full) and the changelog,
  # compressed at the highest level and without a time stamp.
  set(_changelog ${PROJECT_BINARY_DIR}/changelog.Debian.gz)
  add_custom_command(OUTPUT ${_changelog}
                     COMMAND gzip -9n -c ${_tanahuda_packaging}/debian/changelog > ${_changelog}
                     DEPENDS ${_tanahuda_packaging}/debian/changelog
                     COMMENT "changelog.Debian.gz")
  add_custom_target(debian_changelog ALL DEPENDS ${_changelog})
  install(FILES ${_tanahuda_packaging}/debian/copyright ${_changelog}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tanahuda)
  install(FILES ${_tanahuda_packaging}/debian/lintian-overrides
          DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tanahuda)

  if(NOT CMAKE_CROSSCOMPILING)
    include(${CMAKE_CURRENT_LIST_DIR}/ManPages.cmake)
  endif()
endif()

# The Debian package. Library dependencies are found by dpkg-shlibdeps; what
# the program loads at run time is declared by hand: the platform plugins that
# open windows, Qt's Japanese translation for the standard dialogs, and the
# IPA fonts the labels are drawn with.
set(CPACK_PACKAGE_NAME tanahuda)
set(CPACK_PACKAGE_VENDOR "The tanahuda developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The first packaging of this version: 1.1.0-1, whose changelog is
# changelog.Debian.gz (packaging/debian/changelog; its top entry names the
# same version).
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_LIST_DIR}/../LICENSE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Compose and print shelf labels (棚札) of business-card size, ten to an A4 sheet")
# Debian's lines of the long description are at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "tanahuda composes and prints Japanese shelf labels: ten 91 x 55 mm labels to
an A4 sheet, each with a JAN code and its EAN-13/EAN-8 barcode, maker, product
name, spec, lot and price. Label files are Shift-JIS (code page 932) text,
interchangeable with files written on Windows. tanahuda-print prints any
number of labels from a product list.

tanahuda is free software under the MIT licence.")
set(CPACK_PACKAGE_CONTACT "tanahuda maintainers <maintainers@tanahuda.example.org>")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tanahuda.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-translations-l10n, fonts-ipafont-mincho, fonts-ipafont-gothic")
include(CPack)
