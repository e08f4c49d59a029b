#!/usr/bin/env bash
# Opens the editor on the sample rooms: builds only the sample rooms
# (native tree) and Tavi.exe, prepares the working folder build/run/ with
# 部屋/ holding the samples and opens the editor there with tavi.sh (which
# tells what happens without a display).
set -euo pipefail
source "$(dirname "$0")/fail.sh"
on_failure_say run "see the lines above; run 'bash scripts/run.sh' again once that is mended"
source "$(dirname "$0")/trees.sh"

bash "$ROOT/scripts/setup.sh" editor
ensure_tree native
build_tree native tavi_sample_rooms >/dev/null

RUN=$BUILD/run
rm -rf "$RUN"
mkdir -p "$RUN"
cp -r "$BUILD/native/sample/部屋" "$RUN/"
exec bash "$ROOT/scripts/tavi.sh" "$RUN"
