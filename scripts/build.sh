#!/usr/bin/env bash
# Configures (once) and builds the program, the tests and the benchmarks.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$here/build
[ -f "$build/CMakeCache.txt" ] ||
  cmake -S "$here" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$build" -j"$(nproc)" "$@"
