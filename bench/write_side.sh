#!/bin/sh
# Write-side timing of orva against mtools, each run into a fresh image made before it (not timed):
#   orva put -r TREE /   vs  mcopy -s TREE ::     (about 1.2 MB in 150 files in nested folders)
#   orva new IMG         vs  mformat -C -f 1440 -i IMG ::
# and the fdatasync calls one copied-in file costs (strace).
# Usage: bench/write_side.sh [ORVA_BINARY]
#   ORVA_BINARY defaults to build/cli/orva. The images live under TMPDIR (default /tmp): TMPDIR=/dev/shm
#   leaves out what the disk's fdatasync costs and times the work alone.
# Needs mtools, hyperfine, jq and strace. Prints the median over ROUNDS (5) rounds of RUNS (10) runs each:
# mean times and the ratios orva/mtools (aims: put 1.5 or less on tmpfs, new 1.0 or less), then the sync
# counts (aim: one per file and folder copied, and one at the close).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
. "$here/bench_tree.sh"
orva=${1:-$here/../build/cli/orva}
runs=${RUNS:-10}
rounds=${ROUNDS:-5}
[ -x "$orva" ] || { echo "write_side.sh: no orva binary at $orva (build it or pass its path)" >&2; exit 2; }
for tool in mformat mcopy hyperfine jq strace seq; do
    command -v "$tool" >/dev/null || { echo "write_side.sh: $tool is needed" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/orva-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
export MTOOLS_SKIP_CHECK=1 LC_ALL=C.UTF-8

tree=$work/tree
make_tree "$tree" 2000 3000
echo "tree: $(find "$tree" -type f | wc -l) files, $(du -sb "$tree" | cut -f1) bytes in folders"

img=$work/bench.img
fresh_orva="sh -c 'rm -f \"\$0\" && \"\$1\" new -l BENCH \"\$0\"' '$img' '$orva'"
fresh_mtools="sh -c 'rm -f \"\$0\" && mformat -C -f 1440 -v BENCH -i \"\$0\" ::' '$img'"
gone="rm -f '$img'"

# Several short rounds instead of one long one: a machine busy with other work drifts, and a ratio taken
# within each round, then the median over the rounds, is far steadier than one ratio of two long means.
for round in $(seq "$rounds"); do
    hyperfine -N --warmup 1 --runs "$runs" --style none --export-json "$work/round$round.json" \
        -n "orva put -r" --prepare "$fresh_orva" "'$orva' put -r '$img' '$tree' /" \
        -n "mcopy -s" --prepare "$fresh_mtools" "mcopy -s -i '$img' '$tree' ::" \
        -n "orva new" --prepare "$gone" "'$orva' new -l BENCH '$img'" \
        -n "mformat" --prepare "$gone" "mformat -C -f 1440 -v BENCH -i '$img' ::"
done

jq -rs '
  def median: sort | .[length / 2 | floor];
  def mean($r; $n): $r.results[] | select(.command == $n) | .mean;
  def cents: . * 100 | round / 100;
  (["orva put -r", "mcopy -s", "orva new", "mformat"][] as $n
     | "\($n | . + " " * (14 - length)) \([.[] | mean(.; $n) * 1000] | median | cents) ms"),
  "ratio put orva/mtools: \([.[] | mean(.; "orva put -r") / mean(.; "mcopy -s")] | median | cents)",
  "ratio new orva/mtools: \([.[] | mean(.; "orva new") / mean(.; "mformat")] | median | cents)"
' "$work"/round*.json

# One file into a fresh image: every fdatasync is an ordering point the copy pays for. mtools never syncs,
# so on a disk (not tmpfs) the put ratio is mostly the latency of these calls.
rm -f "$img"
"$orva" new -l BENCH "$img"
one=$(find "$tree" -type f | head -n 1)
syncs=$(strace -f -c -e trace=fdatasync "$orva" put "$img" "$one" / 2>&1 >/dev/null |
        awk '$NF == "fdatasync" { print $4 }')
echo "fdatasync calls for one file: ${syncs:-0}"
rm -f "$img"
"$orva" new -l BENCH "$img"
entries=$(find "$tree" -mindepth 1 | wc -l)
syncs=$(strace -f -c -e trace=fdatasync "$orva" put -r "$img" "$tree" / 2>&1 >/dev/null |
        awk '$NF == "fdatasync" { print $4 }')
echo "fdatasync calls for the tree ($entries files and folders, and its own folder): ${syncs:-0}"
