#!/usr/bin/env bash
# Renews docs/screenshot-web.png and docs/screenshot-web-phone.png: the
# browser edition on the sample rooms in headless Chromium, in a desktop-sized
# and a phone-sized window. Builds the sample rooms, tavipac and the page.
set -euo pipefail
source "$(dirname "$0")/trees.sh"
ensure_tree native
build_tree native tavi_sample_rooms tavipac >/dev/null
bash "$ROOT/scripts/build-web.sh" >/dev/null
cd "$ROOT/tests/browser"
npm ci --no-audit --no-fund --loglevel=error
TAVI_BUILD=$BUILD node screenshot.mjs "$ROOT/docs/screenshot-web.png" "$ROOT/docs/screenshot-web-phone.png"
echo "screenshot-web: wrote docs/screenshot-web.png and docs/screenshot-web-phone.png"
