#!/usr/bin/env bash
# End-to-end test of opening a song in the real program: the open button shows the real dialog,
# a typed path (Windows form) and Return load a three-track song with a Japanese title, the list
# and the status panel change, Play runs, and the close button ends the program with code 0.
# Leaves screenshots of the empty and the loaded window.
#   end_to_end_open.sh BIN_DIR OUT_DIR      (DISPLAY and the Wine prefix come from the caller)
set -u
bin_dir=$1
out_dir=$2
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"
source "$(dirname "${BASH_SOURCE[0]}")/window_driver.sh"
mkdir -p "$out_dir"
failures=0

# Three tracks, the first named "さくら" (code page 932 bytes), each with 48 notes: several
# seconds of playing at one note per 10 ticks.
song_dir=$(mktemp -d /tmp/tonkle-open-XXXXXX)
trap 'rm -rf "$song_dir"' EXIT
python3 - "$song_dir/song.mid" <<'PY'
import sys
def chunk(events):
    events += b"\x00\xff\x2f\x00"
    return b"MTrk" + len(events).to_bytes(4, "big") + events
notes = b"".join(bytes([0x10, 0x90, n, 100]) for n in (60, 62, 64, 65, 67, 69, 71, 72) * 6)
title = "さくら".encode("cp932")
song = b"MThd\x00\x00\x00\x06\x00\x01\x00\x03\x00\x60"
song += chunk(b"\x00\xff\x03" + bytes([len(title)]) + title + notes) + chunk(notes) + chunk(notes)
open(sys.argv[1], "wb").write(song)
PY

tonkle_start "$bin_dir/tonkle.exe" || exit 1
tonkle_geometry
list_and_panel() { import -window root -crop 380x215+"$((X + 10))"+"$((Y + 35))" +repage "$1" ; }
list_and_panel "$out_dir/open-empty.png"

tonkle_open_song "$song_dir/song.mid"
opened=$?
check "the open dialog appears" "$([ "$opened" -ne 1 ] && echo yes || echo no)" yes
check "the dialog closes after Return" "$([ "$opened" -eq 0 ] && echo yes || echo no)" yes
tonkle_geometry
list_and_panel "$out_dir/open-loaded.png"
import -window root -crop 400x300+"$X"+"$Y" +repage "$out_dir/tonkle-loaded.png"
check "the list and the status panel show the song" "$(differs "$out_dir/open-empty.png" "$out_dir/open-loaded.png")" yes
# The status panel alone: the title line replaces "名称未定".
import -window root -crop 380x45+"$((X + 10))"+"$((Y + 205))" +repage "$out_dir/open-panel-loaded.png"
convert "$out_dir/open-empty.png" -crop 380x45+0+170 +repage "$out_dir/open-panel-empty.png"
check "the status panel changes" "$(differs "$out_dir/open-panel-empty.png" "$out_dir/open-panel-loaded.png")" yes

tonkle_click 77 275    # Play
sleep 0.5
import -window root -crop 380x45+"$((X + 10))"+"$((Y + 205))" +repage "$out_dir/open-panel-playing.png"
list_and_panel "$out_dir/open-playing.png"
check "Play changes the status panel" "$(differs "$out_dir/open-panel-loaded.png" "$out_dir/open-panel-playing.png")" yes
check "the note cells change while playing" "$(differs "$out_dir/open-loaded.png" "$out_dir/open-playing.png")" yes

tonkle_click 382 17    # the close button
check "exit code after the close button" "$(tonkle_wait_exit)" 0

[ "$failures" -eq 0 ]
