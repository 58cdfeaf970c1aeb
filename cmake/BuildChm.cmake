# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Run with cmake -P: -DCHMCMD=<chmcmd> -DPROJECT=<file.hhp> -DOUTPUT=<file.chm>
# chmcmd writes the file named by the project's "Compiled file=" into its working directory,
# may leave a 0-byte file behind when it crashes, and exits 0 when the project is missing, so
# every outcome is checked here. The result is moved into place only when it is sound, so a
# failed build never leaves an output that looks up to date.
foreach(var CHMCMD PROJECT OUTPUT)
    if(NOT ${var})
        message(FATAL_ERROR "BuildChm.cmake: ${var} is not set")
    endif()
endforeach()
if(NOT EXISTS ${PROJECT})
    message(FATAL_ERROR "Help project ${PROJECT} does not exist")
endif()

file(STRINGS ${PROJECT} compiled REGEX "^[ \t]*Compiled file[ \t]*=")
list(LENGTH compiled count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "${PROJECT} must name its output once in a 'Compiled file=' line")
endif()
string(REGEX REPLACE "^[ \t]*Compiled file[ \t]*=[ \t]*" "" compiled "${compiled}")
string(STRIP "${compiled}" compiled)

get_filename_component(name ${OUTPUT} NAME)
get_filename_component(dir ${OUTPUT} DIRECTORY)
set(work ${dir}/${name}.work)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
file(REMOVE ${OUTPUT})

execute_process(
    COMMAND ${CHMCMD} ${PROJECT}
    WORKING_DIRECTORY ${work}
    RESULT_VARIABLE result
    OUTPUT_VARIABLE out
    ERROR_VARIABLE out)

set(built ${work}/${compiled})
set(problem "")
if(NOT result EQUAL 0)
    set(problem "chmcmd exited with ${result}")
elseif(NOT EXISTS ${built})
    set(problem "chmcmd wrote no file ${compiled}")
elseif(out MATCHES "Warning")
    set(problem "chmcmd reported a problem with the help sources")
else()
    file(SIZE ${built} size)
    if(size EQUAL 0)
        set(problem "chmcmd wrote an empty ${compiled}")
    endif()
endif()
if(problem)
    file(REMOVE_RECURSE ${work})
    message(FATAL_ERROR "Help file ${OUTPUT} not built: ${problem}.\n${out}")
endif()

file(RENAME ${built} ${OUTPUT})
file(REMOVE_RECURSE ${work})
