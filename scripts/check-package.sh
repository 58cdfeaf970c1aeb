#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package on this machine: builds it, lints it (lintian --pedantic with info
# tags, desktop-file-validate and appstreamcli validate --pedantic on the files it holds; any
# complaint fails the check), shows its control data, installs it with apt-get, starts the
# installed program in Xvfb from the desktop entry's command with a fresh data folder, removes
# the package and checks that the player's data folder is still there. Needs root and changes
# the system (its tools, lintian among them, are installed if missing; the package is
# installed, then removed), so it is not part of the tests.
# Usage: scripts/check-package.sh
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
[ "$(id -u)" -eq 0 ] || { echo "check-package.sh: run it as root" >&2; exit 1; }
if dpkg-query -W -f='${Status}' ketamori 2>/dev/null | grep -q "install ok installed"; then
    echo "check-package.sh: ketamori is installed already; remove it first" >&2
    exit 1
fi

# It starts the installed program as the real-window tests start the built one, with their tools.
"$here/scripts/install-packages.sh" packaging test
"$here/scripts/package.sh"
deb=$(ls "$here"/build-deb/ketamori_*.deb)

lint=$(mktemp -d)
# The package's tags that are accepted, each with its reason, are in its lintian overrides.
echo "== lintian --pedantic -I $deb"
# lintian warns that it runs as root; that line says nothing of the package.
lintian --pedantic -I "$deb" 2>&1 | grep -v 'running with root privileges is not recommended' |
    tee "$lint/lintian.txt" || true
echo "== desktop-file-validate and appstreamcli validate --pedantic on the package's files"
dpkg-deb -x "$deb" "$lint/root"
desktop-file-validate "$lint/root/usr/share/applications/io.github.ketamori.ketamori.desktop" \
    2>&1 | tee "$lint/desktop.txt"
appstream=0
appstreamcli validate --pedantic --no-net \
    "$lint/root/usr/share/metainfo/io.github.ketamori.ketamori.metainfo.xml" || appstream=$?
rm -rf "$lint/root"
if [ -s "$lint/lintian.txt" ] || [ -s "$lint/desktop.txt" ] || [ "$appstream" != 0 ]; then
    echo "FAIL: the package does not lint cleanly (see above)" >&2
    exit 1
fi
rm -rf "$lint"

echo "== dpkg -I $deb"
dpkg -I "$deb"
echo "== dpkg -c $deb"
dpkg -c "$deb"

echo "== apt-get install $deb"
DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb"
dpkg -L ketamori
command -v ketamori

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/io.github.ketamori.ketamori.desktop)
echo "== starting '$exec_line' under Xvfb with XDG_DATA_HOME=$work/data"
# shellcheck disable=SC2016
XDG_DATA_HOME=$work/data xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash -c '
    '"$exec_line"' &
    pid=$!
    win=$(timeout 20 xdotool search --sync --onlyvisible --name "^ケタモリ！$" | head -n 1)
    echo "window $win: $(xdotool getwindowname "$win")"
    import -window root "'"$work"'/installed.png"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    [ -n "$win" ]'
ls -l "$work/data/ketamori"
od -c "$work/data/ketamori/設定.txt"
cp "$work/installed.png" "$here/build/artifacts/package-installed.png" 2>/dev/null || true

echo "== apt-get remove ketamori"
DEBIAN_FRONTEND=noninteractive apt-get remove -y ketamori
# The package has no configuration files, so removing it leaves nothing of it behind.
if dpkg-query -W ketamori >/dev/null 2>&1 || [ -e /usr/bin/ketamori ] ||
    [ -e /usr/libexec/ketamori ] || [ -e /usr/share/ketamori ]; then
    echo "FAIL: something of the package is left after its removal" >&2
    exit 1
fi
echo "== the data folder after the removal"
ls -l "$work/data/ketamori"
[ -s "$work/data/ketamori/設定.txt" ] && [ -f "$work/data/ketamori/履歴.txt" ] &&
    [ -f "$work/data/ketamori/zqHelp.chm" ] ||
    { echo "FAIL: the data folder did not survive the removal" >&2; exit 1; }
echo "PASS"
