# Where `cmake --install` puts Folvane, and the packages CPack makes of it:
# a .deb on Linux (cpack -G DEB), a .zip from the Windows build (cpack -G ZIP).
#
# Linux follows the desktop's layout under the prefix: the programs in bin/,
# the help page in share/doc/folvane/ (where the window looks when it is not
# beside the program), the menu entry, icon, manual page and bash completion.
# The Windows .zip is one folder holding the programs with the help page
# beside them and a Japanese read-me.
include(GNUInstallDirs)

if(WIN32)
    set(FOLVANE_INSTALL_BINDIR .)
    set(FOLVANE_INSTALL_HELPDIR .)
else()
    set(FOLVANE_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR})
    # Not CMAKE_INSTALL_DOCDIR, which takes the project's name in capitals.
    set(FOLVANE_INSTALL_HELPDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/folvane)
endif()

set(folvane_packaging ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS folvane-cli RUNTIME DESTINATION ${FOLVANE_INSTALL_BINDIR})
# The window: Qt's on Linux, Win32's on Windows, wherever it is built.
if(TARGET folvane)
    install(TARGETS folvane RUNTIME DESTINATION ${FOLVANE_INSTALL_BINDIR})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/help/Folvane.html DESTINATION ${FOLVANE_INSTALL_HELPDIR})
if(NOT WIN32)
    # Debian's machine-readable copyright file and the changelog, where
    # dpkg and lintian look for them.
    install(FILES ${folvane_packaging}/linux/copyright DESTINATION ${FOLVANE_INSTALL_HELPDIR})
    find_program(FOLVANE_GZIP gzip)
    if(FOLVANE_GZIP)
        set(changelog ${CMAKE_BINARY_DIR}/changelog.gz)
        add_custom_command(
            OUTPUT ${changelog}
            # -n: no name or time stamp, so the same sources give the same package.
            COMMAND ${FOLVANE_GZIP} -9n -c ${folvane_packaging}/linux/changelog > ${changelog}
            DEPENDS ${folvane_packaging}/linux/changelog
            VERBATIM)
        add_custom_target(folvane-changelog ALL DEPENDS ${changelog})
        install(FILES ${changelog} DESTINATION ${FOLVANE_INSTALL_HELPDIR})
    endif()
endif()

if(WIN32)
    # UTF-8 with a byte-order mark and CR LF, kept byte for byte by
    # .gitattributes: see packaging/windows/README.md.
    install(FILES ${folvane_packaging}/windows/README-ja.txt DESTINATION .)
else()
    if(TARGET folvane)
        install(FILES ${folvane_packaging}/linux/folvane.desktop
                DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
        # The window's manual page, written by hand: its --help needs a
        # display to run. The package check compares the two.
        if(FOLVANE_GZIP)
            set(window_man ${CMAKE_BINARY_DIR}/folvane.1.gz)
            add_custom_command(
                OUTPUT ${window_man}
                COMMAND ${FOLVANE_GZIP} -9n -c ${folvane_packaging}/linux/folvane.1 > ${window_man}
                DEPENDS ${folvane_packaging}/linux/folvane.1
                VERBATIM)
            add_custom_target(folvane-man ALL DEPENDS ${window_man})
            install(FILES ${window_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
        endif()
        install(FILES ${PROJECT_SOURCE_DIR}/data/icons/folvane.svg
                DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
        # Panels and menus that take only bitmaps get the sizes they ask
        # for, drawn from the same SVG.
        find_program(FOLVANE_RSVG_CONVERT rsvg-convert)
        if(FOLVANE_RSVG_CONVERT)
            set(pngs)
            foreach(size 16 24 32 48 64 128 256)
                set(png ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps/folvane.png)
                add_custom_command(
                    OUTPUT ${png}
                    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps
                    COMMAND ${FOLVANE_RSVG_CONVERT} -w ${size} -h ${size} -o ${png}
                            ${PROJECT_SOURCE_DIR}/data/icons/folvane.svg
                    DEPENDS ${PROJECT_SOURCE_DIR}/data/icons/folvane.svg
                    VERBATIM)
                list(APPEND pngs ${png})
            endforeach()
            add_custom_target(folvane-icons ALL DEPENDS ${pngs})
            install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor
                    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons)
        else()
            message(STATUS "rsvg-convert not found: the icon is installed as SVG only")
        endif()
    endif()
    install(FILES ${folvane_packaging}/linux/folvane-cli.bash
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions
            RENAME folvane-cli)

    # The manual page is made from --help, so the two cannot drift apart;
    # help2man's include file adds what --help has no room for.
    find_program(FOLVANE_HELP2MAN help2man)
    find_program(FOLVANE_GZIP gzip)
    if(FOLVANE_HELP2MAN AND FOLVANE_GZIP)
        set(man ${CMAKE_BINARY_DIR}/folvane-cli.1)
        add_custom_command(
            OUTPUT ${man} ${man}.gz
            COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8
                    ${FOLVANE_HELP2MAN} --no-info --section=1
                    # The page is named after the program file, not after
                    # the product name --version starts with.
                    --version-string=${PROJECT_VERSION}
                    "--name=list the pages of TIFF files with their paper sizes"
                    --include=${folvane_packaging}/linux/folvane-cli.h2m
                    --output=${man} $<TARGET_FILE:folvane-cli>
            # -n: no time stamp, so the same sources give the same package.
            COMMAND ${FOLVANE_GZIP} -9nkf ${man}
            DEPENDS folvane-cli ${folvane_packaging}/linux/folvane-cli.h2m
            COMMENT "Writing the manual page folvane-cli.1 from folvane-cli --help"
            VERBATIM)
        add_custom_target(folvane-cli-man ALL DEPENDS ${man} ${man}.gz)
        install(FILES ${man}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    else()
        message(STATUS "help2man or gzip not found: no manual page for folvane-cli")
    endif()
endif()

set(CPACK_PACKAGE_NAME folvane)
set(CPACK_PACKAGE_VENDOR "The Folvane developers")
set(CPACK_PACKAGE_CONTACT "The Folvane developers <maintainers@folvane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "list the pages of scanned TIFF files with their paper sizes")
set(CPACK_PACKAGE_DESCRIPTION
    "Folvane lists the pages of scanned and faxed documents stored as TIFF files:
per file its byte order and page count, per page its pixel size, resolution,
size in millimetres, compression, colour type, paper size (A0 to A6, B1 to B6)
and orientation, then the grand total and the pages per paper size. Results
are Shift-JIS text with CR LF line ends, ready for a Japanese Windows desktop.
.
The package holds the window (folvane, Qt 6) and the command line
(folvane-cli) for scripts and batch jobs over whole archives.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)

if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME folvane-${PROJECT_VERSION}-win64)
    # The programs signed when a certificate is given (FOLVANE_SIGN_PFX);
    # scripts/make-msi.sh makes the installer from this .zip.
    set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/FolvaneSignWindows.cmake)
    set(CPACK_FOLVANE_SIGN_SCRIPT ${PROJECT_SOURCE_DIR}/scripts/sign-windows.sh)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # folvane_1.0.0_amd64.deb
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    # The window's Japanese captions need a Japanese font; it prefers IPA's.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk")
    set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")
    # The window asks for Qt's Japanese translations of its standard
    # dialogs (file chooser, message boxes); dpkg-shlibdeps cannot see that
    # need, and without them those dialogs are English. The libraries'
    # dependencies found by dpkg-shlibdeps are added to this list.
    if(TARGET folvane)
        set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
    endif()
endif()
include(CPack)
