#!/usr/bin/env bash
# The library must export exactly its C functions and nothing else.
set -euo pipefail
lib="$1"
expected="BlockTestFol CloseFDImg CopyF CopyT FindInDir FindMInDir FreeSpace GetFDType GetFDirEntry GetFWDirEntry GetLastErr KillF MkDir OpenFDImg SetAttrib SetFWrkDir WriteBoot WriteVol"
actual=$(nm -D --defined-only "$lib" | awk '$2 ~ /^[TDBRVW]$/ {print $3}' | sort | tr '\n' ' ' | sed 's/ $//')
if [ "$actual" != "$expected" ]; then
  echo "exported: $actual"
  echo "expected: $expected"
  exit 1
fi
