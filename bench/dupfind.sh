#!/usr/bin/env bash
# The Duplicate finder benchmark, on two trees of 20,000 files each: a large one (1 GiB in all,
# sizes spread, 2,000 duplicate groups of two or three copies, 3,000 pairs of equal size but other
# content, half of them differing only in their last bytes) and one of many small files (200
# bytes to 16 KiB in 2,000 folders, a quarter of them in 2,000 duplicate groups, 500 pairs of equal
# size but other content), as real folders are. On each it times the tool's whole search
# (bench_duplicate_finder, best of three, with where the time went) beside fdupes -r, jdupes -r,
# an rdfind dry run, a plain size + md5sum pass with host tools and the floor under Wine
# (bench_dupfind_floor: the bare Win32 pass without hashing), each best of three with the page
# cache warm; checks that the tool finds the same duplicate sets as fdupes and the same digests
# as md5sum, and prints the ratios tool / fdupes (target <= 1.00), tool / jdupes, tool / rdfind,
# tool / host pass and tool / floor (target <= 0.80).
# fdupes, jdupes and rdfind are only references for this benchmark (no test needs them); they
# are installed with apt-get when missing. VORLET_BUILD_DIR picks the build folder (default
# build/). Runs without a display (under xvfb-run). A scratch folder left by an earlier run is
# removed first.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${VORLET_BUILD_DIR:-$here/build}
"$here/scripts/build.sh" --target bench_duplicate_finder bench_dupfind_floor >/dev/null

missing=()
for tool in fdupes jdupes rdfind; do command -v "$tool" >/dev/null || missing+=("$tool"); done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=$([ "$(id -u)" = 0 ] || echo sudo)
  echo "installing ${missing[*]} (benchmark references)"
  $sudo apt-get install -y "${missing[@]}" >/dev/null ||
    { $sudo apt-get update >/dev/null && $sudo apt-get install -y "${missing[@]}" >/dev/null; }
fi

scratch=$build/bench-scratch/dupfind
rm -rf "$scratch"
mkdir -p "$scratch"
trap 'rm -rf "$scratch"; rmdir "$build/bench-scratch" 2>/dev/null || true' EXIT

