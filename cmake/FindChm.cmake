# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Finds chmlib, the reader of compiled HTML help files (Debian package libchm-dev), which ships
# no pkg-config or CMake file of its own. Gives the imported target Chm::Chm.
find_path(Chm_INCLUDE_DIR chm_lib.h)
find_library(Chm_LIBRARY chm)

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(Chm
    REQUIRED_VARS Chm_LIBRARY Chm_INCLUDE_DIR
    REASON_FAILURE_MESSAGE "chmlib (Debian package libchm-dev) is needed to show the help file")

if(Chm_FOUND AND NOT TARGET Chm::Chm)
    add_library(Chm::Chm UNKNOWN IMPORTED)
    set_target_properties(Chm::Chm PROPERTIES
        IMPORTED_LOCATION ${Chm_LIBRARY}
        INTERFACE_INCLUDE_DIRECTORIES ${Chm_INCLUDE_DIR})
endif()
mark_as_advanced(Chm_INCLUDE_DIR Chm_LIBRARY)
