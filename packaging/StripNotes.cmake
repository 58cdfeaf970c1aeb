# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) on the files about to be packaged, after CPack's own
# strip: removes the sections that only say which compiler built the binaries, as Debian's
# dh_strip does.
file(GLOB binaries
    ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/${CPACK_KETAMORI_PROGRAM_DIR}/*)
if(NOT binaries)
    message(FATAL_ERROR "StripNotes.cmake: no binaries in ${CPACK_KETAMORI_PROGRAM_DIR}")
endif()
foreach(binary IN LISTS binaries)
    execute_process(
        COMMAND ${CPACK_KETAMORI_STRIP} --remove-section=.comment --remove-section=.note ${binary}
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "StripNotes.cmake: could not strip ${binary}")
    endif()
endforeach()
