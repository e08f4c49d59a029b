#!/usr/bin/env bash
# Renews docs/screenshot.png: the editor opened on the sample rooms, taken
# on a display of its own whatever DISPLAY says; then docs/screenshot-parts.png,
# docs/screenshot-drop.png and docs/screenshot-follow.png.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
TAVI_OWN_DISPLAY=1 TAVI_SCREENSHOT="$ROOT/docs/screenshot.png" bash "$ROOT/scripts/run.sh"
bash "$ROOT/scripts/screenshot-parts.sh"
bash "$ROOT/scripts/screenshot-drop.sh"
bash "$ROOT/scripts/screenshot-follow.sh"
