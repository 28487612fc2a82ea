#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer into
# build-fuzz/ (or $ROVALIS_FUZZ_BUILD_DIR), seeds them from the repository's programs and files,
# and runs each target in turn for a given time, one process at a time at the lowest priority.
#   scripts/fuzz.sh                      60 seconds per target, every target
#   scripts/fuzz.sh 600 tokenize machine 10 minutes each for the named targets
# ROVALIS_FUZZ_MAX_LEN=N caps the input size (shorter inputs run faster; default per target).
# For long runs, ROVALIS_FUZZ_SANITIZE=undefined ROVALIS_FUZZ_BUILD_DIR=build-fuzz-fast runs
# several times more inputs (no AddressSanitizer); the checks themselves still hold.
# Targets: tokenize rvl module_protocol machine link.
# The corpus grows in build-fuzz/corpus/<target>/ from run to run; inputs that fail a check,
# crash or hang land in build-fuzz/findings/<target>/. Executions add up per target in
# build-fuzz/executions.txt. Exit status 1 when anything was found.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${ROVALIS_FUZZ_BUILD_DIR:-$top/build-fuzz}
seconds=${1:-60}
shift || true
targets=("$@")
if ((${#targets[@]} == 0)); then targets=(tokenize rvl module_protocol machine link); fi

"$top/scripts/setup.sh" --fuzz
CC=clang CXX=clang++ cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DROVALIS_FUZZ=ON -DROVALIS_SANITIZE="${ROVALIS_FUZZ_SANITIZE-address,undefined}" \
  -DROVALIS_BUILD_TESTS=OFF -DROVALIS_BUILD_BENCH=OFF >/dev/null
nice -n 19 cmake --build "$build" -j "${ROVALIS_JOBS:-2}" --target fuzz_make_seeds "${targets[@]/#/fuzz_}"

rm -rf "$build/seeds"
"$build/fuzz/fuzz_make_seeds" "$top" "$build/seeds"

declare -A max_len=([tokenize]=16384 [rvl]=9300 [module_protocol]=4096 [machine]=4200 [link]=2048)
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen
totals="$build/executions.txt"
touch "$totals"
found=0
summary=()
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  findings="$build/findings/$t"
  seeds="$build/seeds/$t"
  mkdir -p "$corpus" "$findings" "$seeds"
  log="$build/logs/$t.log"
  mkdir -p "$(dirname "$log")"
  before=$(find "$findings" -type f | wc -l)
  # A hang is an input that runs longer than 10 s; the checks bound every loop far below that.
  nice -n 19 "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -max_len="${ROVALIS_FUZZ_MAX_LEN:-${max_len[$t]}}" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "$seeds" \
    >"$log" 2>&1 || true
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  runs=${runs:-0}
  after=$(find "$findings" -type f | wc -l)
  new=$((after - before))
  ((new > 0)) && found=1
  previous=$(awk -v t="$t" '$1 == t { print $2 }' "$totals")
  total=$(( ${previous:-0} + runs ))
  { grep -v "^$t " "$totals" || true; echo "$t $total"; } >"$totals.new" && mv "$totals.new" "$totals"
  summary+=("$(printf '%-16s %12s runs this time %14s in total %3s new findings' "$t" "$runs" "$total" "$new")")
  if ((new > 0)); then grep -m3 -E 'FINDING|ERROR: |SUMMARY' "$log" | sed 's/^/    /' || true; fi
done
printf '%s\n' "${summary[@]}"
if ((found)); then
  echo "Findings are in $build/findings/; keep each under fuzz/regressions/<target>/ once fixed."
  exit 1
fi
