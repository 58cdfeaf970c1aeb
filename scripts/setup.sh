#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the build needs (only when something is missing), then configures and builds.
# Usage: scripts/setup.sh [build-dir [cmake-option...]]   (default: build)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$here/build}
shift || true

packages=(cmake g++ make qt6-base-dev libgl-dev fonts-ipafont-gothic libchm-dev libchm-bin
    fp-utils xvfb xauth xdotool x11-apps imagemagick)
packages+=(libfontconfig-dev pkgconf)  # the font configuration read beside the display connection at start-up
packages+=(libxcb1-dev)  # the program sets its windows' colormap; the start-up benchmark watches windows
packages+=(desktop-file-utils appstream dpkg-dev file)  # install test, Debian package
packages+=(man-db)  # the manual pages are read as man shows them
packages+=(clang-14 libclang-rt-14-dev)  # the fuzz targets: libFuzzer and the sanitizers' runtimes
packages+=(qt6-charts-dev)  # the charts of the 成績グラフ window
packages+=(qt6-translations-l10n)  # Qt's own texts (dialog buttons, context menus) in Japanese
packages+=(dbus at-spi2-core python3-pyatspi)  # end-to-end tests read the accessibility tree
packages+=(fcitx5 fcitx5-mozc fcitx5-frontend-qt6 dbus-x11)  # a Japanese input method switched on while a drill is typed
packages+=(x11-utils)  # xwininfo: the order of the windows on the screen, for the two-copies test

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    # A mirror that stumbles once should not fail the build: a few tries, a little apart.
    for try in 1 2 3; do
        if $sudo apt-get update -qq &&
            DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq \
                "${missing[@]}" >/dev/null; then
            break
        fi
        [ "$try" -lt 3 ] || { echo "Could not install: ${missing[*]}" >&2; exit 1; }
        sleep $((try * 10))
    done
fi

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
# KETAMORI_TARGETS="a b" builds just those (the fuzz configuration needs nothing else).
cmake --build "$build" -j"$(nproc)" ${KETAMORI_TARGETS:+--target $KETAMORI_TARGETS}
