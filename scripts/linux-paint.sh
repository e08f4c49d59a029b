# Sourced by tavi.sh after wine-env.sh: the Linux program that a double-click
# on a part's preview opens the part in, and the edit action of BMP files in
# the project's Wine prefix that hands it over (linux-paint-open.sh).
#
# The program is TAVI_PAINT, a command line that the file's Linux path is
# put after, else the desktop's program for BMP pictures: the desktop file
# that xdg-mime names for image/bmp, whose Exec gio launch runs. Wine starts
# a Unix program named on a Windows command line as it starts a Windows one,
# so the action is linux-paint-open.sh itself; it is registered in this
# prefix only, and only while there is a program to open, so that without
# one the editor's own message appears.
LINUX_PAINT_ACTION=$ROOT/scripts/linux-paint-open.sh
LINUX_PAINT_CLASS=Tavi.bitmap
# The action registered in the prefix now; no file when none is.
LINUX_PAINT_MARK=$WINEPREFIX/.tavi-paint-action

# The desktop file of the desktop's program for BMP pictures, if any: the
# file of the name xdg-mime gives in the applications folder of the user's
# data folder or of a system one.
linux_paint_desktop_file() {
  local id dirs dir
  id=$(xdg-mime query default image/bmp 2>/dev/null) || return 0
  [ -n "$id" ] || return 0
  IFS=: read -ra dirs <<<"${XDG_DATA_HOME:-$HOME/.local/share}:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"
  for dir in "${dirs[@]}"; do
    if [ -f "$dir/applications/$id" ]; then
      echo "$dir/applications/$id"
      return 0
    fi
  done
}

linux_paint_register() {
  [ "$(cat "$LINUX_PAINT_MARK" 2>/dev/null)" = "$LINUX_PAINT_ACTION" ] && return 0
  local action
  action=$(wine64 winepath.exe -w "$LINUX_PAINT_ACTION")
  wine64 reg add 'HKCR\.bmp' /ve /d "$LINUX_PAINT_CLASS" /f >/dev/null
  wine64 reg add "HKCR\\$LINUX_PAINT_CLASS\\shell\\edit\\command" /ve /d "\"$action\" \"%1\"" /f >/dev/null
  echo "$LINUX_PAINT_ACTION" >"$LINUX_PAINT_MARK"
}

linux_paint_unregister() {
  [ -f "$LINUX_PAINT_MARK" ] || return 0
  wine64 reg delete "HKCR\\$LINUX_PAINT_CLASS\\shell\\edit" /f >/dev/null
  rm -f "$LINUX_PAINT_MARK"
}

# The action registered for the program found (TAVI_PAINT_DESKTOP names the
# desktop file for linux-paint-open.sh), or taken away with one line on how
# to name a program.
linux_paint_setup() {
  TAVI_PAINT_DESKTOP=
  [ -n "${TAVI_PAINT:-}" ] || TAVI_PAINT_DESKTOP=$(linux_paint_desktop_file)
  export TAVI_PAINT_DESKTOP
  if [ -n "${TAVI_PAINT:-}$TAVI_PAINT_DESKTOP" ]; then
    linux_paint_register
    echo "tavi: a double-click on a part's preview opens it in ${TAVI_PAINT:-$TAVI_PAINT_DESKTOP}"
  else
    linux_paint_unregister
    echo "tavi: no program for BMP pictures; name one with TAVI_PAINT=PROGRAM (or make one the desktop's default for image/bmp)"
  fi
}
