# Sourced by the scripts that run Windows programs: an Xvfb display (unless
# one is given), the project's own Wine prefix set up once, and a warm
# wineserver that wine_env_stop ends before the display goes away.
ROOT=${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${TAVI_WINEPREFIX:-$ROOT/build/wineprefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Code page 932 in Wine, English messages from the host tools.
export LANG=C.UTF-8 LC_CTYPE=ja_JP.UTF-8
unset LC_ALL

TAVI_XVFB_PID=

# A prefix made while only the 64-bit Wine was installed stops working once
# the 32-bit one is ("could not load kernel32.dll"), and the reverse: a
# prefix has syswow64 exactly when it was made with the 32-bit Wine
# (/usr/lib/wine/wine) there.
wine_prefix_fits() {
  [ -d "$WINEPREFIX/drive_c/windows/syswow64" ] && [ -e /usr/lib/wine/wine ] && return 0
  [ ! -d "$WINEPREFIX/drive_c/windows/syswow64" ] && [ ! -e /usr/lib/wine/wine ]
}

wine_env_start() {
  if [ -z "${DISPLAY:-}" ] || [ "${TAVI_OWN_DISPLAY:-0}" = 1 ]; then
    local n=$((90 + RANDOM % 9))
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    TAVI_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
  if [ -d "$WINEPREFIX/drive_c/windows" ] && ! wine_prefix_fits; then
    echo "wine: the prefix $WINEPREFIX was made for another set of Wine architectures; making it again"
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/.tavi-ready" ]; then
    echo "wine: creating the prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
    # Hide and destroy of shown windows are instant without a window manager.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w || true
    touch "$WINEPREFIX/.tavi-ready"
  fi
  # A persistent server, so that every test does not pay for a cold start.
  wineserver -p >/dev/null 2>&1 || true
  wine cmd /c exit 0 >/dev/null 2>&1 || true
  if [ ! -f "$WINEPREFIX/.tavi-editor-settings" ]; then
    # Wine reports Windows 7 (6.1), for which the editor warns at every
    # start; Tavi.exe is shown Windows XP (5.1), which it runs on silently.
    wine reg add 'HKCU\Software\Wine\AppDefaults\Tavi.exe' /v Version /t REG_SZ /d winxp /f >/dev/null 2>&1
    # The dialogs' proportional Japanese font, whatever LANG is.
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
      /v 'ＭＳ Ｐゴシック' /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1
    # Wine's own fonts (Marlett draws the caption's close box).
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    touch "$WINEPREFIX/.tavi-editor-settings"
  fi
}

wine_env_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$TAVI_XVFB_PID" ]; then kill "$TAVI_XVFB_PID" 2>/dev/null || true; fi
}
