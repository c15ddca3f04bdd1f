# What the Windows programs load at run time, installed beside them in bin/:
# Qt's four libraries (Windows printing is part of PrintSupport itself), the
# plugins they open (the Windows platform; the minimal platform, which with
# "minimal:enable_fonts" draws with Windows' own font engine where no screen
# is; the Windows style), the MinGW runtime, libqrencode's DLL, and Qt's
# Japanese catalogue for the standard dialogs. No windeployqt: it is a
# Windows program.

foreach(_module IN ITEMS Core Gui Widgets PrintSupport)
  install(FILES $<TARGET_FILE:Qt6::${_module}> DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

set(_tanahuda_plugins
    platforms QWindowsIntegrationPlugin
    platforms QMinimalIntegrationPlugin
    styles QWindowsVistaStylePlugin)
while(_tanahuda_plugins)
  list(POP_FRONT _tanahuda_plugins _kind _plugin)
  if(NOT TARGET Qt6::${_plugin})
    message(FATAL_ERROR "The Qt for Windows has no plugin ${_plugin}")
  endif()
  install(FILES $<TARGET_FILE:Qt6::${_plugin}> DESTINATION ${CMAKE_INSTALL_BINDIR}/${_kind})
endwhile()

# The compiler's runtime libraries (GCC's, and the threads of the posix
# thread model), found where the compiler itself looks.
set(_tanahuda_runtime)
if(MINGW)
  set(_tanahuda_runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
endif()
foreach(_dll IN LISTS _tanahuda_runtime)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${_dll}
                  OUTPUT_VARIABLE _path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${_path}" OR NOT EXISTS "${_path}")
    message(FATAL_ERROR "The MinGW runtime ${_dll} was not found")
  endif()
  install(FILES ${_path} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

# libqrencode, where the core links its DLL (scripts/windows-qrencode.sh
# --shared): beside the programs, so that it can be replaced.
set(TANAHUDA_QRENCODE_DLL "" CACHE FILEPATH "The libqrencode DLL the programs load")
if(TANAHUDA_QRENCODE_DLL)
  install(FILES ${TANAHUDA_QRENCODE_DLL} DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# Qt's Japanese catalogue is the same file on every system: the Qt's own
# where it has one, else Debian's (qt6-translations-l10n) for a cross build.
set(_qt_translations ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS})
if(NOT EXISTS ${_qt_translations}/qtbase_ja.qm)
  set(_qt_translations /usr/share/qt6/translations)
endif()
set(TANAHUDA_QT_TRANSLATIONS ${_qt_translations} CACHE PATH "Where qtbase_ja.qm is")
install(FILES ${TANAHUDA_QT_TRANSLATIONS}/qtbase_ja.qm DESTINATION translations)
# Where the programs' Qt finds its plugins and translations.
file(WRITE ${PROJECT_BINARY_DIR}/qt.conf "[Paths]\nPrefix = ..\nPlugins = bin\nTranslations = translations\n")
install(FILES ${PROJECT_BINARY_DIR}/qt.conf DESTINATION ${CMAKE_INSTALL_BINDIR})
