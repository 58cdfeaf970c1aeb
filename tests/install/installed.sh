#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the project into a temporary prefix, checks what landed there, validates the desktop
# entry and the AppStream metadata, then starts the installed launcher in a real X server with a
# fresh data folder: the window appears and the folder holds the defaults and the help file. A
# second start keeps the player's changed settings and opens the window 成績グラフ from its
# module. The build tree's launcher, which scripts/run.sh starts, is started once too.
# Usage: installed.sh BUILD_DIR ARTIFACT_DIR   (run inside xvfb-run)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../xvfb/window_search.sh"
build=$1
out=$2
mkdir -p "$out"
work=$(mktemp -d)
pid=
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT

for tool in desktop-file-validate appstreamcli xdotool import; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
(cd "$prefix" && find . -type f -o -type l | sort) >"$work/files"
cat "$work/files"
expected=(
    ./bin/ketamori
    ./libexec/ketamori/ketamori
    ./libexec/ketamori/ketamori-stats.so
    ./share/applications/io.github.ketamori.ketamori.desktop
    ./share/doc/ketamori/changelog.Debian.gz
    ./share/doc/ketamori/copyright
    ./share/icons/hicolor/128x128/apps/ketamori.png
    ./share/icons/hicolor/16x16/apps/ketamori.png
    ./share/icons/hicolor/32x32/apps/ketamori.png
    ./share/icons/hicolor/48x48/apps/ketamori.png
    ./share/icons/hicolor/64x64/apps/ketamori.png
    ./share/ketamori/zqHelp.chm
    ./share/lintian/overrides/ketamori
    ./share/man/ja/man1/ketamori.1.gz
    ./share/man/man1/ketamori.1.gz
    ./share/metainfo/io.github.ketamori.ketamori.metainfo.xml
)
diff <(printf '%s\n' "${expected[@]}") "$work/files" || { echo "FAIL: installed files differ" >&2; exit 1; }
[ -x "$prefix/bin/ketamori" ] && [ -x "$prefix/libexec/ketamori/ketamori" ] ||
    { echo "FAIL: launcher or program not executable" >&2; exit 1; }

# Hints are advice; warnings and errors fail.
desktop-file-validate "$prefix/share/applications/io.github.ketamori.ketamori.desktop" |
    tee "$work/desktop.txt"
if grep -E 'error|warning' "$work/desktop.txt"; then
    echo "FAIL: desktop entry does not validate" >&2
    exit 1
fi
appstreamcli validate --no-net "$prefix/share/metainfo/io.github.ketamori.ketamori.metainfo.xml"

help=$prefix/share/ketamori/zqHelp.chm
cmp "$help" "$build/help/pages/zqHelp.chm"

# start LAUNCHER: starts it with the data folder under $work/data, waits for the window.
start() {
    XDG_DATA_HOME=$work/data "$1" &
    pid=$!
    win=$(timeout 20 xdotool search --sync --onlyvisible --name '^ケタモリ！$' | head -n 1)
    [ -n "$win" ] || { echo "FAIL: no window from $1" >&2; exit 1; }
    # The launcher has become the program: the window is its own, not a leftover.
    [ "$(xdotool getwindowpid "$win")" = "$pid" ] || { echo "FAIL: window of another process" >&2; exit 1; }
}
stop() {
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name '^ケタモリ！$' >/dev/null || return 0
        sleep 0.1
    done
    echo "FAIL: the window outlives its program" >&2
    exit 1
}

data=$work/data/ketamori
start "$prefix/bin/ketamori"
sleep 0.5
import -window root "$out/installed.png"
stop
printf '5,5,1\r\n' >"$work/defaults"
cmp "$data/設定.txt" "$work/defaults"
[ -f "$data/履歴.txt" ] && [ ! -s "$data/履歴.txt" ] || { echo "FAIL: no empty history" >&2; exit 1; }
cmp "$help" "$data/zqHelp.chm"
echo "first start: window $win, data folder seeded"

# The player changes the settings; the next start keeps them.
printf '7,10,0\r\n' >"$data/設定.txt"
cp "$data/設定.txt" "$work/changed"
start "$prefix/bin/ketamori"
# The installed program finds the module of 成績グラフ beside it: a click on the table, then
# its context menu from the keyboard and the entry's access key.
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool mousemove $((X + (90 + 225) / 15 + 150)) $((Y + (1305 + 3225) / 15 + 25)) click 1
sleep 0.3
xdotool key Menu
sleep 0.5
xdotool key g
wait_for_window '^成績グラフ$' >/dev/null ||
    { echo "FAIL: the installed program opens no window 成績グラフ" >&2; exit 1; }
stop
cmp "$data/設定.txt" "$work/changed"
echo "second start: window $win, settings kept, 成績グラフ opened"

# The build tree's launcher starts the build tree's program with the build tree's help file.
rm -rf "$work/data"
start "$build/packaging/ketamori"
stop
cmp "$build/help/pages/zqHelp.chm" "$data/zqHelp.chm"
echo "build tree's launcher: window $win"

# Without a display the installed launcher says so and exits 1.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_DATA_HOME="$work/none" \
    "$prefix/bin/ketamori" 2>"$work/err" || status=$?
cat "$work/err"
[ "$status" = 1 ] && grep -q 'no display found' "$work/err" ||
    { echo "FAIL: without a display: status $status" >&2; exit 1; }
echo "PASS"
