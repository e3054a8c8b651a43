#!/usr/bin/env bash
# Runs the skin generator twice into scratch folders and fails unless every file is the same.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
python3 "$here/tools/skingen/skingen.py" "$scratch/a"
python3 "$here/tools/skingen/skingen.py" "$scratch/b"
diff -r "$scratch/a" "$scratch/b"
count=$(find "$scratch/a" -type f | wc -l)
[ "$count" -ge 12 ] || { echo "only $count files written"; exit 1; }
echo "skingen reproducible: $count files identical"
