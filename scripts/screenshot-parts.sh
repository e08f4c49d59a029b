#!/usr/bin/env bash
# Renews docs/screenshot-parts.png: the editor in parts display mode with the
# first sample room, on a display of its own. Uses the trees and the working
# folder build/run/ that run.sh prepared (screenshot.sh runs it first).
# TAVI_ROOM_KEY: the key that selects another room in the room list (its
# first letter).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${TAVI_BUILD:-$ROOT/build}
SHOT=${TAVI_PARTS_SCREENSHOT:-$ROOT/docs/screenshot-parts.png}
MAIN_TITLE='部屋の部品編集'
ROOM_KEY=${TAVI_ROOM_KEY:-Down}

TAVI_OWN_DISPLAY=1
source "$ROOT/scripts/wine-env.sh"
wine_env_start
trap wine_env_stop EXIT
cd "$BUILD/run"

wine64 "$BUILD/release-x86_64/app/Tavi.exe" >/dev/null 2>&1 &
EDITOR_PID=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name "$MAIN_TITLE" | head -n 1)
sleep 1
# The room list has the focus: Down selects the first room (a letter the
# first room of that letter), Ctrl+D shows its parts.
xdotool key "$ROOM_KEY"
sleep 1
xdotool key ctrl+d
sleep 1 # let the previews finish painting
eval "$(xdotool getwindowgeometry --shell "$window")"
mkdir -p "$(dirname "$SHOT")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$SHOT"
kill "$EDITOR_PID" 2>/dev/null || true
wait "$EDITOR_PID" 2>/dev/null || true
echo "screenshot: the editor in parts display mode written to $SHOT"
