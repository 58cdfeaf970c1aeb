#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the program with Debian's build flags (hardening included)
# into build-deb/, without the tests, and makes the Debian package
# build-deb/ketamori_<version>-<revision>_<arch>.deb.
# Install it with: sudo apt-get install ./build-deb/ketamori_*.deb
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$here/build-deb
"$here/scripts/install-packages.sh" packaging
"$here/scripts/setup.sh" "$build" -DKETAMORI_BENCH=OFF -DBUILD_TESTING=OFF \
    -DKETAMORI_DEBIAN_FLAGS=ON >/dev/null
cd "$build"
rm -f ketamori_*.deb
cpack -G DEB
