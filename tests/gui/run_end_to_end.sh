#!/usr/bin/env bash
# End-to-end tests of vellumark.exe: the program runs under Wine in a
# private X server and Wine prefix, on a generated Favorites tree that the
# prefix's Favorites folder points at. It is driven with xdotool (clicks and
# keys) and with vellumark-gui-driver (window messages where a click cannot
# be aimed, reading the list and the status panels). Every process writes
# into a folder chosen in the real folder browser, and its files must
# equal, byte for byte, what vellumark-cli writes on the same tree.
#
# Usage: run_end_to_end.sh PROGRAM CLI DRIVER TREE_TOOL WORK_FOLDER
# Screenshots are left in WORK_FOLDER/artefacts.
set -u
if [ -z "${VELLUMARK_E2E_DISPLAY:-}" ]; then
  export VELLUMARK_E2E_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

program=$1 cli=$2 driver=$3 tree_tool=$4 work=$5
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
run=$work/run
artefacts=$work/artefacts
favorites=$run/Favorites
failures=0

winpath() { printf 'Z:%s' "${1//\//\\}"; }
note() { echo "--- [${SECONDS}s] $*"; }
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
expect_eq() {  # name actual expected
  if [ "$2" != "$3" ]; then
    fail "$1"
    printf '  expected: %q\n  actual:   %q\n' "$3" "$2"
  fi
}
drive() {
  case $1 in
    list | status | enabled | current | menu | focus | rect | item-rect)
      # Questions that never have an empty answer are asked again when a
      # rare crash of Wine's loader as the driver exits swallowed it.
      local answer tries=0
      while answer=$(wine "$driver" "$@" | tr -d '\r') && [ -z "$answer" ] && [ $((tries += 1)) -lt 3 ]; do :; done
      printf '%s\n' "$answer"
      ;;
    *) wine "$driver" "$@" | tr -d '\r' ;;
  esac
}
cli() { wine "$cli" "$@" 2>"$run/cli-stderr.txt" | tr -d '\r'; }
registry_value() {
  wine reg query 'HKCU\Software\Tarnwell\Vellumark' /v "$1" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$1 *REG_SZ *//p"
}
screenshot() {  # file title
  local id
  id=$(xdotool search --onlyvisible --name "^$2\$" 2>/dev/null | head -n 1)
  if [ -n "$id" ]; then import -window "$id" "$artefacts/$1"; else import -window root "$artefacts/$1"; fi
}
click_at() { xdotool mousemove "$1" "$2" click 1; sleep 0.3; }
click_rect() {  # x y width height: click the middle
  click_at $(($1 + $3 / 2)) $(($2 + $4 / 2))
}
press() { xdotool key "$1"; sleep 0.4; }
# Alt stays down until the key is released (xdotool's alt+KEY lets go of Alt first).
press_with_alt() { xdotool keydown alt key "$1" keyup alt; sleep 0.4; }
# The folder the driver picks in the folder browser; "" cancels it.
choose_folder() { VELLUMARK_DRIVER_FOLDER=${1:+$(winpath "$1")}; }
export VELLUMARK_DRIVER_FOLDER=
# Wine reports faults it catches in the program's window procedures as
# err:seh lines; the program must meet none.
start_program() {
  WINEDEBUG=-all,err+seh wine "$program" 2>>"$run/program-errors.txt" &
  program_pid=$!
  expect_eq "main window shows" "$(drive wait-main)" "main window"
}

# A private prefix (made once) in which Wine draws the window frames
# itself, as there is no window manager. Wine makes no prefix in a missing
# folder, and without these settings every window closed waits 2 s for a
# window manager.
mkdir -p "$work"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot --init >/dev/null 2>&1
  wineserver -w
fi
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1

rm -rf "$run" "$artefacts"
mkdir -p "$run" "$artefacts"
{ strings -a "$program"; strings -a -el "$program"; } | grep -q VELLUMARK_TEST &&
  fail "the program holds a test hook's name"
