#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real program in a real X server (Xvfb), finds its window by title, checks its size
# and keeps a screenshot. Then starts it without a settings file and checks that it refuses:
# message box, message on stderr, exit status 1, nothing created. Every window's title must be
# right for every window manager under LANG=C, C.UTF-8 and ja_JP.UTF-8, and SIGTERM must end the
# program within a second while Clear's question or a start-up refusal is on screen, losing
# nothing.
# Usage: first_screen.sh BINARY ARTIFACT_DIR   (run inside xvfb-run)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/window_search.sh"
bin=$1
out=$2
mkdir -p "$out"
top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT

# Japanese with UTF-8, made here: the machine need not have it among its locales.
mkdir "$top/locales" "$top/data"
localedef -i ja_JP -f UTF-8 "$top/locales/ja_JP.UTF-8" ||
    { echo "FAIL: cannot make the locale ja_JP.UTF-8 (package locales)" >&2; exit 1; }
export LOCPATH=$top/locales LC_ALL=
work=$top/data

# ended_within SECONDS PID: whether the process ends within that time.
ended_within() {
    timeout "$1" tail -s 0.05 --pid="$2" -f /dev/null
}

printf '5,5,1\r\n' >"$work/設定.txt"
printf '"2001/02/03","04:05:06","\x81\x9B\x81\x9B\x81\x7E\x81\x7C\x81\x7C\x81\x7C\x81\x7C\x81\x7C\x81\x7C\x81\x7C\x81\x7C\x81\x7C\x81\x7C\x81\x7C\x81\x7C",2,1,"66.7%%","5\x95\x62"\r\n' >"$work/履歴.txt"
cp "$work/履歴.txt" "$work/履歴.before"

# The main window's title, started under each locale and ended by SIGTERM.
for locale in C.UTF-8 ja_JP.UTF-8; do
    (cd "$work" && LANG=$locale exec "$bin") &
    pid=$!
    win=$(timeout 20 xdotool search --sync --onlyvisible --name 'ケタモリ！' | head -n 1)
    title_is "$win" 'ケタモリ！' || { echo "FAIL: under LANG=$locale" >&2; kill "$pid"; exit 1; }
    kill "$pid"
    ended_within 2 "$pid" || { echo "FAIL: still running after SIGTERM" >&2; kill -9 "$pid"; exit 1; }
done

export LANG=C
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
if [ "$title" != "クリア確認" ]; then
    echo "FAIL: confirmation box titled '$title'" >&2
    kill "$pid"
    exit 1
fi
title_is "$win" 'ケタモリ！' && title_is "$box" 'クリア確認' ||
    { echo "FAIL: under LANG=C" >&2; kill "$pid"; exit 1; }
# SIGTERM with the question on screen: the program ends, and the history, never confirmed
# for clearing, stays.
kill "$pid"
ended_within 1 "$pid" || { echo "FAIL: still running a second after SIGTERM over クリア確認" >&2; kill -9 "$pid"; exit 1; }
wait "$pid" 2>/dev/null || true
cmp -s "$work/履歴.txt" "$work/履歴.before" || { echo "FAIL: the history changed" >&2; exit 1; }
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
title_is "$box" 'ケタモリ！' || { echo "FAIL: refusal box under LANG=C" >&2; kill "$pid"; exit 1; }
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

# SIGTERM with the refusal on screen ends the start within a second, still refused (status 1).
(cd "$work" && exec "$bin" 2>/dev/null) &
pid=$!
timeout 20 xdotool search --sync --onlyvisible --name 'ケタモリ！' >/dev/null
sleep 0.3
kill "$pid"
ended_within 1 "$pid" || { echo "FAIL: still running a second after SIGTERM over the refusal" >&2; kill -9 "$pid"; exit 1; }
status=0
wait "$pid" || status=$?
[ "$status" = 1 ] || { echo "FAIL: exit status $status after SIGTERM over the refusal" >&2; exit 1; }
cmp -s "$work/履歴.txt" "$work/履歴.before" || { echo "FAIL: the history changed" >&2; exit 1; }
echo "PASS"
