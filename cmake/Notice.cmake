# NOTICE.txt: the program's own licence (LICENSE) followed by the software it
# uses and ships, with the Qt version of this build and where that Qt's
# source is (THIRD-PARTY-NOTICES.txt). Installed beside the manual on every
# platform; the usage window opens it.

set(_notice_root ${CMAKE_CURRENT_LIST_DIR}/..)
# configure_file below follows THIRD-PARTY-NOTICES.txt; LICENSE is only read.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_notice_root}/LICENSE)

set(TANAHUDA_QT_VERSION ${Qt6_VERSION})
# Built against Debian's Qt, or for Windows against the Qt that
# scripts/windows-qt.sh built from Debian's source of the same version: the
# source is that exact Debian source package.
find_program(TANAHUDA_DPKG_QUERY dpkg-query)
if(TANAHUDA_DPKG_QUERY)
  execute_process(COMMAND ${TANAHUDA_DPKG_QUERY} -W "-f=\${source:Package} \${source:Version}"
                          libqt6core6
                  OUTPUT_VARIABLE _qt_source RESULT_VARIABLE _qt_query ERROR_QUIET)
endif()
if(_qt_query EQUAL 0 AND _qt_source MATCHES "^([^ ]+) ([^ ]+)$")
  set(TANAHUDA_QT_VERSION "${Qt6_VERSION} (Debian ${CMAKE_MATCH_2})")
  set(TANAHUDA_QT_SOURCE
      "Debian's source package ${CMAKE_MATCH_1}, version ${CMAKE_MATCH_2}:\n           apt-get source ${CMAKE_MATCH_1}=${CMAKE_MATCH_2}")
else()
  string(REGEX MATCH "^[0-9]+\\.[0-9]+" _qt_series "${Qt6_VERSION}")
  set(TANAHUDA_QT_SOURCE
      "qtbase-everywhere-src-${Qt6_VERSION}.tar.xz and qttranslations-everywhere-src-${Qt6_VERSION}.tar.xz,\n           https://download.qt.io/archive/qt/${_qt_series}/${Qt6_VERSION}/submodules/")
endif()

configure_file(${_notice_root}/THIRD-PARTY-NOTICES.txt
               ${PROJECT_BINARY_DIR}/third-party-notices.txt @ONLY)
file(READ ${_notice_root}/LICENSE _notice_licence)
file(READ ${PROJECT_BINARY_DIR}/third-party-notices.txt _notice_third_party)
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/NOTICE.txt
     CONTENT "tanahuda ${PROJECT_VERSION}\n\n${_notice_licence}\n\n${_notice_third_party}"
     @ONLY)
