#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The launcher's preparation of the data folder, case by case. The project is installed into a
# temporary prefix and the installed program is replaced by a stand-in that only records where
# it was started and what it found there, so no display is needed.
# Usage: launcher.sh BUILD_DIR NO_RENAME_FLAG_LIBRARY
set -euo pipefail
build=$1
no_rename_flag=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
launcher=$prefix/bin/ketamori
help=$prefix/share/ketamori/zqHelp.chm
[ -x "$launcher" ] && [ -s "$help" ] || { echo "FAIL: launcher or help file not installed" >&2; exit 1; }
cat >"$prefix/libexec/ketamori/ketamori" <<'EOF'
#!/bin/sh
pwd >"$STAND_IN_LOG"
echo "${GLIBC_TUNABLES-unset}" >"$STAND_IN_LOG.tunables"
exit 0
EOF

printf '5,5,1\r\n' >"$work/defaults"
failures=0
fail() {
    echo "FAIL [$case]: $*" >&2
    failures=$((failures + 1))
}

# start ENV...: runs the launcher with a display and only the given environment; sets status,
# started (the folder the program was started in, or empty) and err (its messages).
start() {
    rm -f "$work/started" "$work/started.tunables" "$work/err"
    status=0
    env -i PATH="$PATH" DISPLAY=:0 STAND_IN_LOG="$work/started" "$@" "$launcher" \
        2>"$work/err" || status=$?
    started=$(cat "$work/started" 2>/dev/null || true)
    err=$(cat "$work/err")
}

# seeded DIR: the program was started in DIR, which holds the defaults and the help file.
seeded() {
    [ "$status" = 0 ] || fail "exit status $status: $err"
    [ "$started" = "$1" ] || fail "started in '$started', expected '$1'"
    cmp -s "$1/設定.txt" "$work/defaults" || fail "settings are not 5,5,1 CR LF"
    [ -f "$1/履歴.txt" ] && [ ! -s "$1/履歴.txt" ] || fail "no empty history"
    cmp -s "$help" "$1/zqHelp.chm" || fail "help file not copied"
    [ -z "$(find "$1" -name '.*')" ] || fail "temporary files left: $(ls -A "$1")"
}

case="fresh XDG_DATA_HOME"
start HOME="$work/h1" XDG_DATA_HOME="$work/x1"
seeded "$work/x1/ketamori"
[ ! -e "$work/h1" ] || fail "HOME was used"

case="XDG_DATA_HOME unset: ~/.local/share"
start HOME="$work/h2"
seeded "$work/h2/.local/share/ketamori"

case="XDG_DATA_HOME empty: ~/.local/share"
start HOME="$work/h3" XDG_DATA_HOME=
seeded "$work/h3/.local/share/ketamori"

case="relative XDG_DATA_HOME is ignored"
mkdir "$work/cwd"
cd "$work/cwd"
start HOME="$work/h4" XDG_DATA_HOME=rel
cd - >/dev/null
seeded "$work/h4/.local/share/ketamori"
[ ! -e "$work/cwd/rel" ] || fail "created a folder under the working directory"

case="spaces and Japanese in the path"
start HOME="$work/h5" XDG_DATA_HOME="$work/デー タ"
seeded "$work/デー タ/ketamori"

case="through a symbolic link"
mkdir "$work/links"
ln -s "$launcher" "$work/links/ketamori"
launcher=$work/links/ketamori start HOME="$work/h6" XDG_DATA_HOME="$work/x6"
seeded "$work/x6/ketamori"

case="the player's files are kept, the help file refreshed"
data=$work/x7/ketamori
mkdir -p "$data"
printf '7,10,0\r\n' >"$data/設定.txt"
printf '"2026/12/07","10:00:00",5,5,5,0,"100.0%%"\r\n' >"$data/履歴.txt"
cp "$data/設定.txt" "$work/settings.before"
cp "$data/履歴.txt" "$work/history.before"
echo stale >"$data/zqHelp.chm"
start HOME="$work/h7" XDG_DATA_HOME="$work/x7"
[ "$status" = 0 ] && [ "$started" = "$data" ] || fail "not started in $data: $err"
cmp -s "$data/設定.txt" "$work/settings.before" || fail "settings overwritten"
cmp -s "$data/履歴.txt" "$work/history.before" || fail "history overwritten"
cmp -s "$help" "$data/zqHelp.chm" || fail "help file not refreshed"

# The copy keeps the installed file's time: the same copy is left alone, a copy of another time
# (another version's, or one changed since), older or newer, is replaced.
case="the help file's copy is kept while it is the installed one's"
kept=$(stat -c %i "$data/zqHelp.chm")
start HOME="$work/h7" XDG_DATA_HOME="$work/x7"
[ "$(stat -c %i "$data/zqHelp.chm")" = "$kept" ] || fail "the same copy copied again"
for when in '2001-01-01' '+1 hour'; do
    case="a help file of another time ($when) is replaced"
    echo other >"$data/zqHelp.chm"
    touch -d "$when" "$data/zqHelp.chm"
    start HOME="$work/h7" XDG_DATA_HOME="$work/x7"
    cmp -s "$help" "$data/zqHelp.chm" || fail "help file not refreshed"
done
case="a help file cut short at the installed one's time is replaced"
truncate -s 100 "$data/zqHelp.chm"
touch -r "$help" "$data/zqHelp.chm"
start HOME="$work/h7" XDG_DATA_HOME="$work/x7"
cmp -s "$help" "$data/zqHelp.chm" || fail "help file not refreshed"

