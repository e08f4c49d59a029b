#!/usr/bin/env bash
# Runs every fuzz target in turn for MINUTES minutes each, on one core, at low
# priority, from the seeds in fuzz/corpus/TARGET. New inputs go to
# build/fuzz/corpus/TARGET, findings to build/fuzz/findings/. Builds the
# targets first (clang, TAVI_FUZZ=ON, in build/fuzz).
#   bash fuzz/run_all.sh MINUTES [TARGET...]   (targets: package preview part_load report picture drop)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
MINUTES=${1:?usage: run_all.sh MINUTES [TARGET...]}
[ "$MINUTES" -ge 1 ] || { echo "run_all.sh: MINUTES must be 1 or more" >&2; exit 2; }
shift
TARGETS=${*:-package preview part_load report picture drop}
BUILD=${TAVI_FUZZ_BUILD:-$ROOT/build/fuzz}

CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVI_FUZZ=ON >/dev/null
cmake --build "$BUILD" --target fuzz -j "${TAVI_JOBS:-2}"

mkdir -p "$BUILD/findings"
status=0
for target in $TARGETS; do
  corpus=$BUILD/corpus/$target
  mkdir -p "$corpus"
  # The picture decoders run under a memory limit: no input may make them
  # take more than 64 MiB at once.
  limits=()
  case $target in picture | drop) limits=(-malloc_limit_mb=64) ;; esac
  echo "== $target"
  # A dropped picture starts from the pictures' seeds too.
  seeds=("$ROOT/fuzz/corpus/$target")
  [ "$target" = drop ] && seeds+=("$ROOT/fuzz/corpus/picture")
  nice "$BUILD/fuzz/tavi_${target}_fuzzer" "$corpus" "${seeds[@]}" \
    -max_total_time=$((MINUTES * 60)) -print_final_stats=1 -artifact_prefix="$BUILD/findings/$target-" \
    "${limits[@]}" 2>&1 | grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::average_exec_per_sec|==[0-9]+==|SUMMARY)' \
    || status=1
done
exit $status
