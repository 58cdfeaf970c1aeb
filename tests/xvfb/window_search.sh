# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the real-window tests. xdotool dies of an X error (BadWindow) when a window it is
# looking at vanishes under it, as the table's context menu does when one of its entries is
# chosen, so a search right after a menu or a message box may fail without meaning anything:
# these make it again.

# windows_named PATTERN: the ids of the visible windows whose name matches, one a line; status
# 1 and nothing when five searches found none.
windows_named() {
    local try
    for try in 1 2 3 4 5; do
        xdotool search --onlyvisible --name "$1" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

# wait_for_window PATTERN: the id of the first visible window whose name matches, once there is
# one; status 1 after 20 s without.
wait_for_window() {
    local try id
    for try in $(seq 200); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# title_is ID TITLE: whether the window's title is right in both properties a window manager
# reads: _NET_WM_NAME in UTF-8, and WM_NAME as COMPOUND_TEXT or UTF8_STRING (its type STRING
# holds Latin-1 only, and would show a Japanese title as mojibake). Says what is wrong on stderr.
title_is() {
    local wm net
    wm=$(LC_ALL=C.UTF-8 xprop -id "$1" WM_NAME)
    net=$(LC_ALL=C.UTF-8 xprop -id "$1" _NET_WM_NAME)
    case "$wm" in
    "WM_NAME(COMPOUND_TEXT) = \"$2\"" | "WM_NAME(UTF8_STRING) = \"$2\"") ;;
    *)
        echo "wrong title: $wm" >&2
        return 1
        ;;
    esac
    [ "$net" = "_NET_WM_NAME(UTF8_STRING) = \"$2\"" ] || {
        echo "wrong title: $net" >&2
        return 1
    }
}
