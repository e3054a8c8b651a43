#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test Vorlet Disk Cleaner,
# then cross-builds libjpeg and GoogleTest into the build tree. Idempotent and quiet
# when everything is already there.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
deps=$build/deps
export DEBIAN_FRONTEND=noninteractive

sudo_() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

packages=(g++-mingw-w64-i686 wine wine32:i386 wine64 xvfb xauth cmake googletest make
          dpkg-dev imagemagick)
missing=()
dpkg --print-foreign-architectures | grep -qx i386 || sudo_ dpkg --add-architecture i386
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# A package can be listed as installed while one of its files is gone: reinstall its owner then.
reinstall=()
for tool in i686-w64-mingw32-g++-posix i686-w64-mingw32-gcc-posix i686-w64-mingw32-ar \
            i686-w64-mingw32-ranlib i686-w64-mingw32-windres i686-w64-mingw32-ld wine wineserver \
            xvfb-run Xvfb xauth cmake import; do
  if ! command -v "$tool" >/dev/null; then
    owner=$(dpkg -S "/usr/bin/$tool" 2>/dev/null | head -1 | cut -d: -f1)
    [ -n "$owner" ] && reinstall+=("$owner")
  fi
done
need_src=0
if [ ! -f "$deps/libjpeg/lib/libjpeg.a" ] && ! ls "$deps"/src/libjpeg-turbo-*/CMakeLists.txt >/dev/null 2>&1; then
  need_src=1
  if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sudo_ sed -i 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources
    else
      echo "deb-src http://deb.debian.org/debian bookworm main" | sudo_ tee /etc/apt/sources.list.d/vorlet-src.list >/dev/null
    fi
    missing+=(__update__)
  fi
fi
if [ ${#reinstall[@]} -gt 0 ]; then
  sudo_ apt-get install -y -qq --reinstall "${reinstall[@]}" >/dev/null
fi
if [ ${#missing[@]} -gt 0 ] || { [ $need_src = 1 ] && ! apt-cache showsrc libjpeg-turbo >/dev/null 2>&1; }; then
  sudo_ apt-get update -qq
  real=()
  for p in "${missing[@]}"; do [ "$p" = __update__ ] || real+=("$p"); done
  [ ${#real[@]} -gt 0 ] && sudo_ apt-get install -y -qq --no-install-recommends "${real[@]}" >/dev/null
fi

jobs=$(nproc)
toolchain=$here/cmake/mingw-i686.cmake

# libjpeg-turbo from Debian's source package, static, no SIMD.
if [ ! -f "$deps/libjpeg/lib/libjpeg.a" ]; then
  mkdir -p "$deps/src"
  if ! ls -d "$deps"/src/libjpeg-turbo-*/ >/dev/null 2>&1; then
    (cd "$deps/src" && apt-get source -qq --download-only libjpeg-turbo >/dev/null &&
     dpkg-source -x --no-check libjpeg-turbo_*.dsc >/dev/null)
  fi
  src=$(ls -d "$deps"/src/libjpeg-turbo-*/ | head -1)
  cmake -S "$src" -B "$deps/build-jpeg" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686-plain.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=0 -DWITH_TURBOJPEG=OFF \
    -DWITH_JAVA=OFF -DCMAKE_INSTALL_PREFIX="$deps/libjpeg" -DCMAKE_INSTALL_LIBDIR=lib >/dev/null
  cmake --build "$deps/build-jpeg" -j"$jobs" --target jpeg-static >/dev/null
  mkdir -p "$deps/libjpeg/lib" "$deps/libjpeg/include"
  cp "$deps/build-jpeg/libjpeg.a" "$deps/libjpeg/lib/"
  cp "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" "$deps/build-jpeg/jconfig.h" "$deps/libjpeg/include/"
fi

# GoogleTest from Debian's source tree, cross-built.
if [ ! -f "$deps/gtest/lib/libgtest.a" ]; then
  cmake -S /usr/src/googletest -B "$deps/build-gtest" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686-plain.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=OFF \
    -DCMAKE_INSTALL_PREFIX="$deps/gtest" -DCMAKE_INSTALL_LIBDIR=lib >/dev/null
  cmake --build "$deps/build-gtest" -j"$jobs" >/dev/null
  cmake --install "$deps/build-gtest" >/dev/null
fi
