#!/usr/bin/env bash
# Builds and runs the benchmarks, each after the other, and prints their ratios against the
# targets at the end:
#   search_walk: the search engine against a bare FindFirstFileA/FindNextFileA walk (<= 1.30)
#   md5_file:    TCrMD5.HashFile throughput against the system's md5sum on the same file (>= 0.80)
#   drive_cleaner: the main window's Drive cleaner search against the bare engine (<= 1.50)
#   drive_cleaner_masks: the time per mask of a search's preparation with 200,000 masks against
#                the same with 20,000 (<= 2.00)
#   skin_load:   switching the skin manager between "Slate" and "Neutral" against decoding the
#                same picture files with the framework's readers (<= 1.50)
#   skin_switch: Apply in the Settings window switching the main window between "Slate" and
#                "Neutral", each up to the settled window, against decoding the new skin's
#                pictures (<= 1.50); against the floor, decoding plus one full repaint of the
#                settled main window (floor ratio, no target); also the main window's full
#                paints per switch (one)
#   skin_hostile: loading Slate with a gradient of 20,000 stops and a ring of 3,000 PARENTCLASS
#                sections against loading Slate itself (<= 1.50)
#   regex_filter: TSvRegEx checking 100,000 names against five file masks, against the search
#                engine's WildcardMatch of the same masks (<= 5)
#   skin_paint:  a 400x300 skinned face against a bare StretchBlt (<= 3.00), and the faces of a
#                700x500 main window repainted (budget 16 ms)
#   dupfind:     the Duplicate finder's search against fdupes (<= 1.00), jdupes, rdfind and the
#                bare Win32 pass under the same Wine (<= 0.80), on two trees (bench/dupfind.sh)
#   file_wiper:  the File wiper's Delete on 256 MiB against the host's shred -n 6 and the bare
#                Win32 passes under the same Wine (<= 1.10) (bench/file_wiper.sh)
#   skin_form:   the skinned main window resized through 50 sizes against the same with the
#                system frame (<= 3.00)
#   shell_list:  the shell list view listing 10,000 files in the report style against a bare
#                IShellFolder enumeration with display names (<= 2)
#   list_view:   the skinned list view filled with 100,000 rows and paged through by Page Down
#                against the framework's list view (<= 1.50)
#   attribute_walk: the Attribute manager's Change attribute run on 20,000 files against a bare
#                walk that sets the same attributes and times (<= 1.50)
#   startup:     the built program started until its main window shows and is idle, against a
#                bare window program (bench_bare_window) under the same Wine, medians of seven
#                starts each, taken in turn (<= 2.00)
# A benchmark that fails does not stop the others: the failed ones are named at the end and the
# exit code is then 1. VORLET_BUILD_DIR picks the build folder (default build/). Scratch data
# lives in the sandbox prefix (C:\sandbox\) and in build/bench-scratch/, and is removed
# afterwards. The windowed benchmarks need a display: without one the whole run goes under Xvfb.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
build=${VORLET_BUILD_DIR:-$here/build}
export VORLET_BUILD_DIR=$build
"$here/scripts/setup.sh"

# The Wine wrapper shows its build tree as Z:, so the md5 scratch file goes there.
scratch=$build/bench-scratch
mkdir -p "$scratch"
data=$scratch/md5_file.bin
log=$scratch/run.log
: >"$log"
trap 'rm -f "$data" "$log"; rmdir "$scratch" 2>/dev/null || true' EXIT

# Builds the benchmark program bench_<name> and runs it under the Wine wrapper.
wine_bench() {
  "$here/scripts/build.sh" --target "bench_$1" >/dev/null &&
    "$here/scripts/wine-run.sh" "$build/bench_$1.exe" "${@:2}"
}

# md5sum on 512 MiB of random data (best of three, page cache warm), then md5_file on the same
# file; both digests must agree.
md5_file() {
  local best='' t start end sum out ours rate sys_rate
  head -c 512M /dev/urandom >"$data" || return 1
  md5sum "$data" >/dev/null  # warm the page cache
  for _ in 1 2 3; do
    start=$(date +%s.%N)
    sum=$(md5sum "$data" | cut -d' ' -f1)
    end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc -l)
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
  done
  sys_rate=$(echo "512 / $best" | bc -l)
  printf 'md5sum: 512 MiB in %.3f s, %.1f MiB/s\n' "$best" "$sys_rate"
  out=$(wine_bench md5_file 'Z:\bench-scratch\md5_file.bin' | tr -d '\r') || return 1
  rm -f "$data"
  echo "$out"
  ours=$(sed -n 's/^md5 \([0-9A-F]*\) .*/\1/p' <<<"$out" | tr 'A-F' 'a-f')
  rate=$(sed -n 's/^md5_file: .*, \([0-9.]*\) MiB\/s/\1/p' <<<"$out")
  [ "$ours" = "$sum" ] || { echo "digest differs from md5sum ($ours, $sum)"; return 1; }
  printf 'md5_file ratio: %.2f (HashFile / md5sum; target >= 0.80)\n' "$(echo "$rate / $sys_rate" | bc -l)"
}

failed=()
# Runs one benchmark (its name, then the command): shows its output and keeps it for the
# ratios at the end. When it fails, it is noted and the next one runs.
run() {
  local name=$1
  shift
  echo "== $name"
  "$@" 2>&1 | tr -d '\r' | tee -a "$log" || failed+=("$name")
}

run search_walk wine_bench search_walk
run md5_file md5_file
run drive_cleaner wine_bench drive_cleaner
run drive_cleaner_masks wine_bench drive_cleaner_masks
run startup wine_bench startup
run skin_load wine_bench skin_load
run skin_switch wine_bench skin_switch
run skin_hostile wine_bench skin_hostile
run regex_filter wine_bench regex_filter
run shell_list wine_bench shell_list
run skin_paint wine_bench skin_paint
run attribute_walk wine_bench attribute_walk
run skin_form wine_bench skin_form
run list_view wine_bench list_view
run dupfind "$here/bench/dupfind.sh"
run file_wiper "$here/bench/file_wiper.sh"

# Every ratio line, with OK or MISSED against the target it names (where it does not say so).
echo "== ratios"
awk '/ ratio: [0-9.]+/ {
  verdict = ""
  if ($NF != "OK" && $NF != "MISSED" && match($0, /target (<=|>=) [0-9.]+/)) {
    split(substr($0, RSTART, RLENGTH), target, " ")
    value = $0
    sub(/.* ratio: /, "", value)
    value += 0
    ok = target[2] == "<=" ? value <= target[3] + 0 : value >= target[3] + 0
    verdict = ok ? " OK" : " MISSED"
  }
  print $0 verdict
}' "$log"
if [ ${#failed[@]} -gt 0 ]; then
  echo "failed: ${failed[*]}"
  exit 1
fi
