#!/usr/bin/env bash
# Installs what building, running and testing Tavi needs on Debian 12, when
# it is missing: packages (the 32-bit Wine among them, from the i386
# architecture), the ja_JP.UTF-8 locale. Idempotent and quick when everything
# is there. Works as root or through sudo.
set -euo pipefail

PACKAGES=(cmake ninja-build g++ clang googletest libgtest-dev libbenchmark-dev libstb-dev
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 wine32:i386 fonts-wine xvfb xauth x11-apps
  imagemagick fonts-ipafont-gothic locales xdotool clang-format python3 unzip xz-utils)
UPDATE_ATTEMPTS=3
UPDATE_PAUSE_SECONDS=20
LISTS=/var/lib/apt/lists

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# apt-get update, once more with indexes fetched by their hash (a mirror in
# the middle of a sync then still serves the files its signed index names)
# and after a pause, until every index came. Prints the URLs of the package
# indexes still refused after the last attempt.
update_indexes() {
  local attempt log options=()
  log=$(mktemp)
  for attempt in $(seq "$UPDATE_ATTEMPTS"); do
    if as_root apt-get update -qq "${options[@]}" >"$log" 2>&1; then
      rm -f "$log"
      return 0
    fi
    echo "setup: apt-get update failed (attempt $attempt of $UPDATE_ATTEMPTS):" >&2
    grep '^E:' "$log" | sed 's/^/setup:   /' >&2 || true
    options=(-o Acquire::By-Hash=force)
    [ "$attempt" -lt "$UPDATE_ATTEMPTS" ] && sleep "$UPDATE_PAUSE_SECONDS"
  done
  sed -n 's/^E: Failed to fetch \([^ ]*\/binary-[^/ ]*\/[^ ]*\).*/\1/p' "$log"
  rm -f "$log"
}

# The last resort for a Packages index that the mirror keeps refusing
# (typically "File has unexpected size ... Mirror sync in progress?"):
# the mirror's current file, fetched directly and put where apt keeps its
# lists. apt cannot check it against the signed release file, which is what
# failed; the packages themselves are still checked against it on download.
fetch_refused_index() {
  local url=$1 index name tmp
  index=${url%%/by-hash/*}
  [ "$index" = "$url" ] && index=${url%/*}
  name=$(printf '%s' "${index#*://}/Packages" | tr '/' '_')
  tmp=$(mktemp)
  echo "setup: fetching $index/Packages.xz directly, unchecked by the signed release file" >&2
  /usr/lib/apt/apt-helper download-file "$index/Packages.xz" "$tmp.xz" >/dev/null
  xz -dc "$tmp.xz" >"$tmp"
  as_root install -m 644 "$tmp" "$LISTS/$name"
  rm -f "$tmp" "$tmp.xz"
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: adding the i386 architecture (for the 32-bit Wine)"
  as_root dpkg --add-architecture i386
fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  refused=$(update_indexes)
  for url in $refused; do fetch_refused_index "$url"; done
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating the ja_JP.UTF-8 locale"
  as_root sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi
