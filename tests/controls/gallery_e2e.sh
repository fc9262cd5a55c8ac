#!/bin/sh
# End to end: starts the control gallery under Wine in a private X server,
# clicks the drop-down button with the mouse, clicks the menu entry
# "Convert" (index 2), and checks that ItemClick reported Index=2. Leaves
# screenshots of the gallery (gallery.png) and of the open menu
# (gallery-menu.png), of the result (gallery-after.png) and the gallery's
# event log in OUTDIR.
# Usage: gallery_e2e.sh PREFIX GALLERY_EXE OUTDIR
set -u
if [ "${1:-}" != "--inside-x" ]; then
  export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot --init >/dev/null 2>&1
  fi
  wineserver -w  # the previous session of this prefix must be gone
  exec xvfb-run -a -s "-screen 0 800x600x24" sh "$0" --inside-x "$@"
fi
gallery="$3"
outdir="$4"
mkdir -p "$outdir"
events="$outdir/gallery-events.txt"
rm -f "$events" "$outdir"/gallery*.png

# Waits up to 60 s for a line matching $1 in the event file.
await() {
  i=0
  while [ $i -lt 600 ]; do
    grep -q "$1" "$events" 2>/dev/null && return 0
    sleep 0.1
    i=$((i + 1))
  done
  echo "timed out waiting for '$1'" >&2
  return 1
}

# "name=L,T,R,B" -> "X Y", the rectangle's centre.
centre() {
  echo "$1" | sed 's/.*=//' | awk -F, '{ printf "%d %d\n", ($1 + $3) / 2, ($2 + $4) / 2 }'
}

wine "$gallery" "$(winepath -w "$events" 2>/dev/null)" &
status=1
if await "^Ready"; then
  sleep 1
  import -window root "$outdir/gallery.png"
  set -- $(centre "$(grep '^Ready' "$events")")
  xdotool mousemove "$1" "$2" click 1
  if await "^MenuItem 2="; then
    sleep 0.5
    import -window root "$outdir/gallery-menu.png"
    set -- $(centre "$(grep '^MenuItem 2=' "$events")")
    xdotool mousemove "$1" "$2" click 1
    if await "^ItemClick" && grep -q '^ItemClick Index=2 Text=Convert$' "$events"; then status=0; fi
    sleep 0.5
    import -window root "$outdir/gallery-after.png"
  fi
fi
echo "gallery events:"
cat "$events" 2>/dev/null
wineserver -k 2>/dev/null
wineserver -w
exit $status
