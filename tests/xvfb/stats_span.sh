#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The span estimate of 成績グラフ read by a screen reader's road, and its suggestion taken with
# the button (see stats_span.py). Runs its own session bus, which carries the accessibility bus.
# Usage: stats_span.sh BINARY ARTIFACT_DIR   (run inside xvfb-run; exits 77 if a tool is missing)
set -euo pipefail
for tool in xdotool import dbus-run-session; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done
if ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
    echo "SKIP: python3-pyatspi is not installed"
    exit 77
fi
exec dbus-run-session -- /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/stats_span.py" "$@" \
    2> >(grep -v 'Failed to set fd limit\|Activating service\|Successfully activated\|SpiRegistry daemon' >&2)
