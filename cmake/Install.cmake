# Installation and the Debian package.
#
#   cmake --install build --prefix /usr/local
#   (cd build && cpack -G DEB)
#
# Installs tanahuda and tanahuda-print into bin/, the user manual into
# share/doc/tanahuda/manual/, and on free desktops the menu
# entry and the icon into the XDG folders. The program maps the stored Windows
# font names onto the IPA fonts itself, so no fontconfig file is installed.

if(TANAHUDA_CORE_ONLY)
  return()
endif()

include(GNUInstallDirs)

install(TARGETS tanahuda tanahuda-print RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The user manual, where the program looks for it: share/doc/tanahuda/manual
# beside bin/.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/../docs/manual/index.html
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tanahuda/manual)
install(DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/../docs/manual/images
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tanahuda/manual FILES_MATCHING PATTERN "*.png")

if(WIN32)
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
endif()

# The Debian package. Library dependencies are found by dpkg-shlibdeps; what
# the program loads at run time is declared by hand: the platform plugins that
# open windows, Qt's Japanese translation for the standard dialogs, and the
# IPA fonts the labels are drawn with.
set(CPACK_PACKAGE_NAME tanahuda)
set(CPACK_PACKAGE_VENDOR "tanahuda")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Compose and print shelf labels (棚札) of business-card size, ten to an A4 sheet")
set(CPACK_PACKAGE_DESCRIPTION
    "tanahuda composes and prints Japanese shelf labels: ten 91 x 55 mm labels to an A4 sheet,\
 each with a JAN code and its EAN-13/EAN-8 barcode, maker, product name, spec, lot and price.\
 Label files are Shift-JIS (code page 932) text, interchangeable with files written on Windows.\
 tanahuda-print prints any number of labels from a product list.")
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
