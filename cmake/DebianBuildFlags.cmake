# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Debian's build flags from dpkg-buildflags, every hardening feature on: _FORTIFY_SOURCE, the
# stack protector, format-string checks, read-only relocations and immediate binding (PIE is
# the compiler's default on Debian). scripts/package.sh builds the Debian package with them.
find_program(KETAMORI_DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
function(ketamori_debian_flags var)
    # Run from the source root, so that -ffile-prefix-map takes this folder out of the paths.
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                ${KETAMORI_DPKG_BUILDFLAGS} --get ${var}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE flags
        OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    set(${var} ${flags} PARENT_SCOPE)
endfunction()
ketamori_debian_flags(CPPFLAGS)
ketamori_debian_flags(CXXFLAGS)
ketamori_debian_flags(LDFLAGS)
add_compile_options(${CPPFLAGS} ${CXXFLAGS})
add_link_options(${LDFLAGS})
message(STATUS "Debian build flags: ${CPPFLAGS} ${CXXFLAGS} | ${LDFLAGS}")
