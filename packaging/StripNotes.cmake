# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) on the files about to be packaged, after CPack's own
# strip: removes the sections that only say which compiler built the binaries, as Debian's
# dh_strip does.
set(root ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
file(GLOB binaries ${root}/${CPACK_KETAMORI_PROGRAM_DIR}/*)
if(NOT binaries OR NOT EXISTS ${root}/${CPACK_KETAMORI_LAUNCHER})
    message(FATAL_ERROR "StripNotes.cmake: no program in ${CPACK_KETAMORI_PROGRAM_DIR} or no launcher")
endif()
foreach(binary IN LISTS binaries ITEMS ${root}/${CPACK_KETAMORI_LAUNCHER})
    execute_process(
        COMMAND ${CPACK_KETAMORI_STRIP} --remove-section=.comment --remove-section=.note ${binary}
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "StripNotes.cmake: could not strip ${binary}")
    endif()
endforeach()
