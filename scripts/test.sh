#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a normal
# build, and one with AddressSanitizer and UndefinedBehaviorSanitizer; then
# runs each file parser's fuzzer for a short while on its seeds (with clang;
# LUDEX_SKIP_FUZZ=1 leaves the fuzzing out).
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
  for parser in ilbm colour_icon classic_icon svx new_icons png_icon; do
    corpus="$dir/corpus/$parser"
    mkdir -p "$corpus"
    # New inputs go to the build tree's corpus; the seeds stay as they are.
    if ! "$dir/fuzz/ludex_fuzz_$parser" -max_total_time=20 -rss_limit_mb=2048 -artifact_prefix="$dir/" \
        "$corpus" "tests/fuzz_seeds/$parser" >"$dir/$parser.log" 2>&1; then
      tail -n 60 "$dir/$parser.log"
      echo "fuzzing $parser found a fault (the input is in $dir/)"
      exit 1
    fi
    echo "fuzzed $parser: $(grep -o 'Done [0-9]* runs' "$dir/$parser.log" | tail -n 1)"
  done
else
  echo "clang++ not found: fuzzing skipped"
fi
