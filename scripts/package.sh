#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package build/ketamori_<version>_<arch>.deb.
# Install it with: sudo apt-get install ./build/ketamori_*.deb
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$here/build
"$here/scripts/install-packages.sh" packaging
"$here/scripts/setup.sh" "$build" -DKETAMORI_BENCH=OFF >/dev/null
cd "$build"
cpack -G DEB
