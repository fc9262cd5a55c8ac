#!/bin/sh
# Runs a Windows GUI program under Wine in its own X server (Xvfb) and its
# own Wine prefix, so windows can be created without a desktop and nothing
# is shared with other Wine sessions. The prefix is created on first use;
# the Wine server of the prefix is stopped when the program ends.
# Usage: run_gui_test.sh PREFIX PROGRAM [ARGUMENTS...]
set -u
prefix="$1"
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot --init >/dev/null 2>&1
fi
wineserver -w  # the previous session of this prefix must be gone
exec xvfb-run -a -s "-screen 0 1024x768x24" sh -c 'wine "$@"; status=$?; wineserver -k 2>/dev/null; wineserver -w; exit $status' \
  run-gui-test "$@"
