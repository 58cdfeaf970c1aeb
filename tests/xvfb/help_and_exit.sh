#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real program in a real X server (Xvfb) with the built help file in its data folder,
# presses Help twice (one help window, showing the help's contents page; screenshot kept), then
# Exit: the program must end at once with status 0, the help window gone and both data files
# unchanged. The help window's title must be right for every window manager under LANG=C, where
# Qt's own conversion of it went wrong.
# Usage: help_and_exit.sh BINARY ARTIFACT_DIR HELP_FILE   (run inside xvfb-run)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/window_search.sh"
export LANG=C LC_ALL=
bin=$1
out=$2
chm=$3
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf '5,5,1\r\n' >"$work/設定.txt"
: >"$work/履歴.txt"
cp "$chm" "$work/zqHelp.chm"
cp "$work/設定.txt" "$work/設定.before"
cp "$work/履歴.txt" "$work/履歴.before"

(cd "$work" && exec "$bin") &
pid=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --name '^ケタモリ！$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$win")"
mainX=$X
mainY=$Y
sleep 0.5

# Buttons in client pixels (twips / 15): Help at 7650, Exit at 8475, both 840 wide, top 150.
click() { xdotool mousemove $((mainX + $1 / 15 + 28)) $((mainY + 150 / 15 + 30)) click 1; }
click 7650
help=$(timeout 20 xdotool search --sync --onlyvisible --name '^ケタモリ！ ヘルプ$' | head -n 1)
sleep 0.5
click 7650
sleep 0.5
count=$(xdotool search --onlyvisible --name '^ケタモリ！ ヘルプ$' | wc -l)
import -window root "$out/help-window.png"
if [ "$count" != 1 ]; then
    echo "FAIL: $count help windows after pressing Help twice" >&2
    kill "$pid"
    exit 1
fi
echo "help window $help"
title_is "$help" 'ケタモリ！ ヘルプ' || { kill "$pid"; exit 1; }

click 8475
timeout 10 tail --pid="$pid" -f /dev/null || { echo "FAIL: still running after Exit" >&2; kill "$pid"; exit 1; }
status=0
wait "$pid" || status=$?
if [ "$status" != 0 ]; then
    echo "FAIL: exit status $status after Exit" >&2
    exit 1
fi
cmp "$work/設定.txt" "$work/設定.before"
cmp "$work/履歴.txt" "$work/履歴.before"
echo "PASS"
