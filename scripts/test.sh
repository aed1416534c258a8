#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a normal
# build, and one with AddressSanitizer and UndefinedBehaviorSanitizer.
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
