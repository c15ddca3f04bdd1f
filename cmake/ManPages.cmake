# The manual pages tanahuda(1) and tanahuda-print(1), in English (man1/) and
# Japanese (ja/man1/), made from the built programs' own --help by
# packaging/man/help-to-man.py, so a page never says other than --help.
# Made on free desktops only, where the programs run on the build machine.

find_package(Python3 COMPONENTS Interpreter)
if(NOT Python3_Interpreter_FOUND)
  message(WARNING "No Python 3: the manual pages are not made (scripts/setup.sh installs it)")
  return()
endif()

set(_man_source ${CMAKE_CURRENT_LIST_DIR}/../packaging/man)
set(_man_build ${PROJECT_BINARY_DIR}/man)
set(_man_pages)
foreach(_program IN ITEMS tanahuda tanahuda-print)
  foreach(_language IN ITEMS en ja)
    set(_folder man1)
    if(NOT _language STREQUAL "en")
      set(_folder ${_language}/man1)
    endif()
    set(_page ${_man_build}/${_folder}/${_program}.1.gz)
    set(_include ${_man_source}/${_program}.${_language}.h2m)
    add_custom_command(
      OUTPUT ${_page}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${_man_build}/${_folder}
      COMMAND ${Python3_EXECUTABLE} ${_man_source}/help-to-man.py $<TARGET_FILE:${_program}>
              ${_language} ${_include} ${PROJECT_VERSION} ${_page}
      DEPENDS ${_program} ${_man_source}/help-to-man.py ${_include}
      COMMENT "Manual page ${_folder}/${_program}.1 from ${_program} --help"
      VERBATIM)
    list(APPEND _man_pages ${_page})
    install(FILES ${_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/${_folder})
  endforeach()
endforeach()
add_custom_target(man_pages ALL DEPENDS ${_man_pages})