wine "$tree_tool" --output "$(winpath "$favorites")" --favorites 160 --depth 3 --seed 11 \
  --duplicates 15 --extra-keys 30 >/dev/null 2>&1 || fail "tree generator"
# One read-only favorite, left out of the list unless "Read-only" is ticked.
readonly_file=$(find "$favorites" -mindepth 2 -iname '*.url' | sort | head -n 1)
chmod a-w "$readonly_file"
cp -a "$favorites" "$run/Favorites-for-cli"
cp -a "$favorites" "$run/Favorites-pristine"
wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' /v Favorites \
  /t REG_EXPAND_SZ /d "$(winpath "$favorites")" /f >/dev/null 2>&1
wine reg delete 'HKCU\Software\Tarnwell\Vellumark' /f >/dev/null 2>&1
cli settings Template Default >/dev/null
cli settings Interval 0 >/dev/null
cli settings Updated "End-to-end test" >/dev/null

# What the list must show, from the command line.
cli --favorites "$(winpath "$favorites")" list >"$run/list.txt"
entries=$(wc -l <"$run/list.txt")
total=$(awk -F'\t' '{ s += $1 } END { print s }' "$run/list.txt")
total_with_read_only=$(cli --favorites "$(winpath "$favorites")" --include-read-only list |
  awk -F'\t' '{ s += $1 } END { print s }')
names=$(cut -f2 "$run/list.txt")
count_of() { sed -n "$(($1 + 1))p" "$run/list.txt" | cut -f1; }
name_of() { sed -n "$(($1 + 1))p" "$run/list.txt" | cut -f2; }
folders_text() { echo "|$entries folder$([ "$entries" = 1 ] || echo s) / $1 selected |"; }
favorites_text() { echo "|$total favorite$([ "$total" = 1 ] || echo s) / $1 selected |"; }
ticked_entries() { drive list | sed -n 's/^\[x\] //p'; }
# The list's position of an entry (the file system gives their order).
entry_position() { drive list | cut -c5- | grep -nxF "$1" | cut -d: -f1 | { read -r line && echo $((line - 1)); }; }

note "start-up without a Favorites folder"
wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' /v Favorites \
  /t REG_EXPAND_SZ /d "$(winpath "$run/Missing")" /f >/dev/null 2>&1
wine "$program" &
missing=$!
expect_eq "no Favorites folder" "$(drive message)" "message: Error accessing favorites folder"
wait "$missing"
expect_eq "exit code without a Favorites folder" "$?" "1"
wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' /v Favorites \
  /t REG_EXPAND_SZ /d "$(winpath "$favorites")" /f >/dev/null 2>&1

note "start-up: the folder list and the counts"
start_program
sleep 0.5
screenshot main-window.png "Tarnwell Vellumark"
expect_eq "list entries" "$(drive list | cut -c5-)" "$names"
expect_eq "nothing ticked at start" "$(ticked_entries)" ""
expect_eq "panel 0 at start" "$(drive status 0)" "$(folders_text 0)"
expect_eq "panel 1 at start" "$(drive status 1)" "$(favorites_text 0)"
expect_eq "panel 2 at start" "$(drive status 2)" "||"
expect_eq "Process disabled at start" "$(drive enabled)" "0"

note "messages of the program's own numbers from another process"
expect_eq "hostile messages" "$(drive hostile-messages)" "still running"
expect_eq "faults from those messages" "$(grep -c 'err:seh' "$run/program-errors.txt")" "0"

note "keyboard: tab order and mnemonics"
click_rect $(drive item-rect 1)
focus_order=$(drive focus)
for _ in 1 2 3 4 5; do
  press Tab
  focus_order="$focus_order $(drive focus)"
done
expect_eq "tab order" "$focus_order" "1003 1004 1005 1006 1008 1003"
press alt+a
expect_eq "Alt+A selects all" "$(drive status 0)" "$(folders_text "$entries")"
click_rect $(drive item-rect 1)
press Return
expect_eq "Enter opens the default button's menu" "$(drive menu)" "1"
press Escape
expect_eq "Escape closes the menu" "$(drive menu)" "0"
press alt+r
expect_eq "Alt+R refreshes" "$(drive status 0)" "$(folders_text 0)"
press Return
expect_eq "Enter opens no menu while Process is disabled" "$(drive menu)" "0"

