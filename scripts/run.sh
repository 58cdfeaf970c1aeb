#!/usr/bin/env bash
# Installs what is missing, builds, prepares the player's data folder and starts the program
# there. The data folder is $XDG_DATA_HOME/ketamori (default ~/.local/share/ketamori).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$here/build

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "ketamori: no display found (DISPLAY is not set). Run it on a desktop, or under Xvfb:" >&2
    echo "  xvfb-run -a scripts/run.sh" >&2
    exit 1
fi

"$here/scripts/setup.sh" "$build" -DKETAMORI_BENCH=OFF >/dev/null

data=${XDG_DATA_HOME:-$HOME/.local/share}/ketamori
mkdir -p "$data"
# First use: default settings (5 digits, 5 seconds, auto-save on) and an empty history.
# Existing files are the player's and are never touched.
[ -e "$data/設定.txt" ] || printf '5,5,1\r\n' >"$data/設定.txt"
[ -e "$data/履歴.txt" ] || : >"$data/履歴.txt"
# The help file is part of the program: refreshed on every run.
if [ -f "$build/help/pages/zqHelp.chm" ]; then
    cp -f "$build/help/pages/zqHelp.chm" "$data/zqHelp.chm"
fi

cd "$data"
exec "$build/app/ketamori"
