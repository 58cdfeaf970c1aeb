#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$here/build
# Before configuring: the real-window tests are set up only where their tools are found.
"$here/scripts/install-packages.sh" test bench
"$here/scripts/setup.sh" "$build" -DKETAMORI_BENCH=ON
cd "$build"
ctest --output-on-failure --timeout 300
