#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real program in a real X server (Xvfb), finds its window by title, checks its size
# and keeps a screenshot. Then starts it without a settings file and checks that it refuses:
# message box, message on stderr, exit status 1, nothing created.
# Usage: first_screen.sh BINARY ARTIFACT_DIR   (run inside xvfb-run)
set -euo pipefail
bin=$1
out=$2
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf '5,5,1\r\n' >"$work/設定.txt"
: >"$work/履歴.txt"

(cd "$work" && exec "$bin") &
pid=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --name 'ケタモリ！' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$win")"
echo "window $win: ${WIDTH}x${HEIGHT} at ${X},${Y}"
sleep 0.5
import -window root "$out/first-screen.png"

# クリア asks first; the box's title is its own text, with nothing added by the system.
xdotool mousemove $((X + 6825 / 15 + 28)) $((Y + 150 / 15 + 30)) click 1
box=$(timeout 10 xdotool search --sync --onlyvisible --name 'クリア確認' | head -n 1)
title=$(xdotool getwindowname "$box")
xdotool windowfocus --sync "$box" key Escape
if [ "$title" != "クリア確認" ]; then
    echo "FAIL: confirmation box titled '$title'" >&2
    kill "$pid"
    exit 1
fi
kill "$pid"
wait "$pid" 2>/dev/null || true
if [ "$WIDTH" != 631 ] || [ "$HEIGHT" != 452 ]; then
    echo "FAIL: client area is ${WIDTH}x${HEIGHT}, expected 631x452" >&2
    exit 1
fi
# Centred on the 1024x768 screen.
if [ "$X" != $(((1024 - 631) / 2)) ] || [ "$Y" != $(((768 - 452) / 2)) ]; then
    echo "FAIL: window at ${X},${Y}, not centred" >&2
    exit 1
fi

# Without a settings file the program must refuse to start, and say why.
rm "$work/設定.txt"
(cd "$work" && exec "$bin" 2>"$work/stderr.txt") &
pid=$!
box=$(timeout 20 xdotool search --sync --onlyvisible --name 'ケタモリ！' | head -n 1)
sleep 0.3
import -window root "$out/missing-settings.png"
xdotool windowfocus --sync "$box" key Return
status=0
timeout 10 tail --pid="$pid" -f /dev/null || { echo "FAIL: still running" >&2; kill "$pid"; exit 1; }
wait "$pid" || status=$?
if [ "$status" != 1 ]; then
    echo "FAIL: exit status $status, expected 1" >&2
    exit 1
fi
grep -q '設定.txt' "$work/stderr.txt" || { echo "FAIL: stderr does not name the file" >&2; exit 1; }
[ ! -e "$work/設定.txt" ] || { echo "FAIL: a settings file was created" >&2; exit 1; }
cat "$work/stderr.txt"
echo "PASS"
