#!/usr/bin/env bash
# Installs the packages in a fresh Wine prefix and checks what they do: the
# installer's files, uninstall entry and Start-menu shortcut; the installed
# programs on a Favorites tree in the Wine profile; an upgrade to a newer
# package; the uninstall, which must leave the favorites and the stored
# settings as they were; and the zip, unpacked into a folder whose path holds
# a space and non-ASCII letters.
#
# Usage: install_test.sh DIST_FOLDER VERSION NATIVE_BUILD WORK_FOLDER
set -u
if [ -z "${VELLUMARK_INSTALL_DISPLAY:-}" ]; then
  export VELLUMARK_INSTALL_DISPLAY=1
  exec xvfb-run -a bash "$0" "$@"
fi

dist=$(realpath "$1") version=$2 native=$(realpath "$3") work=$4
packaging=$(cd "$(dirname "$0")/../../packaging" && pwd)
msi=$dist/Vellumark-$version-x64.msi
zip=$dist/Vellumark-$version-win64.zip
rm -rf "$work" && mkdir -p "$work" && work=$(realpath "$work")
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEARCH=win64 LC_ALL=C.UTF-8
# No Mono or Gecko prompts, and no menu entries on the Linux desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
failures=0

note() { echo "--- [${SECONDS}s] $*"; }
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
expect_eq() {  # name actual expected
  [ "$2" = "$3" ] || { fail "$1"; printf '  expected: %q\n  actual:   %q\n' "$3" "$2"; }
}
winpath() { printf 'Z:%s' "${1//\//\\}"; }
# A Windows program's standard output without carriage returns; its exit code.
run() {
  local out code
  out=$(wine "$@" 2>>"$work/stderr.txt")
  code=$?
  printf '%s' "${out//$'\r'/}"
  return $code
}
# "name|publisher|version" of each uninstall entry named Vellumark.
uninstall_entries() {
  run reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | awk '
    function flush() { if (name == "Vellumark") print name "|" publisher "|" version; name = publisher = version = "" }
    /^HKEY_/ { flush(); next }
    { value = $0 }
    sub(/^ *DisplayName +REG_SZ +/, "", value) { name = value }
    sub(/^ *Publisher +REG_SZ +/, "", value) { publisher = value }
    sub(/^ *DisplayVersion +REG_SZ +/, "", value) { version = value }
    END { flush() }'
}
# Wine's msiexec puts a per-machine shortcut into the user's Start menu.
shortcuts() { find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/*' -name '*.lnk' -printf '%f\n'; }

note "fresh prefix, favorites and settings"
wineboot --init >/dev/null 2>&1
wineserver -w
user_folder=$WINEPREFIX/drive_c/users/$(id -un)
favorites=$user_folder/Favorites
rm -rf "$favorites"
"$native/tools/make-favorites-tree" --output "$favorites" --favorites 120 --depth 3 --seed 5 --duplicates 10 \
  >/dev/null || fail "tree generator"
cp -a "$favorites" "$work/favorites-before"
unpacked="$work/Tragbar Ünïcødé"
mkdir -p "$unpacked" && unzip -q "$zip" -d "$unpacked" || fail "unzip"
portable=$unpacked/Vellumark-$version

note "install"
run msiexec /i "$(winpath "$msi")" /qn || fail "msiexec /i exits with $?"
program_files=$WINEPREFIX/drive_c/Program\ Files
installed=$program_files/Tarnwell/Vellumark
diff -r "$portable" "$installed" || fail "installed files differ from the zip's"
expect_eq "uninstall entry" "$(uninstall_entries)" "Vellumark|Tarnwell|$version"
expect_eq "Start-menu shortcut" "$(shortcuts)" "Vellumark.lnk"

note "installed programs"
cli='C:\Program Files\Tarnwell\Vellumark\vellumark-cli.exe'
expect_eq "--version" "$(run "$cli" --version)" "Vellumark $version"
list=$(run "$cli" list) || fail "list exits with $?"
expect_eq "list of the profile's favorites" "$(sort <<<"$list")" \
  "$("$native/cli/vellumark-cli" --favorites "$favorites" list | sort)"
run "$cli" settings Updated "Kept by the uninstall" >/dev/null || fail "settings"
run "$cli" generate --all --template Default --output "$(winpath "$work/installed-site")" >/dev/null ||
  fail "generate from the installed template set exits with $?"
[ -s "$work/installed-site/index.html" ] || fail "no index.html from the installed template set"
run "$cli" convert --all --output "$(winpath "$work/installed-convert")" >/dev/null || fail "convert"
wine "C:\\Program Files\\Tarnwell\\Vellumark\\vellumark.exe" &
program=$!
for _ in $(seq 60); do
  window=$(xdotool search --name '^Tarnwell Vellumark$' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  sleep 0.5
done
[ -n "$window" ] || fail "the installed vellumark.exe shows no window \"Tarnwell Vellumark\""
kill "$program" 2>/dev/null
wait "$program" 2>/dev/null
wine reg export 'HKCU\Software\Tarnwell\Vellumark' "$(winpath "$work/settings-before.reg")" /y >/dev/null 2>&1 ||
  fail "no settings to keep"

note "upgrade"
newer=${version%.*}.$((${version##*.} + 1))
# wixl reads no source whose path has non-ASCII letters.
cp -r "$portable" "$work/newer-files"
"$packaging/make_msi.sh" "$newer" "$work/newer-files" "$work/newer.msi" || fail "newer package"
run msiexec /i "$(winpath "$work/newer.msi")" /qn || fail "msiexec /i of the newer package exits with $?"
expect_eq "one uninstall entry after the upgrade" "$(uninstall_entries)" "Vellumark|Tarnwell|$newer"
diff -r "$portable" "$installed" || fail "upgraded files differ from the zip's"

note "uninstall"
run msiexec /x "$(winpath "$work/newer.msi")" /qn || fail "msiexec /x exits with $?"
[ ! -e "$installed" ] || fail "program folder left: $(find "$installed")"
[ ! -e "$program_files/Tarnwell" ] || fail "maker's folder left"
expect_eq "uninstall entries after the uninstall" "$(uninstall_entries)" ""
expect_eq "shortcut after the uninstall" "$(shortcuts)" ""
diff -r "$work/favorites-before" "$favorites" || fail "favorites changed"
wine reg export 'HKCU\Software\Tarnwell\Vellumark' "$(winpath "$work/settings-after.reg")" /y >/dev/null 2>&1
cmp "$work/settings-before.reg" "$work/settings-after.reg" || fail "settings changed"

note "portable copy in $portable"
portable_cli=$(winpath "$portable/vellumark-cli.exe")
expect_eq "portable list" "$(run "$portable_cli" list)" "$list"
run "$portable_cli" convert --all --output "$(winpath "$unpacked/Ausgabe ä")" >/dev/null || fail "portable convert"
cmp "$work/installed-convert/bookmarks.html" "$unpacked/Ausgabe ä/bookmarks.html" || fail "portable convert output"
run "$portable_cli" generate --all --template Default --output "$(winpath "$unpacked/Seite ä")" >/dev/null ||
  fail "portable generate exits with $?"
[ -s "$unpacked/Seite ä/index.html" ] || fail "no index.html from the portable template set"

wineserver -k
note "done, $failures failure(s)"
[ "$failures" -eq 0 ]
