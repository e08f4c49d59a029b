# Sourced by the scripts that run Windows programs: an Xvfb display (unless
# one is given), the project's own Wine prefix set up once, and a warm
# wineserver that wine_env_stop ends before the display goes away.
#
# 64-bit programs are started with the 64-bit Wine loader directly
# (wine64 PROGRAM): Debian's wine script would start every program through
# the 32-bit loader once the 32-bit Wine is installed, which a kernel that
# runs no 32-bit code refuses, and which costs half a second elsewhere.
# wine32 PROGRAM starts a 32-bit one.
ROOT=${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
source "$ROOT/scripts/i386.sh"
export WINEPREFIX=${TAVI_WINEPREFIX:-$ROOT/build/wineprefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Code page 932 in Wine, English messages from the host tools.
export LANG=C.UTF-8 LC_CTYPE=ja_JP.UTF-8
unset LC_ALL
WINE64_LOADER=/usr/lib/wine/wine64
WINE32_LOADER=/usr/lib/wine/wine
# The loader Wine starts further programs with; it takes the 32-bit one
# (the same name without "64") for a 32-bit program.
export WINELOADER=$WINE64_LOADER
PREFIX_KIND_FILE=.tavi-prefix-kind

TAVI_XVFB_PID=

wine64() { "$WINE64_LOADER" "$@"; }
wine32() { "$WINE32_LOADER" "$@"; }

# What a prefix made here and now would be: "wow64" (64-bit and 32-bit
# programs) where the 32-bit Wine is installed and 32-bit code runs, else
# "win64" (64-bit programs only).
wine_prefix_kind_here() {
  if [ -x "$WINE32_LOADER" ] && i386_code_runs; then echo wow64; else echo win64; fi
}

# A prefix serves when it was made for what runs here: a wow64 prefix serves
# 64-bit programs too, while the 32-bit Wine is installed; a win64 prefix
# made before the 32-bit Wine could run does not serve it.
wine_prefix_fits() {
  local made wanted
  made=$(cat "$WINEPREFIX/$PREFIX_KIND_FILE" 2>/dev/null) || return 1
  wanted=$(wine_prefix_kind_here)
  [ "$made" = "$wanted" ] && return 0
  [ "$made" = wow64 ] && [ "$wanted" = win64 ] && [ -x "$WINE32_LOADER" ]
}

wine_display_start() {
  if [ -z "${DISPLAY:-}" ] || [ "${TAVI_OWN_DISPLAY:-0}" = 1 ]; then
    local n=$((90 + RANDOM % 9))
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    TAVI_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
}

wine_prefix_make() {
  local kind
  kind=$(wine_prefix_kind_here)
  echo "wine: creating the prefix $WINEPREFIX ($kind)"
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wine64 wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
  # Hide and destroy of shown windows are instant without a window manager.
  wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wine64 reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  # Wine reports Windows 7 (6.1), for which the editor warns at every
  # start; Tavi.exe is shown Windows XP (5.1), which it runs on silently.
  wine64 reg add 'HKCU\Software\Wine\AppDefaults\Tavi.exe' /v Version /t REG_SZ /d winxp /f >/dev/null 2>&1
  # The dialogs' proportional Japanese font, whatever LANG is.
  wine64 reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
    /v 'ＭＳ Ｐゴシック' /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1
  wineserver -w || true
  # Wine's own fonts (Marlett draws the caption's close box).
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  [ -d "$WINEPREFIX/drive_c/windows/system32" ] || {
    echo "wine: the prefix $WINEPREFIX could not be made" >&2
    return 1
  }
  echo "$kind" >"$WINEPREFIX/$PREFIX_KIND_FILE"
}

wine_env_start() {
  wine_display_start
  wine_prefix_fits || wine_prefix_make
  # A persistent server, so that every test does not pay for a cold start.
  wineserver -p >/dev/null 2>&1 || true
  wine64 cmd /c exit 0 >/dev/null 2>&1 || true
}

wine_env_stop() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  if [ -n "$TAVI_XVFB_PID" ]; then kill "$TAVI_XVFB_PID" 2>/dev/null || true; fi
}
