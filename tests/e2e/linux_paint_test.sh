#!/usr/bin/env bash
# The paint loop on Linux, with paint_recorder.sh as the painting program:
# without a program the edit action that linux-paint.sh registers is taken
# away and one line says how to name one; with the recorder as the desktop's
# program for BMP pictures, a double-click on the bed's preview of the real
# Tavi.exe hands it the part's Linux path (the end-to-end case run here);
# TAVI_PAINT goes before the desktop's program. A scratch desktop stands in
# for the machine's own. Needs the 64-bit test tree (build/win).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
source "$ROOT/scripts/trees.sh"
source "$ROOT/scripts/wine-env.sh"
wine_env_start
trap wine_env_stop EXIT
source "$ROOT/scripts/linux-paint.sh"
WORK=$BUILD/linux-paint-test
RECORDER=$ROOT/tests/e2e/paint_recorder.sh
rm -rf "$WORK"
mkdir -p "$WORK/data/applications" "$WORK/config"
export XDG_DATA_HOME=$WORK/data XDG_CONFIG_HOME=$WORK/config XDG_DATA_DIRS=$WORK/none XDG_CONFIG_DIRS=$WORK/none
unset TAVI_PAINT XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
cd "$WORK"

fail() {
  echo "linux paint test: $1" >&2
  exit 1
}

said=$(linux_paint_setup)
[[ $said == *"TAVI_PAINT=PROGRAM"* ]] || fail "no line on how to name a program: $said"
! wine64 reg query 'HKCR\Tavi.bitmap\shell\edit\command' >/dev/null 2>&1 ||
  fail "an edit action is registered without a program"

printf '[Desktop Entry]\nType=Application\nName=Recorder\nExec=%s %%f\n' "$RECORDER" \
  >data/applications/tavi-recorder.desktop
printf '[Default Applications]\nimage/bmp=tavi-recorder.desktop\n' >config/mimeapps.list
linux_paint_setup >/dev/null
TAVI_LINUX_PAINT_TEST=1 wine64 "$BUILD/win/tests/e2e/tavi_e2e_tests.exe" \
  --gtest_filter='TaviExe.*LinuxPaintingProgram' --gtest_brief=1

TAVI_PAINT="$RECORDER --named" "$LINUX_PAINT_ACTION" 'Z:\tmp\part.BMP'
[ "$(cat painted.txt)" = $'--named\n/tmp/part.BMP' ] || fail "TAVI_PAINT was not given the Linux path"
echo "linux paint test: passed"
