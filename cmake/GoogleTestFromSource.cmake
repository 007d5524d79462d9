# A cross-build cannot link the build machine's libgtest, so GoogleTest is
# built for the target from Debian's googletest sources (no network). Once
# this has run, find_package(GTest) in tests/ finds these targets.
include(FetchContent)

set(FOLVANE_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources to build for the target")
if(NOT EXISTS ${FOLVANE_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources in ${FOLVANE_GOOGLETEST_SOURCE_DIR}: install Debian's googletest package")
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
FetchContent_Declare(GTest SOURCE_DIR ${FOLVANE_GOOGLETEST_SOURCE_DIR} OVERRIDE_FIND_PACKAGE)
FetchContent_MakeAvailable(GTest)

# The names FindGTest gives on the build machine, for tests that use them.
if(NOT TARGET GTest::GTest)
    add_library(GTest::GTest ALIAS gtest)
endif()
if(NOT TARGET GTest::Main)
    add_library(GTest::Main ALIAS gtest_main)
endif()
