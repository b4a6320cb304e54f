#!/usr/bin/env bash
# Runs a command inside a private virtual X display and a private Wine prefix, then ends what
# it started: the display by its pid, Wine's processes with `wineserver -k` for that prefix.
#   TONKLE_WINEPREFIX  the prefix (default: build/wineprefix)
set -u
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

display=""
for n in $(seq 91 189); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "with-display: no free display number" >&2; exit 1; }

Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 50); do
  [ -e "/tmp/.X11-unix/X$display" ] && break
  sleep 0.1
done
export DISPLAY=":$display"

finish() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
}
trap finish EXIT

wine_prefix_ready
# Sound goes through ALSA, which the tests point at files of their own.
if [ ! -f "$WINEPREFIX/.tonkle-alsa" ]; then
  "$WINE64" reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d alsa /f >/dev/null 2>&1
  touch "$WINEPREFIX/.tonkle-alsa"
fi
"$@"
