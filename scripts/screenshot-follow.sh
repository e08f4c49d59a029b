#!/usr/bin/env bash
# Renews docs/screenshot-follow.png: a sample room's bed exported, chosen in
# its list, then saved anew by a painting program (here ImageMagick, which
# writes a run-length compressed 8-bit BMP with a version 5 header, and
# saves it under another name renamed over the old file): the editor has
# loaded it again by itself. Uses the trees and the working folder build/run/
# that run.sh prepared (screenshot.sh runs it first).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${TAVI_BUILD:-$ROOT/build}
SHOT=${TAVI_FOLLOW_SCREENSHOT:-$ROOT/docs/screenshot-follow.png}
TAVIPAC=$BUILD/native/tavipac/tavipac
MAIN_TITLE='部屋の部品編集'

TAVI_OWN_DISPLAY=1
source "$ROOT/scripts/wine-env.sh"
wine_env_start
trap wine_env_stop EXIT
cd "$BUILD/run"
rm -rf 部屋の部品集
"$TAVIPAC" export 部屋/sakura.pac >/dev/null

wine64 "$BUILD/release-x86_64/app/Tavi.exe" >/dev/null 2>&1 &
EDITOR_PID=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name "$MAIN_TITLE" | head -n 1)
sleep 1
# The room list has the focus: s selects sakura.pac, Ctrl+D shows its parts,
# five tabs lead to the bed's list, Down chooses its entry sakura.BMP.
xdotool key s
sleep 1
xdotool key ctrl+d
sleep 1
xdotool key Tab Tab Tab Tab Tab Down
sleep 1
# The bed painted over in other colours and saved.
convert 部屋の部品集/08sakura.BMP -modulate 100,130,40 -type Palette BMP:部屋の部品集/08sakura.tmp
mv 部屋の部品集/08sakura.tmp 部屋の部品集/08sakura.BMP
sleep 2 # the editor waits for the folder to be still, then loads and paints
eval "$(xdotool getwindowgeometry --shell "$window")"
mkdir -p "$(dirname "$SHOT")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$SHOT"
kill "$EDITOR_PID" 2>/dev/null || true
wait "$EDITOR_PID" 2>/dev/null || true
echo "screenshot: the bed saved anew in a painting program, loaded again, written to $SHOT"
