#!/usr/bin/env bash
# Builds the installer from a folder that holds the files to install (as
# scripts/package lays them out: vellumark.exe, vellumark-cli.exe,
# Templates/Default/).
#   make_msi.sh VERSION FILES_FOLDER OUTPUT.msi
set -euo pipefail
version=$1 files=$2 output=$3
packaging=$(cd "$(dirname "$0")" && pwd)
# wixl looks for sources relative to the WiX source's folder.
relative=$(realpath --relative-to="$packaging" "$files")
# The product code follows from the version: a rebuild of one version is the
# same product, which Windows Installer will not install a second time.
hash=$(printf 'Vellumark %s' "$version" | sha1sum)
product_code=$(printf '%s-%s-%s-%s-%s' "${hash:0:8}" "${hash:8:4}" "${hash:12:4}" "${hash:16:4}" "${hash:20:12}" |
  tr a-f A-F)
wixl --arch x64 -D Version="$version" -D ProductCode="$product_code" -D Files="$relative" -o "$output" \
  "$packaging/vellumark.wxs"
