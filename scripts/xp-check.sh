#!/usr/bin/env bash
# Does a Windows program import anything that Windows XP lacks?
#
#     bash xp-check.sh PROGRAM.exe
#
# Lists the program's imports (objdump -p) and compares them with the functions
# that the MinGW-w64 headers declare only for a newer Windows: a function that
# windows.h (with shellapi.h, commdlg.h, ole2.h) declares when _WIN32_WINNT is
# 0x0A00 but not when it is XP's (0x0501 for 32-bit, 0x0502 for XP x64) is taken
# to be missing on XP. Prints every such import and the DLLs imported; the last
# line sums up. Exit 0 when nothing is missing, 1 when something is, 2 on misuse.
# The headers' guards are the toolchain's own account of which system added a
# call; a call they do not guard at all is not caught here.
set -u
exe=${1:-}
[ -f "$exe" ] || { echo "usage: xp-check.sh PROGRAM.exe" >&2; exit 2; }
case "$(x86_64-w64-mingw32-objdump -f "$exe" 2>/dev/null)" in
  *pei-i386*) cross=i686-w64-mingw32 xp=0x0501 ;;
  *pei-x86-64*) cross=x86_64-w64-mingw32 xp=0x0502 ;;
  *) echo "xp-check.sh: $exe is not a 32-bit or 64-bit Windows program" >&2; exit 2 ;;
esac
command -v "$cross-gcc" >/dev/null || { echo "xp-check.sh: $cross-gcc is missing" >&2; exit 2; }

declared() {
  printf '#include <windows.h>\n#include <shellapi.h>\n#include <commdlg.h>\n#include <ole2.h>\n' |
    "$cross-gcc" -E -P -x c -D_WIN32_WINNT="$1" -DWINVER="$1" -DNTDDI_VERSION="${1}0000" - 2>/dev/null |
    grep -oE '\b[A-Za-z_][A-Za-z0-9_]*[[:space:]]*\(' | tr -d ' \t(' | sort -u
}
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
declared "$xp" > "$tmp/xp"
declared 0x0A00 > "$tmp/new"
comm -13 "$tmp/xp" "$tmp/new" > "$tmp/newer"

"$cross-objdump" -p "$exe" | awk '
  /DLL Name:/ { dll = $3; print "dll " dll; next }
  dll && /^\t[ 0-9a-f]+\t/ { print "fn " dll " " $NF }
  /^$/ { }' > "$tmp/imports"
grep '^dll ' "$tmp/imports" | cut -d' ' -f2 | sort -u | tr '\n' ' ' | sed 's/^/DLLs imported: /; s/ $/\n/'
missing=0; count=0
while read -r _ dll fn; do
  count=$((count + 1))
  if grep -qxF "$fn" "$tmp/newer"; then
    echo "missing on Windows XP: $dll $fn"
    missing=$((missing + 1))
  fi
done < <(grep '^fn ' "$tmp/imports")
echo "$count imports checked, $missing missing on Windows XP"
[ "$missing" -eq 0 ]
