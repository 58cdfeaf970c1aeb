#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A drill typed with a Japanese input method switched on: fcitx5 with Mozc in hiragana mode (see
# input_method.py). Mozc's server will not run as root, so as root this makes an ordinary user
# and runs the session bus, the X server, fcitx5, Mozc and the program as that user.
# Usage: input_method.sh BINARY ARTIFACT_DIR HELP_FILE
#        (exits 77 where a package is missing or no ordinary user can be made)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
bin=$(realpath "$1")
out=$(realpath -m "$2")
help=$(realpath "$3")
user=ketamori-ime

skip() {
    echo "SKIP: $*"
    exit 77
}
for tool in fcitx5 dbus-send dbus-run-session xvfb-run xdotool import convert; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
compgen -G '/usr/lib/*/qt6/plugins/platforminputcontexts/libfcitx5platforminputcontextplugin.so' \
    >/dev/null || skip "fcitx5-frontend-qt6 is not installed"
[ -x /usr/lib/mozc/mozc_server ] || skip "fcitx5-mozc is not installed"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
run=()
if [ "$(id -u)" -eq 0 ]; then
    if ! id -u "$user" >/dev/null 2>&1; then
        useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
            --user-group "$user" 2>/dev/null || skip "the user $user cannot be made"
    fi
    chown "$user:" "$home"
    run=(runuser -u "$user" --)
    "${run[@]}" test -x "$bin" || skip "$user cannot run $bin"
fi
mkdir -p "$out"
status=0
"${run[@]}" env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 XDG_RUNTIME_DIR="$home" \
    dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
    /usr/bin/python3 "$here/input_method.py" "$bin" "$home/artifacts" "$help" \
    2> >(grep -v 'Failed to set fd limit\|Activating service\|Successfully activated\|SpiRegistry daemon' >&2) ||
    status=$?
cp -r "$home/artifacts/." "$out/" 2>/dev/null || true
exit "$status"
