# folvane_add_windows_resources(TARGET DESCRIPTION text
#                               [ICON file.ico] [COMPANY text] [COPYRIGHT text])
#
# Gives a Windows program what Explorer and the loader expect of it: the
# version information ("Folvane" PROJECT_VERSION, DESCRIPTION as its file
# description), the shared manifest packaging/windows/folvane.manifest
# (long paths, per-monitor DPI, common controls 6, supported systems) and
# the program's icon as icon resource 1, which Explorer shows for the .exe
# and LoadIconW(instance, MAKEINTRESOURCEW(1)) returns.
#
# ICON defaults to data/icons/folvane.ico; a missing icon file leaves the
# icon out (the program then gets the system's default icon) instead of
# failing the build. Does nothing when not building for Windows, so callers
# need no if(WIN32) of their own. DESCRIPTION may hold any UTF-8 text
# without double quotes.
set(FOLVANE_WINDOWS_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR}/../packaging/windows)
if(WIN32)
    enable_language(RC)
endif()

function(folvane_add_windows_resources target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "DESCRIPTION;ICON;COMPANY;COPYRIGHT" "")
    if(NOT WIN32)
        return()
    endif()
    if(NOT arg_DESCRIPTION)
        message(FATAL_ERROR "folvane_add_windows_resources(${target}): DESCRIPTION is required")
    endif()
    if(NOT arg_ICON)
        set(arg_ICON ${PROJECT_SOURCE_DIR}/data/icons/folvane.ico)
    endif()
    if(NOT arg_COMPANY)
        set(arg_COMPANY "The Folvane developers")
    endif()
    if(NOT arg_COPYRIGHT)
        set(arg_COPYRIGHT "Copyright (C) 2026 The Folvane developers")
    endif()

    set(FOLVANE_RC_TARGET ${target})
    get_target_property(output_name ${target} OUTPUT_NAME)
    if(output_name)
        set(FOLVANE_RC_TARGET ${output_name})
    endif()
    set(FOLVANE_RC_DESCRIPTION "${arg_DESCRIPTION}")
    set(FOLVANE_RC_COMPANY "${arg_COMPANY}")
    set(FOLVANE_RC_COPYRIGHT "${arg_COPYRIGHT}")
    # 1.0.0 -> 1,0,0,0: the binary version fields always have four parts.
    set(FOLVANE_RC_VERSION_COMMAS
        "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
    get_filename_component(manifest ${FOLVANE_WINDOWS_PACKAGING_DIR}/folvane.manifest ABSOLUTE)
    set(FOLVANE_RC_MANIFEST ${manifest})
    if(EXISTS ${arg_ICON})
        get_filename_component(icon ${arg_ICON} ABSOLUTE)
        set(FOLVANE_RC_ICON_LINE "1 ICON \"${icon}\"")
    else()
        message(STATUS "${arg_ICON} not found: ${FOLVANE_RC_TARGET}.exe gets no icon")
        set(FOLVANE_RC_ICON_LINE "// No icon: ${arg_ICON} was missing at configure time.")
    endif()

    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.rc)
    configure_file(${FOLVANE_WINDOWS_PACKAGING_DIR}/version.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
    # The manifest and icon are read by the resource compiler, which CMake
    # does not scan for such inputs.
    set(depends ${manifest})
    if(EXISTS ${arg_ICON})
        list(APPEND depends ${icon})
    endif()
    set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${depends})
endfunction()
