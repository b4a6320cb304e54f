#!/usr/bin/env bash
# Times the whole command `tonkle-render wav` on a long song against writing a file of the same
# size as the rendered WAV (dd from /dev/zero), several runs each, and prints the medians and
# their ratios, by the wall clock and by processor time (user + system; less disturbed by other
# work on the machine). The last line is machine-readable:
#   render_s=… baseline_s=… ratio=… render_cpu_s=… baseline_cpu_s=… cpu_ratio=… best_ratio=… wav_bytes=…
# Usage: scripts/bench-render.sh [BUILD_DIR]   (default build/bench; RUNS=9 runs each)
# Exits 3 when the tree has no tonkle-render yet.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/bench}
runs=${RUNS:-9}
# 4 tracks of 40000 notes: about 440000 ticks, over seven minutes of sound at 1 ms a tick.
song_tracks=${SONG_TRACKS:-4}
song_notes=${SONG_NOTES:-40000}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTONKLE_BENCH=ON -DTONKLE_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target tonkle-bench-song -j"$(nproc)" >/dev/null
targets=$(cmake --build "$build" --target help)
if ! grep -qw 'tonkle-render' <<<"$targets"; then
  echo "tonkle-render is not in this tree yet" >&2
  exit 3
fi
cmake --build "$build" --target tonkle-render -j"$(nproc)" >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/tonkle-bench-render.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$build/bin/tonkle-bench-song" "$work/long.mid" "$song_tracks" "$song_notes"
render=("$build/bin/tonkle-render" wav "$work/long.mid" -o "$work/out.wav")

# One untimed render first: it fills the page cache and tells the size of the WAV.
"${render[@]}" >/dev/null
wav_bytes=$(stat -c %s "$work/out.wav")
if [ "$wav_bytes" -le 44 ]; then
  echo "tonkle-render wrote no sound ($wav_bytes bytes)" >&2
  exit 1
fi
baseline=(dd if=/dev/zero of="$work/base.wav" bs=1M count="$wav_bytes" iflag=count_bytes status=none)

timed() { python3 "$root/bench/time_command.py" "$@"; }
median() { sort -n | awk '{v[NR]=$1} END {m=int((NR+1)/2); print (NR%2) ? v[m] : (v[m]+v[m+1])/2}'; }
least() { sort -n | head -n 1; }

# Runs alternate, and each starts with no dirty pages left by the one before, so that neither
# side pays for the other's writeback.
results="$work/times"
for _ in $(seq "$runs"); do
  rm -f "$work/out.wav" "$work/base.wav"
  sync -f "$work"
  echo "render $(timed "${render[@]}")" >>"$results"
  sync -f "$work"
  echo "baseline $(timed "${baseline[@]}")" >>"$results"
done

render_wall=$(awk '$1 == "render" {print $2}' "$results" | median)
render_cpu=$(awk '$1 == "render" {print $3}' "$results" | median)
baseline_wall=$(awk '$1 == "baseline" {print $2}' "$results" | median)
baseline_cpu=$(awk '$1 == "baseline" {print $3}' "$results" | median)
# Other work on the machine only ever adds time, so the best runs are a second, steadier view.
render_best=$(awk '$1 == "render" {print $2}' "$results" | least)
baseline_best=$(awk '$1 == "baseline" {print $2}' "$results" | least)
awk -v rw="$render_wall" -v bw="$baseline_wall" -v rc="$render_cpu" -v bc="$baseline_cpu" \
    -v rb="$render_best" -v bb="$baseline_best" -v n="$runs" -v w="$wav_bytes" 'BEGIN {
  printf "tonkle-render wav: %.3f s (%.3f s processor), plain write of %d bytes: %.3f s (%.3f s processor); medians of %d\n",
         rw/1e9, rc/1e9, w, bw/1e9, bc/1e9, n
  printf "best runs: %.3f s against %.3f s\n", rb/1e9, bb/1e9
  printf "render_s=%.6f baseline_s=%.6f ratio=%.4f render_cpu_s=%.6f baseline_cpu_s=%.6f cpu_ratio=%.4f best_ratio=%.4f wav_bytes=%d\n",
         rw/1e9, bw/1e9, rw/bw, rc/1e9, bc/1e9, rc/bc, rb/bb, w
}'
