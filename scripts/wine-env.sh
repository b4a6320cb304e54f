# Sourced by the scripts that run Windows programs: a private Wine prefix with Japanese ANSI
# code page 932, unmanaged windows, and no Mono/Gecko prompts.
#   TONKLE_WINEPREFIX  the prefix folder (default: build/wineprefix in the project)
TONKLE_ROOT=${TONKLE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${TONKLE_WINEPREFIX:-$TONKLE_ROOT/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
# The Japanese locale, generated into the build folder when the system has not got it, so that
# Unix file names and window titles reach Wine intact.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf-\?8$'; then
  export LOCPATH=$TONKLE_ROOT/build/locale
  if [ ! -d "$LOCPATH/ja_JP.UTF-8" ]; then
    mkdir -p "$LOCPATH"
    localedef -i ja_JP -f UTF-8 "$LOCPATH/ja_JP.UTF-8" >/dev/null 2>&1 || true
  fi
fi
{ export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8; } 2>/dev/null

WINE64=/usr/lib/wine/wine64
[ -x "$WINE64" ] || WINE64=$(command -v wine64 || echo wine64)
WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver || echo wineserver)

# Creates the prefix once; later calls only check that it is there.
wine_prefix_ready() {
  [ -f "$WINEPREFIX/.tonkle-ready" ] && return 0
  mkdir -p "$WINEPREFIX"
  "$WINE64" wineboot -i >/dev/null 2>&1 || true
  "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
  "$WINESERVER" -w
  touch "$WINEPREFIX/.tonkle-ready"
}
