#!/usr/bin/env bash
# Times the whole command `tonkle-render wav` on a long song against writing a file of the same
# size as the rendered WAV (dd from /dev/zero), several runs each, and prints the medians and
# their ratio. The last line is machine-readable: render_s=… baseline_s=… ratio=… wav_bytes=…
# Usage: scripts/bench-render.sh [BUILD_DIR]   (default build/bench; RUNS=5 runs each)
# Exits 3 when the tree has no tonkle-render yet.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/bench}
runs=${RUNS:-5}
# 4 tracks of 20000 notes: about 220000 ticks, nearly four minutes of sound at 1 ms a tick.
song_tracks=${SONG_TRACKS:-4}
song_notes=${SONG_NOTES:-20000}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTONKLE_BENCH=ON -DTONKLE_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target tonkle-bench-song -j"$(nproc)" >/dev/null
if ! cmake --build "$build" --target help | grep -q '\btonkle-render\b'; then
  echo "tonkle-render is not in this tree yet" >&2
  exit 3
fi
cmake --build "$build" --target tonkle-render -j"$(nproc)" >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/tonkle-bench-render.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$build/bin/tonkle-bench-song" "$work/long.mid" "$song_tracks" "$song_notes"

now_ns() { date +%s%N; }
median() { sort -n | awk '{v[NR]=$1} END {m=int((NR+1)/2); print (NR%2) ? v[m] : (v[m]+v[m+1])/2}'; }

# One untimed render first: it fills the page cache and tells the size of the WAV.
"$build/bin/tonkle-render" wav "$work/long.mid" -o "$work/out.wav" >/dev/null
wav_bytes=$(stat -c %s "$work/out.wav")
if [ "$wav_bytes" -le 44 ]; then
  echo "tonkle-render wrote no sound ($wav_bytes bytes)" >&2
  exit 1
fi

render_times=()
baseline_times=()
for _ in $(seq "$runs"); do
  rm -f "$work/out.wav" "$work/base.wav"
  start=$(now_ns)
  "$build/bin/tonkle-render" wav "$work/long.mid" -o "$work/out.wav" >/dev/null
  end=$(now_ns)
  render_times+=($((end - start)))
  start=$(now_ns)
  dd if=/dev/zero of="$work/base.wav" bs=1M count="$wav_bytes" iflag=count_bytes status=none
  end=$(now_ns)
  baseline_times+=($((end - start)))
done

render_ns=$(printf '%s\n' "${render_times[@]}" | median)
baseline_ns=$(printf '%s\n' "${baseline_times[@]}" | median)
awk -v r="$render_ns" -v b="$baseline_ns" -v n="$runs" -v w="$wav_bytes" 'BEGIN {
  printf "tonkle-render wav: %.3f s, plain write of %d bytes: %.3f s (median of %d), ratio %.2f\n", r/1e9, w, b/1e9, n, r/b
  printf "render_s=%.6f baseline_s=%.6f ratio=%.4f wav_bytes=%d\n", r/1e9, b/1e9, r/b, w
}'
