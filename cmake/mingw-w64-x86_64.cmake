# Cross-building folvane_core, folvane-cli and the core's tests for 64-bit
# Windows with Debian's MinGW-w64 (the POSIX threads flavour, which has
# std::thread and std::mutex). The programs are linked statically so that
# a lone .exe runs on a Windows machine, or under Wine, without MinGW DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(FOLVANE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${FOLVANE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${FOLVANE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${FOLVANE_MINGW_PREFIX}-windres)

# Libraries that Debian packages for the host only are built from Debian's
# source packages by scripts/windows-deps.sh into a prefix outside the build
# folders; it is searched after MinGW's own.
if(DEFINED ENV{FOLVANE_DEPS_DIR})
    set(folvane_deps_default "$ENV{FOLVANE_DEPS_DIR}")
elseif(DEFINED ENV{XDG_CACHE_HOME})
    set(folvane_deps_default "$ENV{XDG_CACHE_HOME}/folvane/mingw-w64")
else()
    set(folvane_deps_default "$ENV{HOME}/.cache/folvane/mingw-w64")
endif()
set(FOLVANE_DEPS_DIR "${folvane_deps_default}" CACHE PATH "Prefix of the libraries built by scripts/windows-deps.sh")

set(CMAKE_FIND_ROOT_PATH /usr/${FOLVANE_MINGW_PREFIX} ${FOLVANE_DEPS_DIR})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest and gtest_discover_tests run the .exe files through Wine, console
# only, in a prefix of the build's own so that no home folder is touched and
# a fresh build starts from a known state. Debian's wine64 package puts its
# loader outside PATH. UTF-8 as the Unix locale lets Wine map Japanese file
# names and arguments.
find_program(FOLVANE_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT FOLVANE_WINE64)
    find_program(FOLVANE_WINE64 NAMES wine64 wine)
endif()
set(FOLVANE_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "Wine prefix for running the tests")
if(FOLVANE_WINE64)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        env WINEDEBUG=-all WINEPREFIX=${FOLVANE_WINEPREFIX} LC_ALL=C.UTF-8 DISPLAY=
        ${FOLVANE_WINE64})
endif()
