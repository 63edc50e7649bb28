#!/usr/bin/env bash
# Builds the project with AddressSanitizer and UndefinedBehaviorSanitizer (Debug) into
# BUILD_DIR (default: build-asan) and runs the whole suite headless in it. Any sanitizer report
# fails the run: errors stop the test program at once, leaks are checked at its exit.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build-asan}
scripts/deps.sh
BUILD_DIR=$build_dir scripts/build.sh -DVELL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_init_order=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
cd "$build_dir"
exec ctest --output-on-failure -j"$(nproc)"
