#!/usr/bin/env bash
# The browser edition's benchmark (bench.mjs) beside the native conversion
# of the same dropped picture, both in this run. The native figure comes
# from the benchmark tree (build/rel, an optimised build without
# sanitizers), where only the reference helper is built. Needs the page
# (scripts/build-web.sh), the native tree's sample rooms and npm ci done.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
source "$ROOT/scripts/trees.sh"
[ -f "$BUILD/rel/CMakeCache.txt" ] || cmake -S "$ROOT" -B "$BUILD/rel" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD/rel" -j "$JOBS" --target tavi_browser_reference >/dev/null
cd "$ROOT/tests/browser"
TAVI_BUILD=$BUILD TAVI_REFERENCE=$BUILD/rel/tests/browser/tavi_browser_reference node bench.mjs
