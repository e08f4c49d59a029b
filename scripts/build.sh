#!/usr/bin/env bash
# Configures and builds both trees: build/native (with sanitizers when
# TAVI_SANITIZE=ON) and build/win (MinGW-w64 cross build).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${TAVI_BUILD:-$ROOT/build}
JOBS=${TAVI_JOBS:-$(nproc)}

cmake -S "$ROOT" -B "$BUILD/native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVI_SANITIZE="${TAVI_SANITIZE:-ON}" >/dev/null
cmake --build "$BUILD/native" -j "$JOBS"

cmake -S "$ROOT" -B "$BUILD/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$BUILD/win" -j "$JOBS"
