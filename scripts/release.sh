#!/usr/bin/env bash
# Writes dist/ (or TAVI_DIST): for each Windows architecture a zip
# Tavi-VERSION-x86.zip / Tavi-VERSION-x64.zip, VERSION from the program's
# version record, holding one folder of that name with Tavi.exe, tavipac.exe,
# the browser edition Tavi.html, 部屋/ with the sample rooms, an empty
# 部屋の部品集/, the Japanese guide 使い方.txt and LICENSE.txt (code page 932
# or ASCII, CR LF: Notepad on Japanese Windows reads them); the browser
# edition on its own as Tavi-VERSION.html; and SHA256SUMS listing them all.
# Builds only what the zips hold. Every entry is dated by SOURCE_DATE_EPOCH, else by the
# last commit, so the same sources give the same zips.
set -euo pipefail
source "$(dirname "$0")/trees.sh"
DIST=${TAVI_DIST:-$ROOT/dist}
GUIDE_NAME='使い方.txt'

bash "$ROOT/scripts/setup.sh" release

# The version record's file version "2, 2, 0, 0" gives 2.2.0; the CMake
# project states the same.
version=$(sed -n 's/^FILEVERSION *\([0-9]*\), *\([0-9]*\), *\([0-9]*\),.*/\1.\2.\3/p' "$ROOT/res/Tavi.rc")
project_version=$(sed -n 's/^project(Tavi VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")
if [ -z "$version" ] || [ "$version" != "$project_version" ]; then
  echo "release: the version record says '$version', CMakeLists.txt '$project_version'" >&2
  exit 1
fi
stamp=${SOURCE_DATE_EPOCH:-$(git -C "$ROOT" log -1 --format=%ct 2>/dev/null || echo 0)}

ensure_tree native
build_tree native tavi_sample_rooms
for arch in "${WINDOWS_ARCHES[@]}"; do
  ensure_tree "release-$arch"
  build_tree "release-$arch" Tavi tavipac
done
bash "$ROOT/scripts/build-web.sh" >/dev/null
page=$BUILD/web/Tavi.html

# Text for Notepad: code page 932, CR LF; the guide without its pictures.
notepad_text() {
  grep -v '^!\[' "$1" | iconv -f UTF-8 -t CP932 | sed 's/$/\r/'
}

stage=$BUILD/release-stage
rm -rf "$stage" "$DIST"
mkdir -p "$stage" "$DIST"
for arch in "${WINDOWS_ARCHES[@]}"; do
  case $arch in x86_64) name=Tavi-$version-x64 ;; i686) name=Tavi-$version-x86 ;; esac
  folder=$stage/$name
  mkdir -p "$folder/部屋" "$folder/部屋の部品集"
  cp "$BUILD/release-$arch/app/Tavi.exe" "$BUILD/release-$arch/tavipac/tavipac.exe" "$page" "$folder/"
  cp "$BUILD/native/sample/部屋/"*.pac "$folder/部屋/"
  notepad_text "$ROOT/docs/guide-ja.md" >"$folder/$GUIDE_NAME"
  notepad_text "$ROOT/LICENSE" >"$folder/LICENSE.txt"
  python3 "$ROOT/scripts/release_zip.py" "$DIST/$name.zip" "$folder" "$stamp"
done
cp "$page" "$DIST/Tavi-$version.html"
(cd "$DIST" && sha256sum -- *.zip *.html >SHA256SUMS)
echo "release: wrote $(cd "$DIST" && echo *.zip *.html) and SHA256SUMS in $DIST"
