#!/bin/sh
# Runs a Windows GUI test program under Wine in its own X server (Xvfb) and
# its own Wine prefix, inside a Wine virtual desktop: Wine then draws the
# window frames itself (so screenshots show captions) and hides windows at
# once instead of waiting for a window manager that is not there. The
# prefix is made on first use with the given screen DPI.
# Usage: run_forms_test.sh PREFIX DPI PROGRAM [ARGUMENTS...]
set -u
prefix="$1"
dpi="$2"
shift 2
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
if [ ! -f "$WINEPREFIX/user.reg" ] || ! grep -q '"Desktop"="Forms"' "$WINEPREFIX/user.reg"; then
  wineboot --init >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Forms /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Forms /d 1024x768 /f >/dev/null 2>&1
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -w
fi
exec xvfb-run -a -s "-screen 0 1024x768x24" sh -c 'wine "$@"; status=$?; wineserver -k 2>/dev/null; exit $status' \
  run-forms-test "$@"