note "second instance"
wine "$program" &
second=$!
expect_eq "second instance message" "$(drive message)" "message: The application is already active"
wait "$second"
expect_eq "second instance exit code" "$?" "1"

note "ticking by clicks"
click_rect $(drive item-rect 0)
click_rect $(drive item-rect 2)
expect_eq "two ticked by click" "$(ticked_entries)" "$(name_of 0)
$(name_of 2)"
expect_eq "panel 0 with two ticked" "$(drive status 0)" "$(folders_text 2)"
expect_eq "panel 1 with two ticked" "$(drive status 1)" "$(favorites_text $(($(count_of 0) + $(count_of 2))))"
expect_eq "Process enabled" "$(drive enabled)" "1"

note "F3 stores, Refresh clears, F1 restores, F2 inverts, whatever Shift, Ctrl and Alt are"
press_with_alt F3
expect_eq "F3 stores the ticked set" "$(registry_value ShortcutFolders)" "$(name_of 0)|$(name_of 2)"
click_rect $(drive rect 1006)
expect_eq "Refresh unticks" "$(ticked_entries)" ""
expect_eq "Refresh disables Process" "$(drive enabled)" "0"
press ctrl+shift+F1
expect_eq "F1 restores" "$(ticked_entries)" "$(name_of 0)
$(name_of 2)"
expect_eq "F1 updates panel 0" "$(drive status 0)" "$(folders_text 2)"
expect_eq "F1 enables Process" "$(drive enabled)" "1"
press_with_alt shift+F2
expect_eq "F2 inverts" "$(ticked_entries)" "$(echo "$names" | sed '1d;3d')"
expect_eq "F2 updates panel 0" "$(drive status 0)" "$(folders_text $((entries - 2)))"
expect_eq "F2 makes the last entry it ticked current" "$(drive current)" "$((entries - 1))"
drive click 1006 >/dev/null
press F3
expect_eq "F3 with nothing ticked stores nothing" "$(registry_value ShortcutFolders)" ""
stored="$(name_of 1 | tr '[:lower:]' '[:upper:]')|No such folder"
wine reg add 'HKCU\Software\Tarnwell\Vellumark' /v ShortcutFolders /d "$stored" /f >/dev/null 2>&1
press F1
expect_eq "F1 ignores letter case and unknown folders" "$(ticked_entries)" "$(name_of 1)"

note "Read-only option and Refresh after the tree changed"
click_rect $(drive rect 1008)
expect_eq "Read-only counts the read-only favorite" "$(drive status 1)" \
  "|$total_with_read_only favorites / 0 selected |"
drive click 1008 >/dev/null
mkdir "$favorites/Zz Added"
printf '[InternetShortcut]\r\nURL=https://added.example/\r\n' >"$favorites/Zz Added/Added.url"
drive click 1006 >/dev/null
expect_eq "Refresh shows the added folder" "$(drive list | grep -c '^\[ \] Zz Added$')" "1"
expect_eq "Refresh counts the added favorite" "$(drive status 1)" "|$((total + 1)) favorites / 0 selected |"
rm -r "$favorites/Zz Added"
drive click 1006 >/dev/null

note "cancelling the folder choice writes nothing"
choose_folder ""
mkdir -p "$run/gui-cancel"
drive click 1005 >/dev/null
expect_eq "cancelled run" "$(drive process 0)" "run ended"
expect_eq "nothing written after cancel" "$(ls -A "$run/gui-cancel")" ""
expect_eq "ticks stay after cancel" "$(ticked_entries)" "$names"
expect_eq "panel 2 stays empty after cancel" "$(drive status 2)" "||"

