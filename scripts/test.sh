#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a normal
# build, and one with AddressSanitizer and UndefinedBehaviorSanitizer; then
# runs each parser's fuzzer for a short while on its seeds, as many at once as
# there are build jobs (with clang; LUDEX_SKIP_FUZZ=1 leaves the fuzzing out).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs="${LUDEX_JOBS:-$(nproc)}"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for variant in normal sanitize; do
  dir="build-test-$variant"
  flag=OFF
  [ "$variant" = sanitize ] && flag=ON
  echo "== $variant build =="
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DLUDEX_SANITIZE="$flag" >/dev/null
  cmake --build "$dir" -j"$jobs"
  (cd "$dir" && ctest --output-on-failure -j"$jobs" --timeout 300)
done

echo "== fuzz =="
if [ -n "${LUDEX_SKIP_FUZZ:-}" ]; then
  echo "fuzzing skipped (LUDEX_SKIP_FUZZ is set)"
elif command -v clang++ >/dev/null 2>&1; then
  dir=build-test-fuzz
  CXX=clang++ cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DLUDEX_FUZZ=ON >/dev/null
  cmake --build "$dir" -j"$jobs" --target ludex_fuzzers
  # Each parser with its seconds; as many run at once as there are jobs.
  fuzzers="ilbm:20 colour_icon:20 classic_icon:20 svx:20 new_icons:15 png_icon:15 game_list:15 prefs:15 translate_str:12 game_kinds:15
           shell_reader:12 patterns:15 png:15 jpeg:15 gif:15"
  fuzz_one() {
    local parser="$1" seconds="$2" corpus="$dir/corpus/$1"
    mkdir -p "$corpus"
    # New inputs go to the build tree's corpus; the seeds stay as they are.
    if "$dir/fuzz/ludex_fuzz_$parser" -max_total_time="$seconds" -rss_limit_mb=2048 -artifact_prefix="$dir/$parser-" \
        "$corpus" "tests/fuzz_seeds/$parser" >"$dir/$parser.log" 2>&1; then
      echo ok >"$dir/$parser.result"
    else
      echo failed >"$dir/$parser.result"
    fi
  }
  running=0
  for entry in $fuzzers; do
    if [ "$running" -ge "$jobs" ]; then
      wait -n || true
      running=$((running - 1))
    fi
    rm -f "$dir/${entry%%:*}.result"
    fuzz_one "${entry%%:*}" "${entry##*:}" &
    running=$((running + 1))
  done
  wait
  failed=0
  for entry in $fuzzers; do
    parser="${entry%%:*}"
    if [ "$(cat "$dir/$parser.result" 2>/dev/null)" != ok ]; then
      tail -n 60 "$dir/$parser.log"
      echo "fuzzing $parser found a fault (the input is in $dir/)"
      failed=1
    else
      echo "fuzzed $parser: $(grep -o 'Done [0-9]* runs' "$dir/$parser.log" | tail -n 1)"
    fi
  done
  [ "$failed" = 0 ] || exit 1
else
  echo "clang++ not found: fuzzing skipped"
fi
