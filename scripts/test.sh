#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs every test.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$here/build
# Before configuring: the real-window tests need their tools, and configuring fails without them.
"$here/scripts/install-packages.sh" test bench
"$here/scripts/setup.sh" "$build" -DKETAMORI_BENCH=ON
cd "$build"
ctest --output-on-failure --timeout 300 -j"$(nproc)"