note "the Generate dialog's checks in their order, then Cancel: nothing written"
mkdir -p "$run/gui-generate-cancel"
choose_folder "$run/gui-generate-cancel"
drive click 1005 >/dev/null
drive process 3 generate-checks >"$run/gui-generate-cancel.log"
expect_eq "Generate dialog: its messages in order" \
  "$(grep -E '^(generate dialog|message: )' "$run/gui-generate-cancel.log" | tr -d '\r')" "generate dialog
message: Invalid interval
message: Please select a template"
expect_eq "nothing written after the dialog is cancelled" "$(ls -A "$run/gui-generate-cancel")" ""
expect_eq "ticks stay after the dialog is cancelled" "$(ticked_entries)" "$names"

note "the five processes against vellumark-cli"
processes=(check clean convert generate statistics)
for index in 0 2 3 4 1; do
  name=${processes[$index]}
  mkdir -p "$run/gui-$name" "$run/cli-$name"
  choose_folder "$run/gui-$name"
  mode=
  if [ "$name" = convert ]; then
    # Favorites added since the last refresh are counted before the run.
    for tree in "$favorites" "$run/Favorites-for-cli" "$run/Favorites-pristine"; do
      printf '[InternetShortcut]\r\nURL=https://late.example/\r\n' >"$tree/$(name_of 0)/Added late.url"
    done
    total=$((total + 1))
    mode=probe
  fi
  if [ "$name" = statistics ]; then
    # Unreadable shortcuts, which the window lists in one message after the run.
    for tree in "$favorites" "$run/Favorites-for-cli" "$run/Favorites-pristine"; do
      for i in $(seq 11 22); do printf '[InternetShortcut]\r\n' >"$tree/$(name_of 0)/Broken $i.url"; done
    done
    total=$((total + 12))
  fi
  if [ "$name" = clean ]; then
    # A shortcut whose text would not survive a rewrite (UTF-16 with a lone
    # surrogate) is reported, not lost.
    for tree in "$favorites" "$run/Favorites-for-cli" "$run/Favorites-pristine"; do
      {
        printf '\xff\xfe'
        printf '[InternetShortcut]\r\nURL=https://odd.example/\r\nIconIndex=1\r\n[Other]\r\nNote=x' |
          iconv -f UTF-8 -t UTF-16LE
        printf '\x00\xd8'
        printf '\r\n' | iconv -f UTF-8 -t UTF-16LE
      } >"$tree/$(name_of 0)/Odd bytes.url"
    done
    total=$((total + 1))
  fi
  click_rect $(drive rect 1005)
  expect_eq "$name: Select All" "$(drive status 0)" "$(folders_text "$entries")"
  drive process "$index" $mode >"$run/gui-$name.log"
  grep -q '^run ended$' "$run/gui-$name.log" || fail "$name: the run did not end"
  expect_eq "$name: every folder unticked" "$(ticked_entries)" ""
  expect_eq "$name: panel 2 cleared" "$(drive status 2)" "||"
  expect_eq "$name: the last folder walked is current" "$(drive current)" "$((entries - 1))"
  if [ "$name" = clean ]; then
    cli --favorites "$(winpath "$run/Favorites-for-cli")" clean --all --output "$(winpath "$run/cli-$name")" >/dev/null
    diff -r "$favorites" "$run/Favorites-for-cli" >/dev/null || fail "clean: the trees differ"
    diff -r "$favorites" "$run/Favorites-pristine" >/dev/null && fail "clean: nothing was cleaned"
    cmp -s "$favorites/$(name_of 0)/Odd bytes.url" "$run/Favorites-pristine/$(name_of 0)/Odd bytes.url" ||
      fail "clean: the shortcut it cannot rewrite was changed"
    expect_eq "clean: the shortcut it cannot rewrite is reported" \
      "$(grep -A1 '^message: Could not rewrite' "$run/gui-clean.log" | tr -d '\r')" \
      "message: Could not rewrite 1 shortcut:
