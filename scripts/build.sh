#!/usr/bin/env bash
# Configures and builds Rovalis into build/ (or $ROVALIS_BUILD_DIR) with Ninja, two jobs.
# Extra arguments go to CMake's configure step, e.g. -DROVALIS_SANITIZE=address,undefined.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${ROVALIS_BUILD_DIR:-$top/build}
cmake -S "$top" -B "$build" -G Ninja "$@" >/dev/null
cmake --build "$build" -j "${ROVALIS_JOBS:-2}"
