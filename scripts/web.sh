#!/usr/bin/env bash
# Builds the browser edition and opens build/web/Tavi.html in the desktop's
# browser; without a display, writes what the page shows in headless
# Chromium for a desktop-sized (1280 x 900) and a phone-sized (390 x 844)
# window to build/web/screenshot.png and build/web/screenshot-phone.png.
set -euo pipefail
source "$(dirname "$0")/fail.sh"
on_failure_say web "see the lines above; run 'bash scripts/web.sh' again once that is mended"
source "$(dirname "$0")/trees.sh"

bash "$ROOT/scripts/setup.sh" web
bash "$ROOT/scripts/build-web.sh"
WEB=$BUILD/web
PAGE=$WEB/Tavi.html

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "web: opening $PAGE"
  if command -v xdg-open >/dev/null; then exec xdg-open "$PAGE"; fi
  exec chromium "$PAGE"
fi

# A profile of its own, so that a browser already running is left alone.
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
screenshot() {
  chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --hide-scrollbars --user-data-dir="$profile" \
    --window-size="$2" --virtual-time-budget=3000 --screenshot="$1" "file://$PAGE" 2>/dev/null
  [ -s "$1" ] || { echo "web: chromium wrote no $1" >&2; exit 1; }
}
screenshot "$WEB/screenshot.png" 1280,900
screenshot "$WEB/screenshot-phone.png" 390,844
echo "web: no display; wrote $WEB/screenshot.png (1280 x 900) and $WEB/screenshot-phone.png (390 x 844)"
