#!/bin/sh
# What a rescue costs the drive, in requests and recalibrations, on emulated 1.44 MB floppies:
#   healthy                  (the plain read's cost: one request per cylinder)
#   20 weak + 3 CRC-failed   on a legacy controller drive (raw reads, vote), whole run
#   the same, resumed        a first run with one retry round, then a run with RETRIES rounds
# Usage: bench/rescue_cost.sh [ORVA_BINARY]   (RETRIES defaults to 5)
set -eu

here=$(cd "$(dirname "$0")" && pwd)
orva=${1:-$here/../build/cli/orva}
retries=${RETRIES:-5}
[ -x "$orva" ] || { echo "rescue_cost.sh: no orva binary at $orva (build it or pass its path)" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/orva-rescue-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
head -c 1474560 /dev/urandom >"$work/medium.img"

# Weak sectors spread over the disk, failing 1 to 4 reads; three data fields that never pass their CRC.
weak=""
i=0
while [ $i -lt 20 ]; do
    weak="$weak${weak:+,}$((i * 4 + 1))/$((i % 2))/$((i % 18 + 1))/$((i % 4 + 1))"
    i=$((i + 1))
done
faults="weak=$weak:crc=12/0/4,47/1/9,70/0/18:raw"

cost() {  # LABEL IMAGE RETRIES SCENARIO_OPTIONS
    out=$("$orva" rescue a: "$work/$2" --retries "$3" --emulate "a=1.44M:$work/medium.img$4" 2>/dev/null) || true
    printf '%-28s requests %5s  recalibrations %3s  missing %3s\n' "$1" \
        "$(echo "$out" | sed -n 's/^requests: //p')" "$(echo "$out" | sed -n 's/^recalibrations: //p')" \
        "$(echo "$out" | sed -n 's/^still missing: //p')"
}

cost "healthy" healthy.img "$retries" ""
cost "20 weak + 3 CRC" whole.img "$retries" ":$faults"
cost "  first run, 1 round" resumed.img 1 ":$faults"
cost "  resumed, $retries rounds" resumed.img "$retries" ":$faults"
cmp -s "$work/whole.img" "$work/medium.img" && echo "whole run: image equals the medium"
cmp -s "$work/resumed.img" "$work/medium.img" && echo "resumed run: image equals the medium"
exit 0
