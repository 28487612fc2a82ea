#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/
# (or $ROVALIS_BUILD_DIR) and runs the whole test suite in it. Any report stops the test
# that triggered it (-fno-sanitize-recover), so a green run means no finding.
#   scripts/sanitize.sh                 configure, build, run every test
#   scripts/sanitize.sh -R tokenizer    extra arguments go to ctest
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${ROVALIS_BUILD_DIR:-$top/build-asan}
"$top/scripts/setup.sh"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DROVALIS_SANITIZE=address,undefined -DROVALIS_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "${ROVALIS_JOBS:-2}"
export QT_QPA_PLATFORM=offscreen
# Qt's own libraries are not instrumented; leaks in them are not ours.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$top/scripts/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
cd "$build"
ctest --output-on-failure -j "${ROVALIS_JOBS:-2}" --timeout 1200 "$@"
