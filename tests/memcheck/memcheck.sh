#!/usr/bin/env bash
# The BMP reader under valgrind's memcheck: tavipac, built without
# sanitizers in its own tree, converts BMP files of every layout, valid and
# broken (tests/memcheck/bmp_samples.py), as a drop would, and composes each
# as a part's base file. Any read of memory that no file wrote, or any other
# error memcheck finds, fails the run; refusals of broken files are expected.
set -euo pipefail
source "$(dirname "$0")/../../scripts/trees.sh"
tree=$BUILD/memcheck
cmake -S "$ROOT" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVI_TESTS=OFF >/dev/null
cmake --build "$tree" -j "$JOBS" --target tavipac tavi_samplegen >/dev/null
work=$tree/run
rm -rf "$work"
"$tree/tools/tavi_samplegen" "$work" >/dev/null
python3 "$ROOT/tests/memcheck/bmp_samples.py" "$work/bmp"
package=$(find "$work" -name '*.pac' | sort | head -n 1)
memcheck=(valgrind --quiet --error-exitcode=1 "$tree/tavipac/tavipac")
failed=0
# run ARGUMENTS...: tavipac under memcheck; its own refusals are no error.
run() {
  local status=0
  "${memcheck[@]}" "$@" >/dev/null 2>"$work/log" || status=$?
  if [ "$status" = 1 ]; then
    echo "memcheck: tavipac $*" >&2
    cat "$work/log" >&2
    failed=1
  fi
}
# Every file as a picture; those of 1 to 8 bits (part files) as a base too.
for file in "$work"/bmp/*.bmp; do
  run convert "$file" -o "$work/part.bmp" --force
  case ${file##*/} in rgb-*) ;; *) run compose "$package" -o "$work/new.pac" --force --base "4=$file" ;; esac
done
[ "$failed" = 0 ] || exit 1
echo "memcheck: $(find "$work/bmp" -name '*.bmp' | wc -l) BMP files converted and composed, no errors"
