#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test under Wine and Xvfb.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$here/build
"$here/scripts/setup.sh"
"$here/scripts/build.sh"
status=0
( cd "$build" && xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --output-on-failure -j"$(nproc)" "$@" ) || status=$?
WINEPREFIX=$build/sandbox/prefix wineserver -k 2>/dev/null || true
exit $status
