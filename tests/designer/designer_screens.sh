#!/bin/sh
# Screenshots of the designer's three item pages as test artefacts: opens a
# copy of a form description under Wine in a private X server once per
# page (the control to select is the designer's second argument), and once
# more for a form whose controls have no items. Leaves panels.png,
# system-menu-items.png, popup-menu-items.png and panels-empty.png in
# OUTDIR; fails when the designer does not come up.
# Usage: designer_screens.sh PREFIX DESIGNER_EXE FORM OUTDIR
set -u
if [ "${1:-}" != "--inside-x" ]; then
  export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot --init >/dev/null 2>&1
    wineserver -w
  fi
  shift
  exec xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" --inside-x "$@"
fi
designer="$2"
outdir="$4"
mkdir -p "$outdir"
rm -f "$outdir"/*.png
cp "$3" "$outdir/vellumark.form"
cat > "$outdir/empty.form" <<'FORM'
[FormEmpty]
Caption = "Empty"
ClientWidth = 300
ClientHeight = 120
[DropDownButtonEmpty]
Left = 8
Top = 8
Width = 100
Height = 26
Text = "&Nothing"
[StatusBarEmpty]
Left = 0
Top = 98
Width = 300
Height = 22
FORM

# Shows FORM with CONTROL selected and keeps the designer window as PNG.
shot() {
  wine "$designer" "$(winepath -w "$outdir/$1")" "$2" &
  pid=$!
  window=$(timeout 60 xdotool search --sync --name "Vellumark Designer" | head -1)
  if [ -z "$window" ]; then
    echo "the designer did not show its window for $2" >&2
    kill "$pid" 2>/dev/null
    return 1
  fi
  sleep 1.5
  # The window sits on a black screen without a window manager; trim it out.
  import -window root -trim +repage "$outdir/$3"
  kill "$pid"
  wait "$pid" 2>/dev/null
  return 0
}

status=0
shot vellumark.form StatusBarVellumark panels.png || status=1
shot vellumark.form SystemMenuVellumark system-menu-items.png || status=1
shot vellumark.form DropDownButtonProcess popup-menu-items.png || status=1
shot empty.form StatusBarEmpty panels-empty.png || status=1
wineserver -k 2>/dev/null
for png in panels system-menu-items popup-menu-items panels-empty; do
  width=$(identify -format '%w' "$outdir/$png.png" 2>/dev/null || echo 0)
  if [ "$width" -lt 600 ]; then
    echo "$png.png is missing or too small ($width pixels wide)" >&2
    status=1
  fi
done
exit $status