$(winpath "$favorites/$(name_of 0)/Odd bytes.url")"
  else
    cli --favorites "$(winpath "$favorites")" "$name" --all --output "$(winpath "$run/cli-$name")" >/dev/null
    diff -r "$run/gui-$name" "$run/cli-$name" >/dev/null || fail "$name: the files differ from vellumark-cli's"
    [ -n "$(ls -A "$run/gui-$name")" ] || fail "$name: nothing written"
  fi
  gui_errors=$(tr -d '\r' <"$run/gui-$name.log" | sed -n 's/^message: Error reading URL from \([0-9]*\) shortcuts*:$/\1/p')
  cli_errors=$(grep -c '^Error reading URL from' "$run/cli-stderr.txt")
  expect_eq "$name: unreadable favorites reported in one message" "${gui_errors:-0}" "$cli_errors"
done
grep -q '^generate dialog$' "$run/gui-generate.log" || fail "generate: the options dialog was not shown"
expect_eq "convert: the favorite added late is counted" "$(drive status 1)" "$(favorites_text 0)"
expect_eq "during a run, ticks, Refresh and a second run are refused" \
  "$(grep -E '^(tick|refresh|second run)' "$run/gui-convert.log")" "tick during run: refused
refresh during run: refused
second run: refused"

note "About window"
drive about >/dev/null
expect_eq "About window" "$(drive wait-window "About Vellumark")" "window: About Vellumark"
sleep 0.5
screenshot about-window.png "About Vellumark"
drive close-window "About Vellumark" >/dev/null

note "repeated runs leave no GDI or USER objects behind"
# Every process and the About window have run once above, so libraries
# and caches are loaded; each round runs them all once more.
run_every_process() {
  for index in 0 1 2 3 4; do
    rm -rf "$run/repeat"
    mkdir -p "$run/repeat"
    choose_folder "$run/repeat"
    drive click 1005 >/dev/null
    drive process "$index" | grep -q '^run ended$' || fail "repeated run of process $index"
  done
  drive about >/dev/null
  drive wait-window "About Vellumark" >/dev/null
  drive close-window "About Vellumark" >/dev/null
}
run_every_process
objects_after_one=$(drive gui-objects)
run_every_process
objects_after_two=$(drive gui-objects)
echo "GUI objects after one round: $objects_after_one; after two: $objects_after_two"
# The folder browser in every run may drop an object from the shell's
# caches; only a count that grows is a leak.
gdi_objects() { echo "$1" | sed -n 's/^gdi \(-\{0,1\}[0-9]*\) user -\{0,1\}[0-9]*$/\1/p'; }
user_objects() { echo "$1" | sed -n 's/^gdi -\{0,1\}[0-9]* user \(-\{0,1\}[0-9]*\)$/\1/p'; }
for kind in gdi user; do
  [ -n "$(${kind}_objects "$objects_after_two")" ] &&
    [ "$(${kind}_objects "$objects_after_two")" -le "$(${kind}_objects "$objects_after_one")" ] ||
    fail "$kind objects grew in one more round: $objects_after_one, then $objects_after_two"
done
# The count must see the program's own objects: an open About window holds
# a window and its controls.
drive about >/dev/null
drive wait-window "About Vellumark" >/dev/null
objects_with_about=$(drive gui-objects)
drive close-window "About Vellumark" >/dev/null
echo "GUI objects with the About window open: $objects_with_about"
[ -n "$(user_objects "$objects_after_two")" ] && [ -n "$(user_objects "$objects_with_about")" ] &&
  [ "$(user_objects "$objects_with_about")" -gt "$(user_objects "$objects_after_two")" ] ||
  fail "the count does not see the About window's objects"

note "closing the window during a run stops it, ends the program and keeps the earlier file"
mkdir -p "$run/gui-stopped"
earlier=$run/gui-stopped/bookmarks.html
printf 'the earlier bookmark file\r\n' >"$earlier"
cp "$earlier" "$run/earlier-bookmarks.html"
choose_folder "$run/gui-stopped"
drive click 1005 >/dev/null
drive process 2 close >"$run/gui-stopped.log"
wait "$program_pid"
expect_eq "exit code after closing during a run" "$?" "0"
cmp -s "$earlier" "$run/earlier-bookmarks.html" || fail "the stopped run changed the earlier bookmarks.html"
expect_eq "files left by the stopped run" "$(ls -A "$run/gui-stopped")" "bookmarks.html"

