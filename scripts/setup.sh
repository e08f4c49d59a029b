#!/usr/bin/env bash
# Installs what Tavi needs on Debian 12, when it is missing: packages and the
# ja_JP.UTF-8 locale. Idempotent and quick when everything is there. Works
# as root or through sudo.
#
#   setup.sh editor    building and opening the 64-bit editor: the 64-bit
#                      Wine only
#   setup.sh release   also the 32-bit cross compiler, for the release zips
#                      (which carry the browser edition too: emscripten)
#   setup.sh web       building and opening the browser edition: emscripten
#                      and Chromium
#   setup.sh tests     (the default) all of these, valgrind, and the 32-bit
#                      Wine from the i386
#                      architecture and, where the kernel runs no 32-bit
#                      code, qemu-user from bookworm-backports to run it
set -euo pipefail
source "$(dirname "$0")/fail.sh"
source "$(dirname "$0")/i386.sh"
PROFILE=${1:-tests}
on_failure_say "setup ($PROFILE)" "check the network and the apt sources, then run it again"

EDITOR_PACKAGES=(cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev libstb-dev
  g++-mingw-w64-x86-64 wine wine64 fonts-wine xvfb xauth x11-apps imagemagick fonts-ipafont-gothic
  locales xdotool python3 xdg-utils libglib2.0-bin)
WEB_PACKAGES=(cmake ninja-build python3 emscripten node-acorn nlohmann-json3-dev chromium fonts-ipafont-gothic)
RELEASE_PACKAGES=(g++-mingw-w64-i686 unzip xz-utils emscripten node-acorn nlohmann-json3-dev)
TEST_PACKAGES=(clang clang-format valgrind wine32:i386)
BACKPORTS_PACKAGES=(qemu-user)
declare -A LEAST_VERSION=([qemu-user]=1:10.0)
case $PROFILE in
  editor) PACKAGES=("${EDITOR_PACKAGES[@]}") ;;
  release) PACKAGES=("${EDITOR_PACKAGES[@]}" "${RELEASE_PACKAGES[@]}") ;;
  web) PACKAGES=("${WEB_PACKAGES[@]}") ;;
  tests) PACKAGES=("${EDITOR_PACKAGES[@]}" "${RELEASE_PACKAGES[@]}" "${WEB_PACKAGES[@]}" "${TEST_PACKAGES[@]}") ;;
  *)
    echo "setup: no profile named $PROFILE (editor, release, web or tests)" >&2
    exit 2
    ;;
esac
# The browser tests run under Node with npm, any Node 18 or later: Debian's
# where none is installed.
if [ "$PROFILE" = tests ] && ! command -v npm >/dev/null; then PACKAGES+=(nodejs npm); fi
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

# The suite bookworm-backports from the mirror of the machine's own Debian
# entry: its qemu-user (10.0) runs the 32-bit Wine fast enough, Debian 12's
# own (7.2) does not.
add_backports_source() {
  local uri list=/etc/apt/sources.list.d/tavi-backports.sources
  [ -f "$list" ] && return 0
  uri=$(grep -h -o -m1 -E '^URIs: *[^ ]+/debian/?$' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n 1 |
    sed 's/^URIs: *//')
  [ -n "$uri" ] || uri=$(grep -h -o -m1 -E '^deb +[^ ]+/debian/? +bookworm' /etc/apt/sources.list 2>/dev/null |
    head -n 1 | awk '{ print $2 }')
  if [ -z "$uri" ]; then
    echo "setup: no Debian entry in the apt sources to take the backports' mirror from" >&2
    return 1
  fi
  echo "setup: adding bookworm-backports from $uri (for qemu-user)"
  printf 'Types: deb\nURIs: %s\nSuites: bookworm-backports\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$uri" | as_root tee "$list" >/dev/null
}

# Lists the packages that are not installed, or older than the version
# that they must have at least.
missing_of() {
  local p version
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      echo "$p"
      continue
    fi
    version=$(dpkg-query -W -f='${Version}' "$p")
    [ -z "${LEAST_VERSION[$p]:-}" ] || dpkg --compare-versions "$version" ge "${LEAST_VERSION[$p]}" || echo "$p"
  done
}

if [ "$PROFILE" = tests ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: adding the i386 architecture (for the 32-bit Wine)"
  as_root dpkg --add-architecture i386
fi

mapfile -t missing < <(missing_of "${PACKAGES[@]}")
backports_missing=()
if [ "$PROFILE" = tests ] && [ "$I386_ROAD" = emulated ]; then
  mapfile -t backports_missing < <(missing_of "${BACKPORTS_PACKAGES[@]}")
  [ ${#backports_missing[@]} -eq 0 ] || add_backports_source
fi
if [ ${#missing[@]} -gt 0 ] || [ ${#backports_missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]} ${backports_missing[*]}"
  refused=$(update_indexes)
  for url in $refused; do fetch_refused_index "$url"; done
  if [ ${#missing[@]} -gt 0 ]; then
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
  if [ ${#backports_missing[@]} -gt 0 ]; then
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
      -t bookworm-backports "${backports_missing[@]}" >/dev/null
  fi
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating the ja_JP.UTF-8 locale"
  as_root sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi
