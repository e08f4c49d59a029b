#!/usr/bin/env bash
# Builds the browser edition in build/web (TAVI_BUILD moves it, as for the
# other trees): the core compiled to WebAssembly by Debian's emscripten
# (tavi_core.js) and the page with its style, scripts, that module and the
# dialog resources inline (Tavi.html).
set -euo pipefail
source "$(dirname "$0")/fail.sh"
on_failure_say build-web "see the lines above; run 'bash scripts/build-web.sh' again once that is mended"
source "$(dirname "$0")/trees.sh"

bash "$ROOT/scripts/setup.sh" web
# emscripten runs its JavaScript tools with the machine's node, which finds
# Debian's node-acorn only there.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
emcmake cmake -S "$ROOT" -B "$BUILD/web" -G Ninja -DPython3_EXECUTABLE=/usr/bin/python3 >/dev/null
cmake --build "$BUILD/web" -j "$JOBS"
echo "build-web: $BUILD/web/Tavi.html"
