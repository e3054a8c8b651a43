#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test Vorlet Disk Cleaner, then
# cross-builds libjpeg and GoogleTest into the build tree. Idempotent, and quiet when everything
# is already there. Each long step says what it does; a failed step is named with the command's
# own error, and the script exits non-zero.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
# The cross-built libraries are shared by every build folder (VORLET_DEPS_DIR overrides it).
deps=${VORLET_DEPS_DIR:-$here/build/deps}
log=$(mktemp)
trap 'rm -f "$log"' EXIT
export DEBIAN_FRONTEND=noninteractive

say() { echo "setup: $*"; }
# step "what" command...: runs the command with its output kept aside; on failure names the step,
# shows the command's last lines and stops.
step() {
  local what=$1; shift
  if ! "$@" >"$log" 2>&1; then
    say "FAILED: $what"
    say "command: $*"
    tail -n 25 "$log" | sed 's/^/  /'
    exit 1
  fi
}
as_root() {
  if [ "$(id -u)" = 0 ]; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    say "FAILED: installing needs root: run this as root or install sudo"
    exit 1
  fi
}

# Each package with a program it must provide ("-" where it is checked by its status alone).
packages=(
  g++-mingw-w64-i686:i686-w64-mingw32-g++-posix
  gcc-mingw-w64-i686:i686-w64-mingw32-gcc-posix
  binutils-mingw-w64-i686:i686-w64-mingw32-windres
  wine:wine
  wine32:i386:-
  wine64:-
  fonts-wine:-
  xvfb:xvfb-run
  xauth:xauth
  cmake:cmake
  make:make
  googletest:-
  dpkg-dev:dpkg-source
  imagemagick:import
  procps:pgrep
  bc:bc
  python3:python3
  libjpeg-turbo-progs:cjpeg
  shellcheck:shellcheck
)
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

if ! dpkg --print-foreign-architectures 2>/dev/null | grep -qx i386; then
  say "adding the i386 architecture (for 32-bit Wine)"
  step "adding the i386 architecture" as_root dpkg --add-architecture i386
fi
missing=() broken=()
for entry in "${packages[@]}"; do
  pkg=${entry%:*} tool=${entry##*:}
  if ! installed "$pkg"; then
    missing+=("$pkg")
  elif [ "$tool" != - ] && ! command -v "$tool" >/dev/null; then
    broken+=("$pkg")  # listed as installed, but its program is gone
  fi
done

# libjpeg comes from Debian's source package, which needs a deb-src entry.
need_src=0
if [ ! -f "$deps/libjpeg/lib/libjpeg.a" ] && ! ls "$deps"/src/libjpeg-turbo-*/CMakeLists.txt >/dev/null 2>&1; then
  need_src=1
fi
update=0
if [ $need_src = 1 ] && ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ &&
   ! grep -qs '^deb-src' /etc/apt/sources.list; then
  say "adding Debian's source packages to apt's sources (for libjpeg-turbo)"
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    step "adding deb-src" as_root sed -i 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources
  else
    echo "deb-src http://deb.debian.org/debian bookworm main" >"$log.src"
    step "adding deb-src" as_root cp "$log.src" /etc/apt/sources.list.d/vorlet-src.list
    rm -f "$log.src"
  fi
  update=1
fi
if [ ${#missing[@]} -gt 0 ] || [ ${#broken[@]} -gt 0 ] || [ $update = 1 ]; then
  say "updating apt's package lists"
  step "apt-get update" as_root apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
  say "installing ${missing[*]} (a few minutes, once)"
  step "installing packages" as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ ${#broken[@]} -gt 0 ]; then
  say "reinstalling ${broken[*]} (a program of theirs is missing)"
  step "reinstalling packages" as_root apt-get install -y -qq --reinstall "${broken[@]}"
fi

jobs=$(nproc)
plain=$here/cmake/mingw-i686-plain.cmake

# libjpeg-turbo from Debian's source package, static, no SIMD.
if [ ! -f "$deps/libjpeg/lib/libjpeg.a" ]; then
  say "building libjpeg-turbo for 32-bit Windows (once)"
  mkdir -p "$deps/src"
  if ! ls -d "$deps"/src/libjpeg-turbo-*/ >/dev/null 2>&1; then
    fetch_source() (
      cd "$deps/src" && apt-get source -qq --download-only libjpeg-turbo &&
        dpkg-source -x --no-check libjpeg-turbo_*.dsc
    )
    step "fetching the libjpeg-turbo source package" fetch_source
  fi
  srcs=("$deps"/src/libjpeg-turbo-*/)
  src=${srcs[0]}
  step "configuring libjpeg-turbo" cmake -S "$src" -B "$deps/build-jpeg" -DCMAKE_TOOLCHAIN_FILE="$plain" \
    -DCMAKE_BUILD_TYPE=Release -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=0 -DWITH_TURBOJPEG=OFF \
    -DWITH_JAVA=OFF -DCMAKE_INSTALL_PREFIX="$deps/libjpeg" -DCMAKE_INSTALL_LIBDIR=lib
  step "building libjpeg-turbo" cmake --build "$deps/build-jpeg" -j"$jobs" --target jpeg-static
  mkdir -p "$deps/libjpeg/lib" "$deps/libjpeg/include"
  cp "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" "$deps/build-jpeg/jconfig.h" "$deps/libjpeg/include/"
  cp "$deps/build-jpeg/libjpeg.a" "$deps/libjpeg/lib/"
fi

# GoogleTest from Debian's source tree, cross-built.
if [ ! -f "$deps/gtest/lib/libgtest.a" ]; then
  say "building GoogleTest for 32-bit Windows (once)"
  step "configuring GoogleTest" cmake -S /usr/src/googletest -B "$deps/build-gtest" -DCMAKE_TOOLCHAIN_FILE="$plain" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=OFF \
    -DCMAKE_INSTALL_PREFIX="$deps/gtest" -DCMAKE_INSTALL_LIBDIR=lib
  step "building GoogleTest" cmake --build "$deps/build-gtest" -j"$jobs"
  step "installing GoogleTest into the build tree" cmake --install "$deps/build-gtest"
fi
