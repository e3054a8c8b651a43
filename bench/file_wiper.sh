#!/usr/bin/env bash
# The File wiper benchmark: bench_file_wiper times the tool's Delete on a 256 MiB file against
# the host's "shred -n 6 --remove=unlink" on another one in the same folder (best of three,
# fresh files each round) and prints "file_wiper ratio: <tool / shred>" (target at most 1.5).
# Installs shred (coreutils) when it is missing, and runs under Xvfb when there is no display.
# VORLET_BUILD_DIR picks the build folder (default build/).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
build=${VORLET_BUILD_DIR:-$here/build}
export VORLET_BUILD_DIR=$build
if [ ! -x /usr/bin/shred ]; then
  sudo=()
  [ "$(id -u)" = 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get install -y coreutils >/dev/null
fi
"$here/scripts/build.sh" --target bench_file_wiper >/dev/null

# C:\sandbox\bench_file_wiper\ on the host; the program removes it itself, this catches the rest.
scratch=${VORLET_SANDBOX:-$build/sandbox}/prefix/drive_c/sandbox/bench_file_wiper
rm -rf -- "$scratch"
trap 'rm -rf -- "$scratch"' EXIT
"$here/scripts/wine-run.sh" "$build/bench_file_wiper.exe" | tr -d '\r'
