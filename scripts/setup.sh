#!/usr/bin/env bash
# Installs what building, running and testing Tavi needs on Debian 12, when
# it is missing: packages, the ja_JP.UTF-8 locale. Idempotent and quick when
# everything is there. Works as root or through sudo.
set -euo pipefail

PACKAGES=(cmake ninja-build g++ clang googletest libgtest-dev libbenchmark-dev libstb-dev
  g++-mingw-w64-x86-64 wine wine64 fonts-wine xvfb xauth x11-apps imagemagick
  fonts-ipafont-gothic locales xdotool clang-format)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating the ja_JP.UTF-8 locale"
  as_root sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi
