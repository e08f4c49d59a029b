#!/usr/bin/env bash
# The edit action of BMP files that linux-paint.sh registers in the project's
# Wine prefix: Wine starts it with the Windows path of the part file, and it
# opens the file's Linux path in TAVI_PAINT, else in the desktop's program
# (the desktop file TAVI_PAINT_DESKTOP, run by gio launch).
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
path=$(wine64 winepath.exe -u "$1")
if [ -n "${TAVI_PAINT:-}" ]; then
  exec sh -c "$TAVI_PAINT \"\$1\"" tavi-paint "$path"
fi
exec gio launch "$TAVI_PAINT_DESKTOP" "$path"
