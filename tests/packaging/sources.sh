#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks what the Debian package is made from, without building it: the desktop entry
# (desktop-file-validate says nothing, not even a hint), the AppStream metadata
# (appstreamcli validate --pedantic: no error or warning), the manual pages (man reads them
# without a warning at 80 and 120 columns), and that debian/changelog and the metadata name the
# version being built. scripts/check-package.sh runs lintian on the package itself.
# Usage: sources.sh SOURCE_DIR PROGRAM_VERSION PACKAGE_VERSION
set -euo pipefail
src=$1
version=$2
package_version=$3
packaging=$src/packaging
fail=0

for tool in desktop-file-validate appstreamcli man dpkg-parsechangelog; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done

out=$(desktop-file-validate "$packaging/io.github.ketamori.ketamori.desktop" 2>&1)
if [ -n "$out" ]; then
    echo "FAIL: desktop-file-validate: $out" >&2
    fail=1
fi

if ! appstreamcli validate --pedantic --no-net \
    "$packaging/io.github.ketamori.ketamori.metainfo.xml"; then
    echo "FAIL: appstreamcli validate --pedantic finds errors or warnings" >&2
    fail=1
fi

for page in "$packaging/man/ketamori.1" "$packaging/man/ketamori.ja.1"; do
    for width in 80 120; do
        out=$(MANWIDTH=$width LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
        if [ -n "$out" ]; then
            echo "FAIL: man at $width columns: $page: $out" >&2
            fail=1
        fi
    done
done

changelog_version=$(dpkg-parsechangelog -l "$packaging/debian/changelog" -S Version)
if [ "$changelog_version" != "$package_version" ]; then
    echo "FAIL: debian/changelog's first entry is $changelog_version, the package is $package_version" >&2
    fail=1
fi
release=$(grep -o -m 1 '<release version="[^"]*"' "$packaging/io.github.ketamori.ketamori.metainfo.xml" |
    sed 's/.*"\(.*\)"/\1/')
if [ "$release" != "$version" ]; then
    echo "FAIL: the metadata's newest release is $release, the program is $version" >&2
    fail=1
fi

[ "$fail" = 0 ] && echo "PASS"
