#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test under Wine and Xvfb.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${VORLET_BUILD_DIR:-$here/build}
# The Wine wrapper that CTest runs each test program through finds the build folder here.
export VORLET_BUILD_DIR=$build
"$here/scripts/setup.sh"
"$here/scripts/build.sh"
status=0
# One test program at a time: under Wine every window shares one desktop, so parallel GUI tests
# would take focus and the foreground from each other.
( cd "$build" && xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --output-on-failure "$@" ) || status=$?
WINEPREFIX=$build/sandbox/prefix wineserver -k 2>/dev/null || true
exit $status
