#!/usr/bin/env bash
# Sets up, builds everything and runs every test: the native tests under
# AddressSanitizer and UBSan, then the Windows tests under Wine and Xvfb.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
bash "$ROOT/scripts/setup.sh"
TAVI_SANITIZE=ON bash "$ROOT/scripts/build.sh"

echo "== native tests"
(cd "$ROOT/build/native" && ctest --output-on-failure -j 2)

echo "== Windows tests under Wine"
source "$ROOT/scripts/wine-env.sh"
wine_env_start
trap wine_env_stop EXIT
cd "$ROOT/build/win" && ctest --output-on-failure -j 2
