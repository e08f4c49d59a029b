#!/usr/bin/env bash
# Sets up, builds everything and runs every test: the native tests under
# AddressSanitizer and UBSan; the Windows XP import check of the release
# programs; the Windows tests under Wine and Xvfb, all for 64-bit Windows and
# the editor's for 32-bit Windows (under the 32-bit Wine); then the release
# zips, written and tested unpacked.
set -euo pipefail
source "$(dirname "$0")/trees.sh"
bash "$ROOT/scripts/setup.sh"
TAVI_SANITIZE=ON bash "$ROOT/scripts/build.sh"

echo "== native tests"
(cd "$BUILD/native" && ctest --output-on-failure -j 2)

echo "== imports of the release programs on Windows XP"
for arch in "${WINDOWS_ARCHES[@]}"; do
  for program in app/Tavi.exe tavipac/tavipac.exe; do
    report=$(bash "$ROOT/scripts/xp-check.sh" "$BUILD/release-$arch/$program") ||
      { printf '%s\n' "$report"; exit 1; }
    echo "$arch $program: ${report##*$'\n'}"
  done
done

source "$ROOT/scripts/wine-env.sh"
wine_env_start
trap wine_env_stop EXIT
echo "== Windows tests under Wine (64-bit)"
(cd "$BUILD/win" && ctest --output-on-failure -j 2)
echo "== Windows tests under Wine (32-bit)"
(cd "$BUILD/win-i686" && ctest --output-on-failure -j 2)

echo "== release zips"
bash "$ROOT/scripts/release.sh"
bash "$ROOT/tests/release/zip_test.sh"
