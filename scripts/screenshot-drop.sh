#!/usr/bin/env bash
# Renews docs/screenshot-drop.png: a sample room whose bed came from a
# full-colour PNG with transparency, in parts display mode. The picture is
# made parts as a drop onto the bed's preview makes them (tavipac import runs
# the same code) and composed into the room "png-bed.pac", which the editor
# then shows. Uses the trees and the working folder build/run/ that run.sh
# prepared (screenshot.sh runs it first).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${TAVI_BUILD:-$ROOT/build}
SHOT=${TAVI_DROP_SCREENSHOT:-$ROOT/docs/screenshot-drop.png}
TAVIPAC=$BUILD/native/tavipac/tavipac

cd "$BUILD/run"
# A bed as a painting program saves it: a gradient cut out by transparency.
convert -size 150x100 xc:none \
  \( -size 150x100 gradient:'#ffb0c8'-'#a03070' \) \
  \( -size 150x100 xc:black -fill white -draw 'roundrectangle 4,34 146,96 14,14' \
     -draw 'roundrectangle 10,8 70,52 16,16' -draw 'rectangle 4,70 146,96' \) \
  -delete 0 -alpha off -compose copy_opacity -composite PNG32:bed.png
rm -rf 部屋の部品集
"$TAVIPAC" import 部屋/sakura.pac bed.png --slot 8 >/dev/null
"$TAVIPAC" compose 部屋/sakura.pac -o 部屋/png-bed.pac --part 8=bed.BMP --name 'PNGのベッドの部屋' --force >/dev/null

TAVI_ROOM_KEY=p TAVI_PARTS_SCREENSHOT="$SHOT" bash "$ROOT/scripts/screenshot-parts.sh"
