#!/usr/bin/env bash
# Start-up time of the editor under Wine, from its start to its visible main
# dialog: once with 1,000 room packages and 1,000 other files in its package
# folder, once on an empty package folder (the baseline, measured in the
# same run). Prints both medians and the difference per 1,000 packages.
# Goal: listing costs under 100 ms per 1,000 packages.
#
#     bash bench/startup_bench.sh [RUNS]
set -euo pipefail
source "$(dirname "$0")/../scripts/trees.sh"
RUNS=${1:-7}
PACKAGES=1000
OTHERS=1000

# The release Tavi.exe, started by the timer of the 64-bit test tree.
ensure_tree release-x86_64
build_tree release-x86_64 Tavi >/dev/null
ensure_tree win
build_tree win tavi_start_timer >/dev/null

WORK=$BUILD/startup-bench
rm -rf "$WORK"
mkdir -p "$WORK/empty/部屋" "$WORK/full/部屋"

# A package header whose room flag (byte 16) is set, and one without flags.
room=$WORK/room.bin
other=$WORK/other.bin
head -c 1056 /dev/zero >"$other"
{ head -c 16 /dev/zero; printf '\001'; head -c 1039 /dev/zero; } >"$room"
for i in $(seq -w 1 "$PACKAGES"); do cp "$room" "$WORK/full/部屋/room$i.pac"; done
# Half the other files match "*.pac" but fail the room test, half do not match.
for i in $(seq -w 1 $((OTHERS / 2))); do
  cp "$other" "$WORK/full/部屋/plain$i.pac"
  cp "$other" "$WORK/full/部屋/part$i.bmp"
done

source "$ROOT/scripts/wine-env.sh"
wine_env_start
trap wine_env_stop EXIT

timer=$BUILD/win/bench/tavi_start_timer.exe
median() { wine64 "$timer" "Z:$1" "$RUNS" | tr -d '\r' | awk '/^median:/ { print $2 }'; }
baseline=$(median "$WORK/empty")
full=$(median "$WORK/full")

echo "build: $BUILD/release-x86_64 (Release, MinGW-w64 x86_64, without sanitizers), run under $(wine64 --version)"
awk -v base="$baseline" -v full="$full" -v n="$PACKAGES" -v o="$OTHERS" 'BEGIN {
  printf "start-up, empty package folder:              %8.1f ms (median)\n", base
  printf "start-up, %d packages and %d other files: %8.1f ms (median)\n", n, o, full
  printf "listing cost per 1,000 packages:             %8.1f ms (goal: under 100 ms)\n", (full - base) * 1000 / n
}'
