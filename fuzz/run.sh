#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) and runs each
# for a bounded time. Fails on any crash, leak, sanitizer report or slow input (more than 2 s).
# Usage: fuzz/run.sh [SECONDS_PER_TARGET (60)] [extra libFuzzer options...]
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
shift || true
build="$top/build-fuzz"
"$top/scripts/setup.sh"  # clang and its fuzzing runtime, on a fresh machine too

CC=clang CXX=clang++ cmake -S "$top" -B "$build" -DORVA_FUZZ=ON -DORVA_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target orva_fuzz_read orva_fuzz_write orva_fuzz_containers orva_fuzz_seeds >/dev/null

mkdir -p "$build/fuzz/artifacts"
for kind in read write containers; do
  corpus="$build/fuzz/corpus-$kind"
  mkdir -p "$corpus"
  echo "== fuzz $kind for ${seconds}s"
  log="$build/fuzz/$kind.log"
  status=0
  "$build/fuzz/orva_fuzz_$kind" -max_total_time="$seconds" -timeout=2 -rss_limit_mb=2048 -max_len=33000 \
    -print_final_stats=1 -artifact_prefix="$build/fuzz/artifacts/$kind-" "$@" \
    "$corpus" "$build/fuzz/seeds/$kind" >"$log" 2>&1 || status=$?
  # The progress lines stay in the log; a finding shows whole.
  if [ "$status" -ne 0 ]; then
    grep -v -E '^#[0-9]+ ' "$log" | tail -n 60
    echo "fuzz $kind: finding (exit $status), see $log and $build/fuzz/artifacts/" >&2
    exit 1
  fi
  grep -E '^(stat::|Done)' "$log"
done
echo "Fuzzing found nothing."
