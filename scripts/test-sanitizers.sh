#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program and every test with AddressSanitizer (leak checking on) and
# UndefinedBehaviorSanitizer into build-asan/, then runs the whole suite there, the real-window
# tests under Xvfb included. Any report fails the test it comes from; leaks inside Qt's
# libraries, fontconfig and X are suppressed by tests/sanitizers/lsan.supp.
# Usage: scripts/test-sanitizers.sh [build-dir]   (default: build-asan)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$here/build-asan}
"$here/scripts/install-packages.sh" test sanitizers
"$here/scripts/setup.sh" "$build" -DKETAMORI_SANITIZE=ON
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:strict_init_order=1
export LSAN_OPTIONS=suppressions=$here/tests/sanitizers/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
cd "$build"
ctest --output-on-failure --timeout 600
