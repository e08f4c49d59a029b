#!/usr/bin/env bash
# Tests the zips that scripts/release.sh wrote into dist/ (or TAVI_DIST):
# SHA256SUMS lists them, a second release gives the same bytes, each zip's
# names read right as code page 932 and as UTF-8 and its programs are of its
# architecture, each zip and dist/ carry the browser edition as built, and
# its own Tavi.exe, started under Wine in the unpacked folder, lists the
# sample rooms (the 32-bit one where 32-bit programs run, see i386.sh; not
# with TAVI_SKIP_32BIT=1). Needs the 64-bit test tree (build/win) and the
# page (build/web).
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
PAGE=$BUILD/web/Tavi.html
pages=("$DIST"/Tavi-*.html)
[ ${#pages[@]} = 1 ] && cmp "$PAGE" "${pages[0]}" ||
  { echo "zip test: dist/ holds no Tavi-VERSION.html that is the built $PAGE" >&2; exit 1; }
grep -q " $(basename "${pages[0]}")\$" "$DIST/SHA256SUMS" ||
  { echo "zip test: SHA256SUMS does not list $(basename "${pages[0]}")" >&2; exit 1; }

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
  cmp "$PAGE" "$WORK/$name/Tavi.html" || { echo "zip test: $name/Tavi.html is not the built page" >&2; exit 1; }
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
