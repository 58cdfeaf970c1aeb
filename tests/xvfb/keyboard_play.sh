#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program played by keyboard on a real X server, read back through its accessibility
# tree and screenshots (see keyboard_play.py). Runs its own session bus, which carries the
# accessibility bus and ends with it.
# Usage: keyboard_play.sh BINARY ARTIFACT_DIR HELP_FILE [SCRIPT]
#        (run inside xvfb-run; exits 77 if a tool is missing). SCRIPT is the Python script beside
#        this one that plays, keyboard_play.py by default.
set -euo pipefail
for tool in xdotool import convert dbus-run-session; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done
if ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
    echo "SKIP: python3-pyatspi is not installed"
    exit 77
fi
script=$(dirname "${BASH_SOURCE[0]}")/${4:-keyboard_play.py}
exec dbus-run-session -- /usr/bin/python3 "$script" "${@:1:3}" \
    2> >(grep -v 'Failed to set fd limit\|Activating service\|Successfully activated\|SpiRegistry daemon' >&2)
