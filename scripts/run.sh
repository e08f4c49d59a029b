#!/usr/bin/env bash
# Opens the editor on the sample rooms: sets up, builds both trees, prepares
# the working folder build/run/ with 部屋/ holding the generated samples and
# starts Tavi.exe there under Wine.
#
# With a display the editor stays open until the user closes it. Without
# one (or with TAVI_SCREENSHOT set) it runs under Xvfb: once its window is
# up, a screenshot of it is written to TAVI_SCREENSHOT (default
# build/screenshot.png) and the editor is closed.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${TAVI_BUILD:-$ROOT/build}
MAIN_TITLE='部屋の部品編集'

bash "$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/build.sh"

RUN=$BUILD/run
rm -rf "$RUN"
mkdir -p "$RUN"
cp -r "$BUILD/native/sample/部屋" "$RUN/"

SHOT=${TAVI_SCREENSHOT:-}
if [ -z "${DISPLAY:-}" ] && [ -z "$SHOT" ]; then
  SHOT=$BUILD/screenshot.png
fi

source "$ROOT/scripts/wine-env.sh"
wine_env_start
trap wine_env_stop EXIT
cd "$RUN"

if [ -z "$SHOT" ]; then
  echo "run: the editor is open on $RUN; close it to end"
  wine "$BUILD/win/app/Tavi.exe"
  exit 0
fi

wine "$BUILD/win/app/Tavi.exe" >/dev/null 2>&1 &
EDITOR_PID=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name "$MAIN_TITLE" | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"
sleep 1 # let the controls finish painting
mkdir -p "$(dirname "$SHOT")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$SHOT"
kill "$EDITOR_PID" 2>/dev/null || true
wait "$EDITOR_PID" 2>/dev/null || true
echo "run: screenshot of the editor written to $SHOT"
