# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# ketamori_chm(<target> PROJECT <file.hhp> OUTPUT <file.chm> SOURCES <pages...>)
# Compiles a help project with chmcmd into OUTPUT as part of `all`. The build stops with the
# compiler's own output when chmcmd fails, warns about a missing file or link, or writes no
# (or an empty) help file.
find_program(CHMCMD_EXECUTABLE chmcmd)
if(NOT CHMCMD_EXECUTABLE)
    message(FATAL_ERROR "chmcmd (Debian package fp-utils) is needed to compile the help file")
endif()
set(KETAMORI_BUILD_CHM_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/BuildChm.cmake)

function(ketamori_chm target)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "PROJECT;OUTPUT" "SOURCES")
    get_filename_component(project ${ARG_PROJECT} ABSOLUTE)
    set(sources)
    foreach(source IN LISTS ARG_SOURCES)
        get_filename_component(source ${source} ABSOLUTE)
        list(APPEND sources ${source})
    endforeach()
    add_custom_command(
        OUTPUT ${ARG_OUTPUT}
        COMMAND ${CMAKE_COMMAND} -DCHMCMD=${CHMCMD_EXECUTABLE} -DPROJECT=${project}
                -DOUTPUT=${ARG_OUTPUT} -P ${KETAMORI_BUILD_CHM_SCRIPT}
        DEPENDS ${project} ${sources} ${KETAMORI_BUILD_CHM_SCRIPT}
        COMMENT "Compiling help file ${ARG_OUTPUT}"
        VERBATIM)
    add_custom_target(${target} ALL DEPENDS ${ARG_OUTPUT})
endfunction()
