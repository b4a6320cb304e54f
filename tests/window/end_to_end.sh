#!/usr/bin/env bash
# End-to-end test of the real program in the virtual display: found by its title, placed and
# sized as it should be, dragged by its background, Play and Stop clicked, ended by its close
# button and, in a second run, by Alt+F4, each with exit code 0. Leaves a screenshot.
#   end_to_end.sh BIN_DIR OUT_DIR      (DISPLAY and the Wine prefix come from the caller)
set -u
bin_dir=$1
out_dir=$2
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"
source "$(dirname "${BASH_SOURCE[0]}")/window_driver.sh"
mkdir -p "$out_dir"
failures=0

# --- first run: placement, drag, Play/Stop, close button ---
tonkle_start "$bin_dir/tonkle.exe" || exit 1
check "window title" "$(xdotool getwindowname "$TONKLE_WINDOW")" "トンクル♪プレーヤー"
tonkle_geometry
check "window size" "${W}x${H}" "400x300"
# Wine reports a full-screen area of 1024 x 779 on a 1024 x 768 display.
check "window position" "$X,$Y" "312,249"

import -window root -crop 400x300+"$X"+"$Y" +repage "$out_dir/tonkle-window.png"

# Drag by a point of the background between the list frame and the status panel.
xdotool mousemove "$((X + 200))" "$((Y + 200))" mousedown 1
for step in 1 2 3 4 5; do xdotool mousemove_relative 10 8; sleep 0.05; done
xdotool mouseup 1
sleep 0.5
tonkle_geometry
check "dragged position" "$X,$Y" "362,289"

panel() { import -window root -crop 380x45+"$((X + 10))"+"$((Y + 205))" +repage "$1" ; }
panel "$out_dir/panel-stopped.png"
tonkle_click 77 275   # Play
sleep 0.5
panel "$out_dir/panel-playing.png"
tonkle_click 32 275   # Stop
sleep 0.5
panel "$out_dir/panel-stopped-again.png"
check "Play changes the status panel" "$(differs "$out_dir/panel-stopped.png" "$out_dir/panel-playing.png")" yes
check "Stop shows the stopped panel again" "$(differs "$out_dir/panel-stopped.png" "$out_dir/panel-stopped-again.png")" no

tonkle_click 382 17   # the close button
check "exit code after the close button" "$(tonkle_wait_exit)" 0

# --- second run: Alt+F4 ---
tonkle_start "$bin_dir/tonkle.exe" || exit 1
tonkle_geometry
xdotool mousemove "$((X + 200))" "$((Y + 200))"
sleep 0.2
xdotool key alt+F4
check "exit code after Alt+F4" "$(tonkle_wait_exit)" 0

[ "$failures" -eq 0 ]
