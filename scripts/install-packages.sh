#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages of the named lists in scripts/packages/ that are missing, and
# nothing when none is. Each command installs the lists of what it does: scripts/setup.sh the
# build's, scripts/test.sh the tests' and the benchmarks', and so on.
# Usage: scripts/install-packages.sh LIST...   (LIST: build, test, bench, sanitizers, packaging)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

packages=()
for list in "$@"; do
    file=$here/scripts/packages/$list.txt
    [ -f "$file" ] || { echo "install-packages.sh: no package list $file" >&2; exit 2; }
    # One package a line; what follows a # is a comment.
    while read -r package _; do
        packages+=("$package")
    done < <(sed 's/#.*//' "$file" | grep -v '^[[:space:]]*$')
done

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -gt 0 ] || exit 0
# A package on two lists is asked for once.
mapfile -t missing < <(printf '%s\n' "${missing[@]}" | sort -u)

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
# A mirror that stumbles once should not fail the build: a few tries, a little apart.
for try in 1 2 3; do
    if $sudo apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq \
            "${missing[@]}" >/dev/null; then
        exit 0
    fi
    [ "$try" -lt 3 ] || { echo "Could not install: ${missing[*]}" >&2; exit 1; }
    sleep $((try * 10))
done
