# GoogleTest for a cross-compiled build: Debian ships its source
# (libgtest-dev installs /usr/src/googletest) but builds it only for the host,
# so it is compiled here with the target's compiler. Gives the same
# GTest::gtest, GTest::gtest_main and GTest::gmock targets as find_package.
set(TANAHUDA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's source (Debian's googletest)")
if(NOT EXISTS ${TANAHUDA_GTEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest's source is not in ${TANAHUDA_GTEST_SOURCE} (package googletest)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
# GoogleTest's own code is not held to this project's warnings.
set(_tanahuda_options ${CMAKE_CXX_FLAGS})
string(REPLACE "-Werror" "" CMAKE_CXX_FLAGS "${CMAKE_CXX_FLAGS}")
add_subdirectory(${TANAHUDA_GTEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
set(CMAKE_CXX_FLAGS ${_tanahuda_options})
# The tests are listed when ctest runs (through the emulator, wine), not at
# build time.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
