#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real program in a real X server (Xvfb), opens the 問題数 drop-down list, then the
# message box of クリア, and dumps the whole screen each time with `xwd -root` as well as with
# ImageMagick's `import`: the two must show the same pixels (xwd once showed the list and the box
# as black rectangles). The box must lie wholly on the screen. The screenshots are kept.
# Usage: screen_dump.sh BINARY ARTIFACT_DIR   (run inside xvfb-run)
set -euo pipefail
command -v xwd >/dev/null || { echo "SKIP: xwd missing"; exit 77; }
bin=$1
out=$2
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '5,5,1\r\n' >"$work/設定.txt"
: >"$work/履歴.txt"

(cd "$work" && exec "$bin") &
pid=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --name '^ケタモリ！$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$win")"
sleep 0.5

fail() {
    echo "FAIL: $*" >&2
    kill "$pid" 2>/dev/null || true
    exit 1
}

# The same screen by xwd and by import, compared pixel by pixel; kept as NAME.png (xwd's).
same_dumps() {
    xwd -root -silent >"$work/dump.xwd"
    import -window root "$work/import.png"
    convert "xwd:$work/dump.xwd" "$out/$1.png"
    local differ
    differ=$(compare -metric AE "$out/$1.png" "$work/import.png" null: 2>&1) || true
    [ "$differ" = 0 ] || fail "$1: xwd -root and import differ in $differ pixels"
}

# The arrow of cboMonsu: the box lies at 1800,405 twips in Frame1 at 90,1305, 750 wide, 405 high.
xdotool mousemove $((X + (90 + 1800 + 750) / 15 - 8)) $((Y + (1305 + 405 + 200) / 15)) click 1
sleep 0.7
same_dumps dump-drop-down
xdotool key Escape
sleep 0.3

# クリア (6825 twips from the left, 150 from the top) asks first.
xdotool mousemove $((X + 6825 / 15 + 28)) $((Y + 150 / 15 + 30)) click 1
box=$(timeout 10 xdotool search --sync --onlyvisible --name "^クリア確認$" | head -n 1) ||
    fail "no message box クリア確認"
sleep 0.5
same_dumps dump-message-box
# The box lies wholly on the screen.
read -r screenWidth screenHeight <<<"$(xdotool getdisplaygeometry)"
eval "$(xdotool getwindowgeometry --shell "$box")"
((X >= 0 && Y >= 0 && X + WIDTH <= screenWidth && Y + HEIGHT <= screenHeight)) ||
    fail "クリア確認 at ${X},${Y} ${WIDTH}x${HEIGHT} is not wholly on the screen"
xdotool key Escape

kill "$pid"
wait "$pid" 2>/dev/null || true
echo "PASS"
