#!/usr/bin/env bash
# Tests the zips that scripts/release.sh wrote into dist/ (or TAVI_DIST):
# SHA256SUMS lists them, a second release gives the same bytes, each zip's
# names read right as code page 932 and as UTF-8 and its programs are of its
# architecture, and its own Tavi.exe, started under Wine in the unpacked
# folder, lists the sample rooms (the 32-bit one where 32-bit programs run,
# see i386.sh; not with TAVI_SKIP_32BIT=1). Needs the 64-bit test tree
# (build/win).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
source "$ROOT/scripts/trees.sh"
source "$ROOT/scripts/i386.sh"
DIST=${TAVI_DIST:-$ROOT/dist}
WORK=$BUILD/release-test
FOLDER_TEST=$BUILD/win/tests/e2e/tavi_release_folder_test.exe

rm -rf "$WORK"
mkdir -p "$WORK"
(cd "$DIST" && sha256sum --check --quiet SHA256SUMS)

TAVI_DIST=$WORK/again bash "$ROOT/scripts/release.sh" >/dev/null
for zip in "$DIST"/*.zip; do
  cmp "$zip" "$WORK/again/$(basename "$zip")"
done

for zip in "$DIST"/*.zip; do
  name=$(basename "$zip" .zip)
  echo "zip test: $name"
  python3 "$ROOT/tests/release/zip_names_test.py" "$zip"
  unzip -q "$zip" -d "$WORK"
  case $name in *-x64) format=pei-x86-64 ;; *-x86) format=pei-i386 ;; esac
  for program in Tavi.exe tavipac.exe; do
    x86_64-w64-mingw32-objdump -f "$WORK/$name/$program" | grep -q "file format $format" ||
      { echo "zip test: $name/$program is not $format" >&2; exit 1; }
  done
  [ -z "$(ls -A "$WORK/$name/部屋の部品集")" ] || { echo "zip test: 部屋の部品集 is not empty" >&2; exit 1; }
  case $name in
    *-x64) TAVI_RELEASE_FOLDER="$WORK/$name" bash "$ROOT/scripts/wine-run.sh" wine64 "$FOLDER_TEST" --gtest_brief=1 ;;
    *-x86)
      if [ "${TAVI_SKIP_32BIT:-0}" = 1 ]; then
        echo "zip test: $name/Tavi.exe not run (TAVI_SKIP_32BIT=1)"
      else
        TAVI_RELEASE_FOLDER="$WORK/$name" i386_run bash "$ROOT/scripts/wine-run.sh" wine64 "$FOLDER_TEST" --gtest_brief=1
      fi
      ;;
  esac
done
