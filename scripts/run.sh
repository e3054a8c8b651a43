#!/usr/bin/env bash
# Installs what is missing, builds and starts Vorlet Disk Cleaner under Wine, in a prefix of its
# own under build/run (never the user's ~/.wine). Without a display it runs under Xvfb, saves a
# screenshot to build/screenshot.png and exits after a few seconds.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${VORLET_BUILD_DIR:-$here/build}
export VORLET_BUILD_DIR=$build
"$here/scripts/setup.sh"
"$here/scripts/build.sh" --target VorletDiskCleaner
# The program keeps its settings beside the executable, so it runs from a folder of its own.
app=$build/run/app
mkdir -p "$app"
cp "$build/VorletDiskCleaner.exe" "$app/"
# The skin folders the build drew go beside the program.
rm -rf "$app/Skins"
cp -r "$build/Skins" "$app/Skins"
export VORLET_SANDBOX=$build/run
if [ -n "${DISPLAY:-}" ]; then
  exec "$here/scripts/wine-run.sh" "$app/VorletDiskCleaner.exe"
fi
# shellcheck disable=SC2016  # the inner script gets its values as arguments
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  # The first use of the prefix creates it; a virtual desktop stands in for a window manager.
  "$1" reg add "HKCU\\Software\\Wine\\Explorer" /v Desktop /d Default /f >/dev/null 2>&1
  "$1" reg add "HKCU\\Software\\Wine\\Explorer\\Desktops" /v Default /d 1280x1024 /f >/dev/null 2>&1
  "$1" "$2" & pid=$!
  sleep "${VORLET_SHOT_DELAY:-5}"
  import -window root "$3" || true
  kill $pid 2>/dev/null || true
  WINEPREFIX="$4" wineserver -k 2>/dev/null || true' _ \
  "$here/scripts/wine-run.sh" "$app/VorletDiskCleaner.exe" "$build/screenshot.png" "$build/run/prefix"
echo "screenshot: $build/screenshot.png"
