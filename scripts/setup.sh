#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the build needs (scripts/packages/build.txt, only what is missing), then
# configures and builds. Commands that need more install their own lists first.
# Usage: scripts/setup.sh [build-dir [cmake-option...]]   (default: build)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$here/build}
shift || true

"$here/scripts/install-packages.sh" build

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
# KETAMORI_TARGETS="a b" builds just those (the fuzz configuration needs nothing else).
cmake --build "$build" -j"$(nproc)" ${KETAMORI_TARGETS:+--target $KETAMORI_TARGETS}
