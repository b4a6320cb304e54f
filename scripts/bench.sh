#!/usr/bin/env bash
# Builds the benchmarks in build/bench (Release), runs them and the whole-command render
# timing, and prints the three figures with their goals. The figures are reported, not judged:
# the script fails only when something cannot be built or run.
# Usage: scripts/bench.sh   (REPETITIONS=9 benchmark repetitions, RUNS=9 render runs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/bench"
repetitions=${REPETITIONS:-9}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTONKLE_BENCH=ON -DTONKLE_TESTS=OFF >/dev/null
cmake --build "$build" --target tonkle_bench -j"$(nproc)" >/dev/null

json="$build/bench-results.json"
# Repetitions of the benchmarks are interleaved, so that a load and the plain read it is compared
# with meet the same disturbances from other work on the machine.
"$build/bin/tonkle_bench" --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
  --benchmark_enable_random_interleaving=true \
  --benchmark_out="$json" --benchmark_out_format=json

render_line=""
render_status=0
render_output=$("$root/scripts/bench-render.sh" "$build") || render_status=$?
if [ "$render_status" -eq 0 ]; then
  echo "$render_output"
  render_line=$(echo "$render_output" | tail -n 1)
elif [ "$render_status" -ne 3 ]; then
  echo "the render timing failed (status $render_status)" >&2
  exit "$render_status"
fi

echo
python3 "$root/bench/bench_report.py" "$json" "$render_line"
