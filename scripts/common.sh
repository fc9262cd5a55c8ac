# Shared by the scripts: locations and the Wine environment.
# shellcheck shell=bash
VELLUMARK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VELLUMARK_BUILD=${VELLUMARK_BUILD:-$VELLUMARK_ROOT/build}
export WINEPREFIX=${WINEPREFIX:-$VELLUMARK_BUILD/wine-prefix}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts when the prefix is made.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEARCH=win64

# Creates the Wine prefix once; later calls return at once.
ensure_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix in $WINEPREFIX..."
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1 || true
    wineserver -w || true
  fi
}

# configure_and_build NAME [cmake options...] [-- build options...]
configure_and_build() {
  local name=$1; shift
  local dir=$VELLUMARK_BUILD/$name
  local options=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
  [ $# -eq 0 ] || shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$VELLUMARK_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "${options[@]}"
  fi
  cmake --build "$dir" -j2 "$@"
}
