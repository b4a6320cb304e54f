#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian 12 machine.
# Usage: scripts/install-deps.sh [native|windows|all]
# Each group is checked first, so a second run costs nothing.
set -euo pipefail
what=${1:-all}

native_pkgs=(g++ cmake make libgtest-dev libbenchmark-dev clang libclang-rt-14-dev python3)
windows_pkgs=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 g++-mingw-w64-i686-posix
              binutils-mingw-w64-i686 wine wine64 fonts-wine xvfb xdotool x11-utils
              imagemagick fonts-ipafont-gothic locales zip sox)

missing=()
want() { for p in "$@"; do dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p"); done; }
case "$what" in
  native) want "${native_pkgs[@]}" ;;
  windows) want "${windows_pkgs[@]}" ;;
  all) want "${native_pkgs[@]}" "${windows_pkgs[@]}" ;;
  *) echo "usage: $0 [native|windows|all]" >&2; exit 2 ;;
esac
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
