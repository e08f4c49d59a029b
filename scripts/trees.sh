# Sourced by the scripts that build: the build trees and how each is
# configured. TAVI_BUILD moves them all, TAVI_JOBS limits the build.
#   native          portable libraries, native tests, tools, sample rooms
#   release-ARCH    Tavi.exe and tavipac.exe for Windows XP and later
#   win, win-i686   the Windows tests (64-bit, 32-bit), which start the
#                   release Tavi.exe of their architecture
ROOT=${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
BUILD=${TAVI_BUILD:-$ROOT/build}
JOBS=${TAVI_JOBS:-$(nproc)}
WINDOWS_ARCHES=(x86_64 i686)

tree_options() {
  case $1 in
    native) echo "-DCMAKE_BUILD_TYPE=RelWithDebInfo" ;;
    release-*)
      echo "-DCMAKE_BUILD_TYPE=Release -DTAVI_TESTS=OFF" \
        "-DCMAKE_TOOLCHAIN_FILE=$ROOT/cmake/mingw-w64-${1#release-}-xp.cmake" ;;
    win | win-*)
      local arch=${1#win-}
      [ "$arch" = win ] && arch=x86_64
      echo "-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=$ROOT/cmake/mingw-w64-$arch.cmake" \
        "-DTAVI_RELEASE_TREE=$BUILD/release-$arch"
      [ "$arch" = x86_64 ] || echo "-DTAVI_ALL_TESTS=OFF" ;;
    *) echo "trees: no tree named $1" >&2; return 1 ;;
  esac
}

# configure_tree NAME [CMAKE_OPTIONS...]: configures the tree with its
# options and those given.
configure_tree() {
  local name=$1 options
  shift
  options=$(tree_options "$name")
  # shellcheck disable=SC2086 # the options are words without blanks
  cmake -S "$ROOT" -B "$BUILD/$name" -G Ninja $options "$@" >/dev/null
}

# ensure_tree NAME: configures the tree only when it is new, so that a tree
# the tests configured keeps its options.
ensure_tree() {
  [ -f "$BUILD/$1/CMakeCache.txt" ] || configure_tree "$1"
}

# build_tree NAME [TARGETS...]: builds the whole tree or those targets.
build_tree() {
  local name=$1
  shift
  cmake --build "$BUILD/$name" -j "$JOBS" ${1:+--target "$@"}
}
