#!/usr/bin/env bash
# Configures (once) and builds the program, the tests and the benchmarks; arguments go to
# "cmake --build" (e.g. --target NAME). VORLET_BUILD_DIR picks another build folder inside build/
# that shares build/deps.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${VORLET_BUILD_DIR:-$here/build}
[ -f "$build/CMakeCache.txt" ] ||
  cmake -S "$here" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686.cmake" \
    -DVORLET_DEPS_DIR="$here/build/deps" >/dev/null
cmake --build "$build" -j"$(nproc)" "$@"
