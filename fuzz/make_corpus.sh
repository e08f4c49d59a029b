#!/usr/bin/env bash
# Writes the package fuzzer's seed corpus into OUTDIR: the sample rooms of
# tavi_samplegen (when it is built) and a few small hand-made packages.
#   bash fuzz/make_corpus.sh OUTDIR [path/to/tavi_samplegen]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=${1:?usage: make_corpus.sh OUTDIR [path/to/tavi_samplegen]}
SAMPLEGEN=${2:-${TAVI_SAMPLEGEN:-$ROOT/build/native/tools/tavi_samplegen}}
mkdir -p "$OUT"

# Little-endian numbers as raw bytes.
u16() { printf "$(printf '\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)))"; }
u32() { u16 $(($1 & 65535)); u16 $(($1 >> 16 & 65535)); }
zeros() { head -c "$1" /dev/zero; }

# header FLAG16 FLAG19 NAME: the 1056-byte header with a name text.
header() {
  zeros 16; u16 "$1" | head -c 1; zeros 2; u16 "$2" | head -c 1; zeros 12
  printf "$(printf '\\x%02x' ${#3})%s" "$3"; zeros $((255 - ${#3}))
  zeros $((1056 - 32 - 256))
}

# bmp SIZE BITCOUNT: a BMP file image of SIZE bytes (at least 54).
bmp() {
  printf 'BM'; u32 "$1"; zeros 4; u32 1078; u32 40; u32 8; u32 8; u16 1; u16 "$2"
  zeros $(($1 - 30))
}

record() { u32 "$1"; bmp "$1" "$2"; }

# A file that ends right after the header.
header 1 0 room > "$OUT/header-only.pac"
# Forty small records: 8-bit parts, 1-bit masks.
{
  header 0 1 small
  for _ in $(seq 20); do record 1142 8; done
  for _ in $(seq 20); do record 70 1; done
} > "$OUT/small-records.pac"
# A record larger than a slot, then a good one, then a cut record.
{
  header 1 1 oversized
  record 77881 8
  record 1142 24
  u32 5000; bmp 200 8
} > "$OUT/oversized.pac"

if [ -x "$SAMPLEGEN" ]; then
  samples=$(mktemp -d)
  trap 'rm -rf "$samples"' EXIT
  "$SAMPLEGEN" "$samples" >/dev/null
  n=0
  for f in "$samples"/部屋/*.pac; do
    n=$((n + 1))
    cp "$f" "$OUT/sample-$n.pac"
  done
  echo "make_corpus: $n sample rooms and 3 hand-made seeds in $OUT"
else
  echo "make_corpus: no tavi_samplegen at $SAMPLEGEN; 3 hand-made seeds in $OUT"
fi
