#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's sandboxed prefix, never the user's:
#   HOME and XDG_DATA_HOME point into the sandbox (the recycle bin is the XDG trash),
#   Z: points at the build tree instead of /, and one wineserver serves the whole run.
# Used as CMAKE_CROSSCOMPILING_EMULATOR, so CTest runs every test executable through it.
# VORLET_BUILD_DIR picks the build folder (default: build/), VORLET_SANDBOX the sandbox folder
# (default: <build>/sandbox).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${VORLET_BUILD_DIR:-$here/build}
sandbox=${VORLET_SANDBOX:-$build/sandbox}
mkdir -p "$sandbox/home" "$sandbox/xdg/Trash/files" "$sandbox/xdg/Trash/info"
sandbox=$(cd "$sandbox" && pwd)

export HOME=$sandbox/home
export XDG_DATA_HOME=$sandbox/xdg
export XDG_CONFIG_HOME=$sandbox/home/.config
export XDG_CACHE_HOME=$sandbox/home/.cache
export WINEPREFIX=$sandbox/prefix
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Create the prefix once; parallel tests wait for the first one.
exec 9>"$sandbox/.prefix.lock"
flock 9
if [ ! -f "$WINEPREFIX/.vorlet-ready" ]; then
  rm -rf "$WINEPREFIX"
  wineboot -i </dev/null >/dev/null 2>&1 9>&- || true
  wineserver -w
  # Desktop, Documents and the rest must not link to any real home folder.
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$link" ]; then
      target=$(readlink "$link")
      case "$target" in "$sandbox"/*) ;; *) rm -f "$link"; mkdir -p "$link" ;; esac
    fi
  done
  ln -sfn "$build" "$WINEPREFIX/dosdevices/z:"
  mkdir -p "$WINEPREFIX/drive_c/sandbox"
  touch "$WINEPREFIX/.vorlet-ready"
fi
# Unmanaged windows: without a window manager, hiding a managed window waits ~2 s.
if [ ! -f "$WINEPREFIX/.vorlet-unmanaged" ]; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 9>&- || true
  touch "$WINEPREFIX/.vorlet-unmanaged"
fi
# Wine looks for its own fonts (Marlett draws the caption buttons) beside the prefix's, not in
# the folder Debian's fonts-wine fills: give the prefix a copy.
if [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ] && [ -f /usr/share/wine/fonts/marlett.ttf ]; then
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
fi
# Never let z: lead back to the host's root.
[ "$(readlink "$WINEPREFIX/dosdevices/z:")" = "$build" ] || ln -sfn "$build" "$WINEPREFIX/dosdevices/z:"
# Windows programs see the sandbox folder (its trash, and the home the user folders lead to)
# through Z: when it lies in the build tree; one elsewhere gets a drive of its own, Y:.
case "$sandbox/" in
  "$build"/*) sandbox_drive="Z:/${sandbox#"$build"/}" ;;
  *)
    sandbox_drive=Y:
    [ "$(readlink "$WINEPREFIX/dosdevices/y:")" = "$sandbox" ] || ln -sfn "$sandbox" "$WINEPREFIX/dosdevices/y:"
    ;;
esac
# Started detached from our output, so CTest is not left waiting on its pipes.
wineserver -p </dev/null >/dev/null 2>&1 9>&- || true
# Wine's own services outlive the program; start them here, detached from our output, or they
# would inherit the test's pipes and CTest would wait for them forever.
services_running() {
  local pid
  for pid in $(pgrep -f 'system32.services\.exe'); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}
if ! services_running; then
  wineboot </dev/null >/dev/null 2>&1 9>&- || true
fi
flock -u 9
exec 9>&-

# The trash folder as Windows sees it, for the recycle-bin tests.
trash="$sandbox_drive/xdg/Trash/files"
export VORLET_SANDBOX_TRASH=${trash//\//\\}
exec wine "$@"
