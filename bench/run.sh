#!/usr/bin/env bash
# Builds and runs the benchmarks and prints their ratios against the targets:
#   search_walk: the search engine against a bare FindFirstFileA/FindNextFileA walk (<= 1.30)
#   md5_file:    TCrMD5.HashFile throughput against the system's md5sum on the same file (>= 0.80)
#   dupfind:     the Duplicate finder's search against fdupes (<= 1.00), jdupes and rdfind (bench/dupfind.sh)
#   drive_cleaner: the main window's Drive cleaner search against the bare engine (<= 1.50)
#   skin_load:   switching the skin manager between "Slate" and "Neutral" against decoding the
#                same picture files with the framework's readers (<= 1.50)
#   file_wiper:  the File wiper's Delete on 256 MiB against the host's shred -n 6 (bench/file_wiper.sh)
#   regex_filter: TSvRegEx checking 100,000 names against five file masks, against the search
#                engine's WildcardMatch of the same masks (<= 5)
#   shell_list:  the shell list view listing 10,000 files in the report style against a bare
#                IShellFolder enumeration with display names (<= 2)
#   attribute_walk: the Attribute manager's Change attribute run on 20,000 files against a bare
#                walk that sets the same attributes and times (<= 1.50)
# VORLET_BUILD_DIR picks the build folder (default build/). Scratch data lives in the sandbox
# prefix (C:\sandbox\) and in build/bench-scratch/, and is removed afterwards. The windowed
# benchmarks need a display: without one the whole run goes under Xvfb.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
build=${VORLET_BUILD_DIR:-$here/build}
export VORLET_BUILD_DIR=$build
"$here/scripts/setup.sh"
"$here/scripts/build.sh" --target bench_search_walk bench_md5_file bench_drive_cleaner \
  bench_skin_load bench_regex_filter bench_shell_list bench_attribute_walk >/dev/null

# The Wine wrapper shows its build tree as Z:, so the md5 scratch file goes there.
scratch=$build/bench-scratch
mkdir -p "$scratch"
data=$scratch/md5_file.bin
trap 'rm -f "$data"; rmdir "$scratch" 2>/dev/null || true' EXIT

echo "== search_walk"
walk=$("$here/scripts/wine-run.sh" "$build/bench_search_walk.exe" | tr -d '\r')
echo "$walk"
walk_ratio=$(sed -n 's/^search_walk ratio: \([0-9.]*\).*/\1/p' <<<"$walk")

echo "== md5_file"
head -c 512M /dev/urandom >"$data"
md5sum "$data" >/dev/null  # warm the page cache
best=
for _ in 1 2 3; do
  start=$(date +%s.%N)
  sum=$(md5sum "$data" | cut -d' ' -f1)
  end=$(date +%s.%N)
  t=$(echo "$end - $start" | bc -l)
  if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
done
sys_rate=$(echo "512 / $best" | bc -l)
printf 'md5sum: 512 MiB in %.3f s, %.1f MiB/s\n' "$best" "$sys_rate"
md5=$("$here/scripts/wine-run.sh" "$build/bench_md5_file.exe" 'Z:\bench-scratch\md5_file.bin' | tr -d '\r')
echo "$md5"
ours=$(sed -n 's/^md5 \([0-9A-F]*\) .*/\1/p' <<<"$md5" | tr 'A-F' 'a-f')
rate=$(sed -n 's/^md5_file: .*, \([0-9.]*\) MiB\/s/\1/p' <<<"$md5")
[ "$ours" = "$sum" ] || { echo "digest differs from md5sum ($ours, $sum)"; exit 1; }
md5_ratio=$(echo "$rate / $sys_rate" | bc -l)

echo "== drive_cleaner"
dc=$("$here/scripts/wine-run.sh" "$build/bench_drive_cleaner.exe" | tr -d '\r')
echo "$dc"
dc_ratio=$(sed -n 's/^drive_cleaner ratio: \([0-9.]*\).*/\1/p' <<<"$dc")

echo "== skin_load"
sl=$("$here/scripts/wine-run.sh" "$build/bench_skin_load.exe" | tr -d '\r')
echo "$sl"
sl_ratio=$(sed -n 's/^skin_load ratio: \([0-9.]*\).*/\1/p' <<<"$sl")

echo "== regex_filter"
rf=$("$here/scripts/wine-run.sh" "$build/bench_regex_filter.exe" | tr -d '\r')
echo "$rf"
rf_ratio=$(sed -n 's/^regex_filter ratio: \([0-9.]*\).*/\1/p' <<<"$rf")

echo "== shell_list"
shl=$("$here/scripts/wine-run.sh" "$build/bench_shell_list.exe" | tr -d '\r')
echo "$shl"
shl_ratio=$(sed -n 's/^shell_list ratio: \([0-9.]*\).*/\1/p' <<<"$shl")
echo "== attribute_walk"
aw=$("$here/scripts/wine-run.sh" "$build/bench_attribute_walk.exe" | tr -d '\r')
echo "$aw"
aw_ratio=$(sed -n 's/^attribute_walk ratio: \([0-9.]*\).*/\1/p' <<<"$aw")

echo "== ratios"
printf 'search_walk: engine / bare walk = %.2f (target <= 1.30) %s\n' "$walk_ratio" \
  "$([ "$(echo "$walk_ratio <= 1.3" | bc -l)" = 1 ] && echo OK || echo MISSED)"
printf 'md5_file:    HashFile / md5sum  = %.2f (target >= 0.80) %s\n' "$md5_ratio" \
  "$([ "$(echo "$md5_ratio >= 0.8" | bc -l)" = 1 ] && echo OK || echo MISSED)"
printf 'drive_cleaner: window / engine = %.2f (target <= 1.50) %s\n' "$dc_ratio" \
  "$([ "$(echo "$dc_ratio <= 1.5" | bc -l)" = 1 ] && echo OK || echo MISSED)"
printf 'skin_load:   switches / decoding = %.2f (target <= 1.50) %s\n' "$sl_ratio" \
  "$([ "$(echo "$sl_ratio <= 1.5" | bc -l)" = 1 ] && echo OK || echo MISSED)"
printf 'regex_filter: matcher / wildcard = %.2f (target <= 5) %s\n' "$rf_ratio" \
  "$([ "$(echo "$rf_ratio <= 5" | bc -l)" = 1 ] && echo OK || echo MISSED)"
printf 'shell_list:  list view / bare = %.2f (target <= 2) %s\n' "$shl_ratio" \
  "$([ "$(echo "$shl_ratio <= 2" | bc -l)" = 1 ] && echo OK || echo MISSED)"
printf 'attribute_walk: tool / bare walk = %.2f (target <= 1.50) %s\n' "$aw_ratio" \
  "$([ "$(echo "$aw_ratio <= 1.5" | bc -l)" = 1 ] && echo OK || echo MISSED)"

echo "== dupfind"
"$here/bench/dupfind.sh"

echo "== file_wiper"
"$here/bench/file_wiper.sh"
