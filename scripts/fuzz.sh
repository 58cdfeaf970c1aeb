#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets with clang into build-fuzz/ and runs each on its corpus for a given
# time, one after the other. Inputs that reach new code are kept in build-fuzz/corpus/<target>/
# (worth copying into fuzz/corpus/<target>/ now and then); an input that crashes, hangs, leaks
# or trips a sanitizer is saved as build-fuzz/findings/<target>-crash-... and fails the run.
# Usage: scripts/fuzz.sh [seconds-per-target [target...]]
#   targets: settings history history_roundtrip chm (default: all, 60 seconds each)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$here/build-fuzz
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(settings history history_roundtrip chm)

"$here/scripts/install-packages.sh" sanitizers
KETAMORI_TARGETS="${targets[*]/#/fuzz_}" "$here/scripts/setup.sh" "$build" -DKETAMORI_FUZZ=ON \
    -DCMAKE_CXX_COMPILER=clang++-14 -DBUILD_TESTING=OFF

mkdir -p "$build/findings"
failed=()
for target in "${targets[@]}"; do
    mkdir -p "$build/corpus/$target"
    echo "== fuzz_$target for ${seconds}s"
    # A help page must show within a second: any input taking 5 s counts as a hang.
    if ! "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=4096 \
        -print_final_stats=1 -artifact_prefix="$build/findings/$target-" \
        "$build/corpus/$target" "$here/fuzz/corpus/$target" 2>"$build/fuzz_$target.log"; then
        tail -n 60 "$build/fuzz_$target.log" >&2
        failed+=("$target")
    fi
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "$build/fuzz_$target.log" || true
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzzing found faults in: ${failed[*]} (inputs in $build/findings/)" >&2
    exit 1
fi
echo "fuzzing found nothing in: ${targets[*]}"