# Builds a tree: large or small (see above).
make_tree() {
  python3 - "$1" "$2" <<'PY'
import math, os, random, sys
root, kind = sys.argv[1], sys.argv[2]
rng = random.Random(20261206)
pool = os.urandom(4 << 20)
if kind == "large":
    FILES, GROUPS, PAIRS, FOLDERS, SUBFOLDERS = 20000, 2000, 3000, 40, 5
    LOW, HIGH, TOTAL = 512, 400 << 10, 1 << 30
else:
    FILES, GROUPS, PAIRS, FOLDERS, SUBFOLDERS = 20000, 2000, 500, 50, 40
    LOW, HIGH, TOTAL = 200, 16 << 10, None

def spread():
    return int(math.exp(rng.uniform(math.log(LOW), math.log(HIGH))))

# (size, identity, tail-only difference) per file; an identity is one content.
files, ident = [], 0
for g in range(GROUPS):
    size = spread()
    for _ in range(2 + g % 2):
        files.append([size, ident, False])
    ident += 1
for p in range(PAIRS):
    size = spread()
    for _ in range(2):
        files.append([size, ident, p % 2 == 1])
        ident += 1
while len(files) < FILES:
    files.append([spread(), ident, False])
    ident += 1
if TOTAL:
    scale = TOTAL / sum(f[0] for f in files)
    for f in files:
        f[0] = max(64, min(len(pool) - 64, int(f[0] * scale)))
rng.shuffle(files)
for n, (size, ident, tail_only) in enumerate(files):
    folder = os.path.join(root, "d%02d" % (n % FOLDERS), "s%02d" % (n // FOLDERS % SUBFOLDERS))
    os.makedirs(folder, exist_ok=True)
    mark = ident.to_bytes(8, "little")
    if tail_only:   # the same start for both files of the pair, another end
        start = (size * 7919) % (len(pool) - size)
        data = pool[start:start + size - 8] + mark
    else:
        start = (ident * 104729) % (len(pool) - size)
        data = mark + pool[start:start + size - 8]
    with open(os.path.join(folder, "f%05d.dat" % n), "wb") as out:
        out.write(data)
PY
}

# Best of three runs of a command (stdout to the file given first); prints the seconds.
best_of_three() {
  local out=$1 best='' t start end
  shift
  for _ in 1 2 3; do
    start=$(date +%s.%N)
    "$@" >"$out" 2>/dev/null || true
    end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc -l)
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
  done
  echo "$best"
}

# Host pass over a tree: sizes first, then md5sum of the files whose size is shared, then equal
# digests.
host_pass() {
  find "$1" -type f -printf '%s %p\n' |
    awk '{ n[$1]++; line[NR] = $0; size[NR] = $1 } END { for (i = 1; i <= NR; i++) if (n[size[i]] > 1) print substr(line[i], length(size[i]) + 2) }' |
    xargs -d '\n' md5sum | sort | uniq -w32 -D
}

# The tool's window needs a display.
run_tool() {
  if [ -n "${DISPLAY:-}" ]; then
    "$here/scripts/wine-run.sh" "$@"
  else
    xvfb-run -a -s "-screen 0 1280x1024x24" "$here/scripts/wine-run.sh" "$@"
  fi
}
# Builds the tree of a kind (large or small) in its own folder, times everything on it and prints
# the ratios, each line starting with the label.
measure() {
  local kind=$1 label=$2 work=$scratch/$1 out tool_time floor_time
  local fdupes_time jdupes_time rdfind_time host_time
  mkdir -p "$work/tree"
  make_tree "$work/tree" "$kind"
  echo "$label tree: $(find "$work/tree" -type f | wc -l) files, $(du -sm "$work/tree" | cut -f1) MiB"
  find "$work/tree" -type f -exec cat {} + >/dev/null  # warm the page cache
  fdupes_time=$(best_of_three "$work/fdupes.txt" fdupes -r -q "$work/tree")
  jdupes_time=$(best_of_three "$work/jdupes.txt" jdupes -r -q "$work/tree")
  rdfind_time=$(best_of_three "$work/rdfind.log" rdfind -dryrun true -outputname "$work/rdfind.txt" "$work/tree")
  host_time=$(best_of_three "$work/host.txt" host_pass "$work/tree")
  printf 'fdupes -r:             %.3f s (best of 3)\n' "$fdupes_time"
  printf 'jdupes -r:             %.3f s (best of 3)\n' "$jdupes_time"
  printf 'rdfind dry run:        %.3f s (best of 3)\n' "$rdfind_time"
  printf 'host size+md5sum pass: %.3f s (best of 3)\n' "$host_time"

  out=$("$here/scripts/wine-run.sh" "$build/bench_dupfind_floor.exe" "$work/tree" | tr -d '\r')
  echo "$out"
  floor_time=$(sed -n 's/^dupfind_floor: pass \([0-9.]*\) s.*/\1/p' <<<"$out")
  [ -n "$floor_time" ] || { echo "$label: the bare pass gave no time"; exit 1; }
  out=$(run_tool "$build/bench_duplicate_finder.exe" "$work/tree" "$work/tool.txt" | tr -d '\r')
  echo "$out"
  tool_time=$(sed -n 's/^duplicate_finder: search \([0-9.]*\) s.*/\1/p' <<<"$out")
  [ -n "$tool_time" ] || { echo "$label: the tool gave no time"; exit 1; }

  # The sets of relative names, and the digests, compared.
  python3 - "$work" "$label" <<'PY'
import collections, sys
work, label = sys.argv[1], sys.argv[2]
prefix = work + "/tree/"
def rel(name):
    return name[len(prefix):] if name.startswith(prefix) else name

fdupes, group = set(), []
for line in open(work + "/fdupes.txt").read().split("\n") + [""]:
    if line:
        group.append(rel(line))
    elif group:
        fdupes.add(frozenset(group))
        group = []

tool_digest, by_digest = {}, collections.defaultdict(list)
for line in open(work + "/tool.txt", encoding="utf-8").read().replace("\r", "").splitlines():
    digest, name = line.split("\t", 1)
    name = name.replace("\\", "/")
    tool_digest[name] = digest.lower()
    by_digest[digest].append(name)
tool = {frozenset(names) for names in by_digest.values()}

host = {}
for line in open(work + "/host.txt").read().splitlines():
    digest, name = line.split("  ", 1)
    host[rel(name)] = digest

ok = True
if tool != fdupes:
    ok = False
    print(label + ": the duplicate sets differ from fdupes'")
    for s in sorted(map(sorted, fdupes - tool))[:5]: print("  only fdupes:", " ".join(s))
    for s in sorted(map(sorted, tool - fdupes))[:5]: print("  only the tool:", " ".join(s))
if tool_digest != host:
    ok = False
    print(label + ": the digests differ from md5sum's")
if not ok:
    sys.exit(1)
print(label + ": same %d files in %d sets as fdupes, same digests as md5sum" % (len(tool_digest), len(tool)))
PY

  ratio() { echo "$tool_time / $1" | bc -l; }
  local fd_ratio floor_ratio
  fd_ratio=$(ratio "$fdupes_time")
  printf '%s ratio: %.2f (tool / fdupes; target <= 1.00) %s\n' "$label" "$fd_ratio" \
    "$([ "$(echo "$fd_ratio <= 1.0" | bc -l)" = 1 ] && echo OK || echo MISSED)"
  printf '%s ratio: %.2f (tool / jdupes; stretch)\n' "$label" "$(ratio "$jdupes_time")"
  printf '%s ratio: %.2f (tool / rdfind dry run)\n' "$label" "$(ratio "$rdfind_time")"
  printf '%s ratio: %.2f (tool / host size+md5sum pass)\n' "$label" "$(ratio "$host_time")"
  floor_ratio=$(ratio "$floor_time")
  printf '%s floor ratio: %.2f (tool / bare Win32 pass; target <= 0.80) %s\n' "$label" "$floor_ratio" \
    "$([ "$(echo "$floor_ratio <= 0.8" | bc -l)" = 1 ] && echo OK || echo MISSED)"
  rm -rf "$work"
}

measure large dupfind
measure small "dupfind small files"
