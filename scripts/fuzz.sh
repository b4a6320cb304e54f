#!/usr/bin/env bash
# Builds the song player's libFuzzer target with clang and runs it on a copy of the seed corpus.
# Usage: scripts/fuzz.sh [SECONDS]   (default 60)
# Exits non-zero on any finding (crash, leak, undefined behaviour, timeout, broken invariant)
# and prints the reproducer's path. New corpus inputs go to a scratch folder, never into the
# repository's fuzz/corpus.
set -euo pipefail
seconds=${1:-60}
case "$seconds" in ''|*[!0-9]*) echo "usage: $0 [SECONDS]" >&2; exit 2 ;; esac

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/fuzz"

cmake -S "$root" -B "$build" -DTONKLE_FUZZ=ON -DTONKLE_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >/dev/null
cmake --build "$build" --target tonkle_fuzz -j"$(nproc)" >/dev/null

run="$build/runs/$(date +%Y%m%d-%H%M%S)"
mkdir -p "$run/corpus" "$run/findings"
cp "$root"/fuzz/corpus/* "$run/corpus/"
log="$run/fuzz.log"
echo "fuzzing for ${seconds}s; corpus and log in $run" >&2

# A single input that runs for more than 30 s is a hang: even the longest song the player can
# be given plays in well under a second here.
status=0
"$build/bin/tonkle_fuzz" "$run/corpus" \
  -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 -max_len=8192 \
  -print_final_stats=1 -artifact_prefix="$run/findings/" >"$log" 2>&1 || status=$?

executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
echo "executions: ${executions:-unknown}"

findings=$(find "$run/findings" -type f | sort)
if [ "$status" -ne 0 ] || [ -n "$findings" ]; then
  echo "FINDING (fuzzer exit status $status); log: $log" >&2
  grep -E 'ERROR|invariant broken|SUMMARY|did not end|runtime error' "$log" | head -n 20 >&2 || true
  for f in $findings; do echo "reproducer: $f" >&2; done
  echo "replay with: $build/bin/tonkle_fuzz <reproducer>" >&2
  exit 1
fi
echo "no findings"