# Huge pages for the memory a long history fills; the player's own tunables come after and win.
case="the C library's tunables"
for given in unset "" "glibc.malloc.hugetlb=0" "glibc.malloc.arena_max=2"; do
    if [ "$given" = unset ]; then
        start HOME="$work/h12" XDG_DATA_HOME="$work/x12"
        expected=glibc.malloc.hugetlb=1
    else
        start HOME="$work/h12" XDG_DATA_HOME="$work/x12" GLIBC_TUNABLES="$given"
        expected=glibc.malloc.hugetlb=1${given:+:$given}
    fi
    tunables=$(cat "$work/started.tunables" 2>/dev/null || true)
    [ "$tunables" = "$expected" ] || fail "GLIBC_TUNABLES '$tunables' for '$given', expected '$expected'"
done

case="only the missing file is seeded"
data=$work/x8/ketamori
mkdir -p "$data"
printf '3,0,1\r\n' >"$data/設定.txt"
start HOME="$work/h8" XDG_DATA_HOME="$work/x8"
[ "$(cat "$data/設定.txt")" = $'3,0,1\r' ] || fail "settings overwritten"
[ -f "$data/履歴.txt" ] && [ ! -s "$data/履歴.txt" ] || fail "no empty history"

# Whatever the player keeps under the settings' name is theirs, even a link that leads nowhere
# (the program then says it cannot read it).
case="a settings link leading nowhere is kept"
data=$work/x13/ketamori
mkdir -p "$data"
ln -s "$work/nowhere/設定.txt" "$data/設定.txt"
start HOME="$work/h13" XDG_DATA_HOME="$work/x13"
[ "$status" = 0 ] && [ "$started" = "$data" ] || fail "not started in $data: $err"
[ "$(readlink "$data/設定.txt")" = "$work/nowhere/設定.txt" ] || fail "the link was replaced"

# A double click starts two at once: both prepare the same new folder and both start.
case="two first starts at once"
for round in $(seq 20); do
    rm -f "$work/both1" "$work/both2"
    pids=()
    for n in 1 2; do
        env -i PATH="$PATH" DISPLAY=:0 STAND_IN_LOG="$work/both$n" HOME="$work/h14" \
            XDG_DATA_HOME="$work/x14-$round" "$launcher" 2>"$work/both$n.err" &
        pids+=($!)
    done
    for n in 1 2; do
        status=0
        wait "${pids[n - 1]}" || status=$?
        [ "$status" = 0 ] && [ ! -s "$work/both$n.err" ] ||
            fail "round $round, start $n: exit status $status: $(cat "$work/both$n.err")"
    done
    status=0 started=$(cat "$work/both1" 2>/dev/null || true) err=
    seeded "$work/x14-$round/ketamori"
done

# Where renames cannot refuse to replace (NFS), the settings are seeded all the same.
case="a file system without no-replace renames"
start HOME="$work/h15" XDG_DATA_HOME="$work/x15" LD_PRELOAD="$no_rename_flag" \
    NO_RENAME_FLAG_MARK="$work/no-rename-flag-used" ASAN_OPTIONS=verify_asan_link_order=0
seeded "$work/x15/ketamori"
[ -e "$work/no-rename-flag-used" ] || fail "the stand-in renameat2 was not called"

case="no display"
status=0
env -i PATH="$PATH" HOME="$work/h9" XDG_DATA_HOME="$work/x9" STAND_IN_LOG="$work/started" \
    "$launcher" 2>"$work/err" || status=$?
[ "$status" = 1 ] || fail "exit status $status, expected 1"
grep -q 'no display found' "$work/err" || fail "no message: $(cat "$work/err")"
[ ! -e "$work/x9" ] && [ ! -e "$work/h9" ] || fail "a data folder was made"

case="no HOME and no XDG_DATA_HOME"
start
[ "$status" = 1 ] || fail "exit status $status, expected 1"
[ -z "$started" ] || fail "the program was started"
grep -q 'HOME' <<<"$err" || fail "no message: $err"

case="a relative HOME gives no folder"
cd "$work/cwd"
start HOME=rel
cd - >/dev/null
[ "$status" = 1 ] && [ -z "$started" ] || fail "exit status $status, started in '$started'"
[ ! -e "$work/cwd/rel" ] || fail "created a folder under the working directory"

case="the data folder cannot be made"
: >"$work/x10"
start HOME="$work/h10" XDG_DATA_HOME="$work/x10"
[ "$status" = 1 ] || fail "exit status $status, expected 1"
[ -z "$started" ] || fail "the program was started"
grep -q "could not prepare the data folder $work/x10/ketamori" <<<"$err" || fail "message: $err"

case="the help file cannot be refreshed: the program starts all the same"
data=$work/x11/ketamori
mkdir -p "$data/zqHelp.chm/in-the-way"
start HOME="$work/h11" XDG_DATA_HOME="$work/x11"
[ "$status" = 0 ] && [ "$started" = "$data" ] || fail "not started in $data: $err"
grep -q "could not refresh the help file $data/zqHelp.chm" <<<"$err" || fail "message: $err"
[ -z "$(find "$data" -name '.*')" ] && [ ! -e "$data/zqHelp.chm/zqHelp.chm" ] ||
    fail "help file put elsewhere"

if [ "$failures" -gt 0 ]; then
    echo "$failures failure(s)" >&2
    exit 1
fi
echo "PASS"
