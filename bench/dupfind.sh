#!/usr/bin/env bash
# The Duplicate finder benchmark: builds a tree of 20,000 files (1 GiB in all, sizes spread,
# 2,000 duplicate groups of two or three copies, 3,000 pairs of equal size but other content,
# half of them differing only in their last bytes), times the tool's whole search on it
# (bench_duplicate_finder, best of three, with where the time went) beside fdupes -r, jdupes -r,
# an rdfind dry run and a plain size + md5sum pass with host tools (each best of three, page
# cache warm), checks that the tool finds the same duplicate sets as fdupes and the same digests
# as md5sum, and prints the ratios tool / fdupes (target <= 1.00), tool / jdupes and tool / host
# pass.
# fdupes, jdupes and rdfind are only references for this benchmark (no test needs them); they
# are installed with apt-get when missing. VORLET_BUILD_DIR picks the build folder (default
# build/). Runs without a display (under xvfb-run). A scratch folder left by an earlier run is
# removed first.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${VORLET_BUILD_DIR:-$here/build}
"$here/scripts/build.sh" --target bench_duplicate_finder >/dev/null

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
mkdir -p "$scratch/tree"
trap 'rm -rf "$scratch"; rmdir "$build/bench-scratch" 2>/dev/null || true' EXIT

python3 - "$scratch/tree" <<'PY'
import math, os, random, sys
root = sys.argv[1]
rng = random.Random(20261206)
pool = os.urandom(4 << 20)
TOTAL, FILES, GROUPS, PAIRS = 1 << 30, 20000, 2000, 3000

def spread():
    return int(math.exp(rng.uniform(math.log(512), math.log(400 << 10))))

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
scale = TOTAL / sum(f[0] for f in files)
for f in files:
    f[0] = max(64, min(len(pool) - 64, int(f[0] * scale)))
rng.shuffle(files)
for n, (size, ident, tail_only) in enumerate(files):
    folder = os.path.join(root, "d%02d" % (n % 40), "s%02d" % (n // 40 % 5))
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
echo "tree: $(find "$scratch/tree" -type f | wc -l) files, $(du -sm "$scratch/tree" | cut -f1) MiB"

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

# Host pass: sizes first, then md5sum of the files whose size is shared, then equal digests.
host_pass() {
  find "$scratch/tree" -type f -printf '%s %p\n' |
    awk '{ n[$1]++; line[NR] = $0; size[NR] = $1 } END { for (i = 1; i <= NR; i++) if (n[size[i]] > 1) print substr(line[i], length(size[i]) + 2) }' |
    xargs -d '\n' md5sum | sort | uniq -w32 -D
}

cat "$scratch"/tree/*/*/* >/dev/null  # warm the page cache
fdupes_time=$(best_of_three "$scratch/fdupes.txt" fdupes -r -q "$scratch/tree")
jdupes_time=$(best_of_three "$scratch/jdupes.txt" jdupes -r -q "$scratch/tree")
rdfind_time=$(best_of_three "$scratch/rdfind.log" rdfind -dryrun true -outputname "$scratch/rdfind.txt" "$scratch/tree")
host_time=$(best_of_three "$scratch/host.txt" host_pass)
printf 'fdupes -r:             %.3f s (best of 3)\n' "$fdupes_time"
printf 'jdupes -r:             %.3f s (best of 3)\n' "$jdupes_time"
printf 'rdfind dry run:        %.3f s (best of 3)\n' "$rdfind_time"
printf 'host size+md5sum pass: %.3f s (best of 3)\n' "$host_time"

# The tool's window needs a display.
run_tool() {
  if [ -n "${DISPLAY:-}" ]; then
    "$here/scripts/wine-run.sh" "$@"
  else
    xvfb-run -a -s "-screen 0 1280x1024x24" "$here/scripts/wine-run.sh" "$@"
  fi
}
out=$(run_tool "$build/bench_duplicate_finder.exe" "$scratch/tree" "$scratch/tool.txt" | tr -d '\r')
echo "$out"
tool_time=$(sed -n 's/^duplicate_finder: search \([0-9.]*\) s.*/\1/p' <<<"$out")
[ -n "$tool_time" ] || { echo "dupfind: the tool gave no time"; exit 1; }

# The sets of relative names, and the digests, compared.
python3 - "$scratch" <<'PY'
import collections, sys
scratch = sys.argv[1]
prefix = scratch + "/tree/"
def rel(name):
    return name[len(prefix):] if name.startswith(prefix) else name

fdupes, group = set(), []
for line in open(scratch + "/fdupes.txt").read().split("\n") + [""]:
    if line:
        group.append(rel(line))
    elif group:
        fdupes.add(frozenset(group))
        group = []

tool_digest, by_digest = {}, collections.defaultdict(list)
for line in open(scratch + "/tool.txt", encoding="utf-8").read().replace("\r", "").splitlines():
    digest, name = line.split("\t", 1)
    name = name.replace("\\", "/")
    tool_digest[name] = digest.lower()
    by_digest[digest].append(name)
tool = {frozenset(names) for names in by_digest.values()}

host = {}
for line in open(scratch + "/host.txt").read().splitlines():
    digest, name = line.split("  ", 1)
    host[rel(name)] = digest

ok = True
if tool != fdupes:
    ok = False
    print("dupfind: the duplicate sets differ from fdupes'")
    for s in sorted(map(sorted, fdupes - tool))[:5]: print("  only fdupes:", " ".join(s))
    for s in sorted(map(sorted, tool - fdupes))[:5]: print("  only the tool:", " ".join(s))
if tool_digest != host:
    ok = False
    print("dupfind: the digests differ from md5sum's")
if not ok:
    sys.exit(1)
print("dupfind: same %d files in %d sets as fdupes, same digests as md5sum" % (len(tool_digest), len(tool)))
PY

ratio() { echo "$tool_time / $1" | bc -l; }
fd_ratio=$(ratio "$fdupes_time")
printf 'dupfind ratio: %.2f (tool / fdupes; target <= 1.00) %s\n' "$fd_ratio" \
  "$([ "$(echo "$fd_ratio <= 1.0" | bc -l)" = 1 ] && echo OK || echo MISSED)"
printf 'dupfind ratio: %.2f (tool / jdupes; stretch)\n' "$(ratio "$jdupes_time")"
printf 'dupfind ratio: %.2f (tool / rdfind dry run)\n' "$(ratio "$rdfind_time")"
printf 'dupfind ratio: %.2f (tool / host size+md5sum pass)\n' "$(ratio "$host_time")"
