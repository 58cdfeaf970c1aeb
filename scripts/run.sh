#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building and running need (scripts/packages/build.txt) where it is missing,
# builds, and starts the program through its launcher, the same one that is installed: it
# prepares the player's data folder, $XDG_DATA_HOME/ketamori (default ~/.local/share/ketamori),
# and starts the program there.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$here/build

"$here/scripts/setup.sh" "$build" -DKETAMORI_BENCH=OFF >/dev/null
exec "$build/packaging/ketamori"
