#!/usr/bin/env bash
# Opens the editor on a working folder of your own (default: the current
# folder): the 64-bit release Tavi.exe under Wine, in the project's Wine
# prefix, with that folder as its working folder, so that the package folder
# (部屋, へや or プラグインフォルダ) and the parts collection 部屋の部品集 are
# the ones in it. Sets up what is missing and builds only Tavi.exe.
#
# With a display the editor stays open until the user closes it, and a
# double-click on a part's preview opens the part in a Linux painting
# program (TAVI_PAINT, else the desktop's program for BMP pictures; see
# linux-paint.sh). Without one (or with TAVI_SCREENSHOT set) it runs under
# Xvfb: once its window is up, a screenshot of it is written to
# TAVI_SCREENSHOT (default build/screenshot.png) and the editor is closed.
set -euo pipefail
source "$(dirname "$0")/fail.sh"
on_failure_say tavi "see the lines above; run 'bash scripts/tavi.sh' again once that is mended"
source "$(dirname "$0")/trees.sh"
FOLDER=$(cd "${1:-.}" && pwd)
MAIN_TITLE='部屋の部品編集'
EDITOR=$BUILD/release-x86_64/app/Tavi.exe

bash "$ROOT/scripts/setup.sh" editor
ensure_tree release-x86_64
build_tree release-x86_64 Tavi >/dev/null

SHOT=${TAVI_SCREENSHOT:-}
if [ -z "${DISPLAY:-}" ] && [ -z "$SHOT" ]; then
  SHOT=$BUILD/screenshot.png
fi

source "$ROOT/scripts/wine-env.sh"
wine_env_start
trap wine_env_stop EXIT
cd "$FOLDER"

if [ -z "$SHOT" ]; then
  source "$ROOT/scripts/linux-paint.sh"
  linux_paint_setup
  echo "tavi: the editor is open on $FOLDER; close it to end"
  wine64 "$EDITOR"
  exit 0
fi

wine64 "$EDITOR" >/dev/null 2>&1 &
EDITOR_PID=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name "$MAIN_TITLE" | head -n 1) || true
if [ -z "$window" ]; then
  echo "tavi: the editor's window did not appear within 60 seconds; try 'wine64 $EDITOR' in $FOLDER to see why" >&2
  exit 1
fi
eval "$(xdotool getwindowgeometry --shell "$window")"
sleep 1 # let the controls finish painting
mkdir -p "$(dirname "$SHOT")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$SHOT"
kill "$EDITOR_PID" 2>/dev/null || true
wait "$EDITOR_PID" 2>/dev/null || true
echo "tavi: screenshot of the editor on $FOLDER written to $SHOT"
