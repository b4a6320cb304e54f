#!/usr/bin/env bash
# `make run`: the program in a window under Wine on the user's display. Without a display it
# says so and renders the demo song with tonkle-render instead.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
render=$root/build/native/bin/tonkle-render
demo=$root/songs/demo.mid

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export TONKLE_WINEPREFIX=${TONKLE_WINEPREFIX:-$root/build/wineprefix-run}
  source "$root/scripts/wine-env.sh"
  wine_prefix_ready
  echo "starting tonkle.exe under Wine on $DISPLAY; the demo song is Z:${demo//\//\\}"
  exec "$WINE64" "$root/build/win64/bin/tonkle.exe"
fi

echo "no display (DISPLAY is not set or cannot be opened): rendering the demo song instead"
"$render" info "$demo" || exit 1
"$render" wav "$demo" -o "$root/build/demo.wav" --tick-ms 10
