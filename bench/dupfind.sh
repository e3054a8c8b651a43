#!/usr/bin/env bash
# The Duplicate finder benchmark: builds a tree of 20,000 files (1 GiB in all, sizes spread,
# 2,000 duplicate groups of two or three copies, 3,000 pairs of equal size but other content,
# half of them differing only in their last bytes), times the tool's whole search on it
# (bench_duplicate_finder, best of three) against a plain size + md5sum pass with host tools
# (best of three), checks that both find the same duplicate sets with the same digests, and
# prints "dupfind ratio: <tool / host pass>".
# fdupes and jdupes are not installed on this machine and are not to be installed, so the host
# pass stands in for them as the reference.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${VORLET_BUILD_DIR:-$here/build}
"$here/scripts/build.sh" --target bench_duplicate_finder >/dev/null

# The Wine wrapper shows its build tree as Z:, so the tree goes there.
ztree=${VORLET_BUILD:-$here/build}
scratch=$ztree/bench-scratch/dupfind
rm -rf "$scratch"
mkdir -p "$scratch/tree"
trap 'rm -rf "$scratch"; rmdir "$ztree/bench-scratch" 2>/dev/null || true' EXIT

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

# Host pass: sizes first, then md5sum of the files whose size is shared, then equal digests.
host_pass() {
  find "$scratch/tree" -type f -printf '%s %p\n' |
    awk '{ n[$1]++; line[NR] = $0; size[NR] = $1 } END { for (i = 1; i <= NR; i++) if (n[size[i]] > 1) print substr(line[i], length(size[i]) + 2) }' |
    xargs -d '\n' md5sum | sort | uniq -w32 -D
}
best=
for _ in 1 2 3; do
  start=$(date +%s.%N)
  host_pass >"$scratch/host.txt"
  end=$(date +%s.%N)
  t=$(echo "$end - $start" | bc -l)
  if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
done
printf 'host size+md5sum pass: %.3f s (best of 3)\n' "$best"

out=$("$here/scripts/wine-run.sh" "$build/bench_duplicate_finder.exe" 'Z:\bench-scratch\dupfind\tree' \
  'Z:\bench-scratch\dupfind\tool.txt' | tr -d '\r')
echo "$out"
tool_time=$(sed -n 's/^duplicate_finder: search \([0-9.]*\) s.*/\1/p' <<<"$out")

# Both lists as "digest relative/path", sorted.
sed "s|^\([0-9a-f]*\)  $scratch/tree/|\1 |" "$scratch/host.txt" | sort >"$scratch/host.sets"
tr -d '\r' <"$scratch/tool.txt" | sed 's|\t[A-Za-z]:\\bench-scratch\\dupfind\\tree\\| |; s|\\|/|g' |
  awk '{ print tolower($1) " " $2 }' | sort >"$scratch/tool.sets"
if ! cmp -s "$scratch/host.sets" "$scratch/tool.sets"; then
  echo "dupfind: the duplicate sets differ"
  diff "$scratch/host.sets" "$scratch/tool.sets" | head -20
  exit 1
fi
echo "dupfind: same $(wc -l <"$scratch/tool.sets") files in $(cut -d' ' -f1 "$scratch/tool.sets" | uniq | wc -l) sets"
printf 'dupfind ratio: %.2f (tool / host size+md5sum pass; fdupes and jdupes not installed)\n' \
  "$(echo "$tool_time / $best" | bc -l)"
