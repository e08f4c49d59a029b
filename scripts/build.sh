#!/usr/bin/env bash
# Configures and builds every tree (see trees.sh): the native one (with
# sanitizers unless TAVI_SANITIZE=OFF), the release programs for both
# Windows architectures, all the Windows tests for 64-bit Windows and the
# editor's (dialogs, Tavi.exe end to end) for 32-bit Windows.
set -euo pipefail
source "$(dirname "$0")/trees.sh"

configure_tree native -DTAVI_SANITIZE="${TAVI_SANITIZE:-ON}"
build_tree native
# The benchmarks are built as well, so that they never fall behind the code.
build_tree native bench
for arch in "${WINDOWS_ARCHES[@]}"; do
  configure_tree "release-$arch"
  build_tree "release-$arch" Tavi tavipac
done
configure_tree win
build_tree win
build_tree win bench
configure_tree win-i686
build_tree win-i686 tavi_win_tests tavi_e2e_tests
