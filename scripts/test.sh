#!/usr/bin/env bash
# Sets up, builds and runs every test twice: a normal build, then one with AddressSanitizer and
# UndefinedBehaviorSanitizer. Between them, the floppy driver scenarios under QEMU (e2e/run.sh).
# ORVA_SKIP_SANITIZERS=1 runs only the normal build, ORVA_SKIP_E2E=1 leaves out the QEMU scenarios.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/setup.sh"

run_suite() {
  local dir="$1"; shift
  echo "== build and test: $dir"
  "$top/scripts/build.sh" "$dir" "$@"
  ctest --test-dir "$dir" -j2 --output-on-failure
}

run_suite "$top/build"
if [ "${ORVA_SKIP_E2E:-0}" != "1" ]; then
  echo "== floppy driver scenarios under QEMU"
  "$top/e2e/run.sh" "$top/build"
fi
if [ "${ORVA_SKIP_SANITIZERS:-0}" != "1" ]; then
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_suite "$top/build-asan" -DORVA_SANITIZE=ON
fi
echo "All tests passed."
