# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) once the Windows programs are in
# its staging folder, stripped: signs them with scripts/sign-windows.sh when
# FOLVANE_SIGN_PFX names a certificate, so that the .zip, and the installer
# made from it, hold signed programs. Signing after stripping matters: any
# change to a signed file breaks its signature.
if(NOT "$ENV{FOLVANE_SIGN_PFX}" STREQUAL "")
    file(GLOB_RECURSE folvane_programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*.exe")
    if(NOT folvane_programs)
        message(FATAL_ERROR "No programs to sign in ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
    endif()
    execute_process(COMMAND bash "${CPACK_FOLVANE_SIGN_SCRIPT}" ${folvane_programs}
                    RESULT_VARIABLE folvane_sign_status)
    if(NOT folvane_sign_status EQUAL 0)
        message(FATAL_ERROR "Signing the programs failed")
    endif()
endif()
