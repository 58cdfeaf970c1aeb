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
