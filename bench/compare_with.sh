#!/usr/bin/env bash
# Compares the list benchmarks of the working tree (ludex_list_update_bench,
# ludex_main_window_bench) built against the libraries of revision REV and
# against the working tree's own libraries, both Release.
#
#   bench/compare_with.sh REV [PAIRS]
#   bench/compare_with.sh --report REV   (the table again, from the last runs)
#
# The two sides run alternately, PAIRS times each (3 by default; the side
# that starts changes from pair to pair). Each run prints the median of its
# rounds per step; the table gives, per step, the median of those medians on
# each side and their ratio (working tree / REV): below 1 the working tree is
# faster. The last column is the median of the ratios of the pairs, each of
# two runs one after the other: on a machine whose load comes and goes, it
# moves less than the ratio of the medians. The benchmarks' plain baselines are in the table too: the plain
# array and std::string ones do the same work on both sides (the array ones
# through each side's column comparison), so their ratios show how far the
# noise of the machine goes; the NList refill runs each side's list class.
#
# Environment: BUILD the build tree to work under (default build-bench of
# the working tree), ROWS (100000) and ROUNDS (10) for both benchmarks, CPU
# the processor every run is held to (default the last one; "any" lets the
# system move them): a run moved between processors meanwhile finds its
# memory in another's caches, which on a shared machine makes whole runs
# slower by a third.
# Everything is made under $BUILD/compare: REV's sources (taken out with git
# archive, the working tree's benchmark sources put in their bench folder),
# REV's build, the working tree's build, and the output of every run.
set -euo pipefail

report_only=
if [ "${1:-}" = --report ]; then
  report_only=1
  shift
fi
if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  echo "usage: $0 REV [PAIRS] | $0 --report REV" >&2
  exit 2
fi
top=$(cd "$(dirname "$0")/.." && pwd)
rev=$1
pairs=${2:-3}
[ "$pairs" -ge 1 ] 2>/dev/null || { echo "PAIRS must be a number of at least 1" >&2; exit 2; }
rows=${ROWS:-100000}
rounds=${ROUNDS:-10}
jobs=${LUDEX_JOBS:-4}
cpu=${CPU:-$(($(nproc) - 1))}
pin=()
if [ "$cpu" != any ] && command -v taskset >/dev/null 2>&1; then pin=(taskset -c "$cpu"); fi
build=${BUILD:-$top/build-bench}
case "$build" in /*) ;; *) build=$top/$build ;; esac
sha=$(git -C "$top" rev-parse --verify "$rev^{commit}")
short=$(git -C "$top" rev-parse --short "$sha")
base=$build/compare
revsrc=$base/src-$short
revbuild=$base/build-$short
workbuild=$base/build-work
runs=$base/runs-$short
benches="ludex_list_update_bench ludex_main_window_bench"

# Per step: the median of the runs' medians on each side, and their ratio.
report() {
  local pairs rows rounds
  read -r pairs rows rounds <"$runs/settings"
  for bench in $benches; do
    echo
    echo "$bench $rows $rounds: median of $pairs runs' medians a side, processor ms"
    printf '  %-44s %9s %9s %7s %7s\n' "" "$short" "working" "ratio" "pairs"
    for side in rev work; do
      for f in "$runs/$bench-$side"-*.txt; do
        pair=${f##*-}
        awk -v side=$side -v pair="${pair%.txt}" '
          / \([0-9]+ rounds\) +median +best +worst$/ { table = $0; sub(/ \([0-9]+ rounds\).*/, "", table); next }
          table != "" && /^  .* +[0-9.]+ +[0-9.]+ +[0-9.]+ ms$/ {
            step = $0; sub(/^  /, "", step); sub(/ +[0-9.]+ +[0-9.]+ +[0-9.]+ ms$/, "", step)
            printf "%s\t%s\t%s\t%s\t%s\n", side, table, step, $(NF - 3), pair
            next
          }
          { table = "" }' "$f"
      done
    done | awk -F '\t' '
      function median(list, n,    v, i, j, t) {
        n = split(list, v, " ")
        for (i = 2; i <= n; ++i)
          for (j = i; j > 1 && v[j - 1] + 0 > v[j] + 0; --j) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
        return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
      }
      {
        key = $2 SUBSEP $3
        if (!(key in seen)) { seen[key] = 1; order[++count] = key }
        times[$1, key] = times[$1, key] " " $4
        at[$1, key, $5] = $4
        if ($5 > pairs) pairs = $5
      }
      END {
        for (k = 1; k <= count; ++k) {
          split(order[k], part, SUBSEP)
          if (part[1] != table) { table = part[1]; print table }
          r = median(times["rev", order[k]]); w = median(times["work", order[k]])
          ratio = r > 0 ? sprintf("%.2f", w / r) : "-"
          # The two runs of a pair ran one after the other: their ratio
          # leaves out a load on the machine that came and went meanwhile.
          ratios = ""
          for (p = 1; p <= pairs; ++p)
            if ((("rev", order[k], p) in at) && at["rev", order[k], p] > 0)
              ratios = ratios " " at["work", order[k], p] / at["rev", order[k], p]
          paired = ratios == "" ? "-" : sprintf("%.2f", median(ratios))
          printf "    %-42s %9.1f %9.1f %7s %7s\n", part[2], r, w, ratio, paired
        }
      }'
  done
  echo
  echo "runs: $runs"
}

