#!/usr/bin/env bash
# Listens to the real program: Wine's ALSA driver writes every sample of the default device to a
# file (a private HOME with its own .asoundrc), the program opens a small song through the real
# open dialog and plays it to its end, and the captured tones are compared with the renderer's
# trace of the same song. Also checks that the program ends cleanly afterwards.
#   end_to_end_sound.sh BIN_DIR OUT_DIR
set -u
bin_dir=$(cd "$1" && pwd)
out_dir=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../../scripts/wine-env.sh"
source "$here/window_driver.sh"
mkdir -p "$out_dir"
out_dir=$(cd "$out_dir" && pwd)
work=$(mktemp -d /tmp/tonkle-sound-XXXXXX)
capture=$work/capture.raw

# Three tracks; the sounded one (track 2) has notes 72, 67, 60, 69 with non-zero deltas, then
# the end of its track.
python3 - "$work/song.mid" <<'PY'
import struct, sys
def track(events):
    return b"MTrk" + struct.pack(">I", len(events)) + events
end = bytes([0x00, 0xFF, 0x2F, 0x00])
melody = b"".join(bytes([0x10, 0x90, key, 0x64]) for key in (72, 67, 60, 69)) + end
song = (b"MThd" + struct.pack(">IHHH", 6, 1, 3, 96) + track(bytes([0x00, 0xFF, 0x03, 0x04]) + b"Test" + end)
        + track(bytes([0x10, 0x90, 48, 0x64]) + end) + track(melody))
open(sys.argv[1], "wb").write(song)
PY
"$WINE64" "$bin_dir/tonkle-render.exe" trace "Z:${work//\//\\}\\song.mid" 2>/dev/null | tr -d '\r' > "$work/trace.txt"

mkdir -p "$work/home"
cat > "$work/home/.asoundrc" <<ASOUND
pcm.!default { type file; slave.pcm "null"; file "$capture"; format "raw" }
ASOUND

failures=0
HOME=$work/home tonkle_start "$bin_dir/tonkle.exe" || exit 1
tonkle_open_song "$work/song.mid" || { echo "FAILED: the song was not opened"; failures=$((failures + 1)); }
tonkle_click 77 275   # Play
sleep 3               # four notes of 11 ticks, then the idle close of the device
tonkle_click 382 17   # the close button
rc=$(tonkle_wait_exit)
[ "$rc" == "0" ] || { echo "FAILED: exit code $rc"; failures=$((failures + 1)); }

if [ ! -s "$capture" ]; then
  echo "FAILED: nothing was captured from the sound device"
  failures=$((failures + 1))
else
  cp "$capture" "$out_dir/capture.raw"
  python3 "$here/analyze_capture.py" "$capture" 44100 "$work/trace.txt" || failures=$((failures + 1))
fi
rm -rf "$work"
[ "$failures" -eq 0 ]
