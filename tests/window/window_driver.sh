# Driving the real program from outside with xdotool; sourced by the end-to-end tests.

# check DESCRIPTION ACTUAL EXPECTED: counts a failure in `failures` when they differ.
check() {
  if [ "$2" == "$3" ]; then echo "ok: $1"; else echo "FAILED: $1: got '$2', expected '$3'"; failures=$((failures + 1)); fi
}

# differs A.png B.png: "yes" when the two pictures differ in any pixel.
differs() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" != "0" ] && echo yes || echo no; }
# wait_for_window TITLE TRIES: prints the id of a visible window so titled, trying every 0.2 s;
# prints nothing if none appeared.
wait_for_window() {
  local id=""
  for _ in $(seq 1 "$2"); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$id" ] && break
    sleep 0.2
  done
  echo "$id"
}

# tonkle_start EXE: starts it under Wine and waits for its window (TONKLE_WINDOW, TONKLE_PID).
tonkle_start() {
  "$WINE64" "$1" >/dev/null 2>"${TONKLE_LOG:-/dev/null}" &
  TONKLE_PID=$!
  TONKLE_WINDOW=$(wait_for_window 'トンクル♪プレーヤー' 150)
  if [ -z "$TONKLE_WINDOW" ]; then
    echo "FAILED: no window titled トンクル♪プレーヤー appeared"
    kill "$TONKLE_PID" 2>/dev/null
    return 1
  fi
  sleep 0.5
}

# Sets X, Y, W, H of the program's window.
tonkle_geometry() {
  eval "$(xdotool getwindowgeometry --shell "$TONKLE_WINDOW")"
  W=$WIDTH H=$HEIGHT
}

# tonkle_click X Y: a click at a point given in the window's client coordinates.
tonkle_click() {
  tonkle_geometry
  xdotool mousemove "$((X + $1))" "$((Y + $2))"
  sleep 0.1
  xdotool click 1
}

# Waits up to 15 s for the program to end and prints its exit code ("timeout" if it did not).
tonkle_wait_exit() {
  for _ in $(seq 1 75); do
    if ! kill -0 "$TONKLE_PID" 2>/dev/null; then
      wait "$TONKLE_PID"
      echo $?
      return
    fi
    sleep 0.2
  done
  kill "$TONKLE_PID" 2>/dev/null
  echo timeout
}

# tonkle_open_song UNIX_PATH: clicks the open button, types the song's path in Windows form into
# the open dialog and confirms it. Returns 1 if the dialog did not appear, 2 if it did not close.
tonkle_open_song() {
  tonkle_click 345 275
  local dialog
  dialog=$(wait_for_window 'ファイルを開く' 50)
  [ -n "$dialog" ] || return 1
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$dialog")"
  # Keys go to the window under the pointer.
  xdotool mousemove "$((X + WIDTH / 2))" "$((Y + 10))"
  sleep 0.3
  xdotool type --delay 15 "Z:${1//\//\\}"
  xdotool key Return
  for _ in $(seq 1 25); do
    [ -z "$(xdotool search --onlyvisible --name 'ファイルを開く' 2>/dev/null)" ] && break
    sleep 0.2
  done
  [ -z "$(xdotool search --onlyvisible --name 'ファイルを開く' 2>/dev/null)" ] || return 2
  sleep 0.5
}