if [ -n "$report_only" ]; then
  [ -f "$runs/settings" ] || { echo "no runs against $short in $runs" >&2; exit 1; }
  report
  exit 0
fi

# REV's sources, once.
if [ ! -f "$revsrc/.complete" ]; then
  rm -rf "$revsrc"
  mkdir -p "$revsrc"
  git -C "$top" archive "$sha" | tar -x -C "$revsrc"
  touch "$revsrc/.complete"
fi

# The working tree's benchmark sources in REV's bench folder, with only the
# two targets. A file is copied only when it differs, so an unchanged
# benchmark is not compiled again.
mkdir -p "$revsrc/bench"
find "$revsrc/bench" -maxdepth 1 -type f ! -name CMakeLists.txt ! -name '*.h' ! -name list_update_bench.cpp \
  ! -name main_window_bench.cpp -delete
for f in "$top"/bench/*.h "$top"/bench/list_update_bench.cpp "$top"/bench/main_window_bench.cpp; do
  cmp -s "$f" "$revsrc/bench/${f##*/}" || cp "$f" "$revsrc/bench/"
done
lists='add_executable(ludex_list_update_bench list_update_bench.cpp)
target_link_libraries(ludex_list_update_bench PRIVATE ludex_gui_mui)
add_executable(ludex_main_window_bench main_window_bench.cpp)
target_link_libraries(ludex_main_window_bench PRIVATE ludex_app)'
[ "$(cat "$revsrc/bench/CMakeLists.txt" 2>/dev/null)" = "$lists" ] || printf '%s\n' "$lists" >"$revsrc/bench/CMakeLists.txt"

echo "== building against $short (in $revbuild) and the working tree (in $workbuild) =="
for side in rev work; do
  if [ "$side" = rev ]; then src=$revsrc dir=$revbuild; else src=$top dir=$workbuild; fi
  cmake -S "$src" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DLUDEX_SANITIZE=OFF >/dev/null
  # shellcheck disable=SC2086
  cmake --build "$dir" -j"$jobs" --target $benches >"$dir/bench-build.log" 2>&1 || {
    tail -40 "$dir/bench-build.log" >&2
    echo "building the benchmarks against $side failed (log: $dir/bench-build.log)" >&2
    exit 1
  }
done

rm -rf "$runs"
mkdir -p "$runs"
for ((i = 1; i <= pairs; ++i)); do
  order="rev work"
  [ $((i % 2)) -eq 0 ] && order="work rev"
  for bench in $benches; do
    for side in $order; do
      if [ "$side" = rev ]; then dir=$revbuild; else dir=$workbuild; fi
      echo "pair $i/$pairs: $bench against $([ "$side" = rev ] && echo "$short" || echo "the working tree")" >&2
      "${pin[@]}" "$dir/bench/$bench" "$rows" "$rounds" >"$runs/$bench-$side-$i.txt"
    done
  done
done
echo "$pairs $rows $rounds" >"$runs/settings"

report