note "the folder browser's first offer is the program's folder"
installed=$WINEPREFIX/drive_c/vellumark-e2e
rm -rf "$installed"
mkdir -p "$installed"
cp "$program" "$installed/"
cp -r "$(dirname "$program")/Templates" "$installed/"
program=$installed/$(basename "$program")
start_program
drive click 1005 >/dev/null
expect_eq "browser accepted" "$(drive process 0 accept-browser | grep -E '^(browser|run ended)$')" "browser
run ended"
mkdir -p "$run/cli-browsed"
cli --favorites "$(winpath "$favorites")" check --all --output "$(winpath "$run/cli-browsed")" >/dev/null
cmp -s "$installed/Check.txt" "$run/cli-browsed/Check.txt" || fail "the browsed run's Check.txt differs"
rm -f "$installed/Check.txt"
drive click 1005 >/dev/null
expect_eq "browser cancelled" "$(drive process 0 cancel-browser)" "browser
run ended"
[ -e "$installed/Check.txt" ] && fail "a cancelled browse wrote Check.txt"
expect_eq "ticks stay after the browser is cancelled" "$(ticked_entries)" "$(drive list | cut -c5-)"
expect_eq "close" "$(drive close)" "closed"
wait "$program_pid"
expect_eq "exit code after close" "$?" "0"

note "verify against servers on 127.0.0.1: its report, its summary, and Escape"
server=$work/link-server
python3 "$(dirname "$0")/../processes/link_server.py" start "$server" || fail "verify: the link servers did not start"
port() { sed -n "s/^$1 //p" "$server/ports"; }
verify_tree=$run/Verify-favorites
rm -rf "$verify_tree" "$run/gui-verify" "$run/cli-verify"
mkdir -p "$verify_tree/Live" "$verify_tree/Silent" "$run/gui-verify" "$run/cli-verify"
for link in ok missing moved; do
  printf '[InternetShortcut]\r\nURL=http://127.0.0.1:%s/%s\r\n' "$(port plain1)" "$link" >"$verify_tree/Live/$link.url"
done
printf '[InternetShortcut]\r\nURL=http://127.0.0.1:%s/\r\n' "$(port silent)" >"$verify_tree/Silent/silent.url"
wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' /v Favorites \
  /t REG_EXPAND_SZ /d "$(winpath "$verify_tree")" /f >/dev/null 2>&1
start_program
choose_folder "$run/gui-verify"
drive tick "$(entry_position Live)" >/dev/null
drive process 5 >"$run/gui-verify.log"
expect_eq "verify: the summary" "$(grep '^message: Verified' "$run/gui-verify.log")" \
  "message: Verified 3 links: 1 dead, 1 moved, 0 not checked."
cli --favorites "$(winpath "$verify_tree")" verify Live --output "$(winpath "$run/cli-verify")" >/dev/null
cmp -s "$run/gui-verify/Verify.txt" "$run/cli-verify/Verify.txt" || fail "verify: Verify.txt differs from vellumark-cli's"
drive tick "$(entry_position Silent)" >/dev/null
drive process 5 escape >"$run/gui-verify-stopped.log"
grep -q '^message' "$run/gui-verify-stopped.log" && fail "verify: a stopped run showed a message"
cmp -s "$run/gui-verify/Verify.txt" "$run/cli-verify/Verify.txt" || fail "verify: the stopped run replaced Verify.txt"
expect_eq "verify: the window stays after Escape, its status cleared" "$(drive status 2)" "||"
expect_eq "close" "$(drive close)" "closed"
wait "$program_pid"
python3 "$(dirname "$0")/../processes/link_server.py" stop "$server"

expect_eq "faults in the program" "$(grep -c 'err:seh' "$run/program-errors.txt")" "0"
wineserver -k 2>/dev/null
if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all end-to-end checks passed"
