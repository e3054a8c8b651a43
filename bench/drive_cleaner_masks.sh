#!/usr/bin/env bash
# The Drive cleaner's long mask lists: bench_drive_cleaner_masks times the Search button over a
# small tree with 20,000 and with 200,000 enabled masks and prints the time per mask for both and
# "drive_cleaner_masks ratio: <larger / smaller>" (target at most 2.0). Runs under Xvfb when
# there is no display. VORLET_BUILD_DIR picks the build folder (default build/).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
build=${VORLET_BUILD_DIR:-$here/build}
export VORLET_BUILD_DIR=$build
"$here/scripts/build.sh" --target bench_drive_cleaner_masks >/dev/null
"$here/scripts/wine-run.sh" "$build/bench_drive_cleaner_masks.exe" | tr -d '\r'
