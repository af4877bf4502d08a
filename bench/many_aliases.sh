#!/bin/sh
# A folder of many long names that share one alias base ("Holiday photo 0001.jpeg" ...), copied into a fresh
# 1.44 MB image made before each run (not timed):
#   orva put -r FOLDER /   vs  mcopy -s FOLDER ::
# for COUNTS (default "250 500 1000") files of 100 to 500 bytes. Every name past the 50th needs a numeric
# alias tail; how the time per file grows with the count shows what finding a free alias costs.
# Usage: bench/many_aliases.sh [ORVA_BINARY]
#   ORVA_BINARY defaults to build/cli/orva. The images live under TMPDIR (default /tmp): TMPDIR=/dev/shm
#   leaves out what the disk's fdatasync costs and times the work alone.
# Needs mtools, hyperfine and jq. Prints the median over ROUNDS (3) rounds of RUNS (3) runs each: mean
# times, the time per file and the ratio orva/mtools for each count.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
orva=${1:-$here/../build/cli/orva}
runs=${RUNS:-3}
rounds=${ROUNDS:-3}
counts=${COUNTS:-250 500 1000}
[ -x "$orva" ] || { echo "many_aliases.sh: no orva binary at $orva (build it or pass its path)" >&2; exit 2; }
for tool in mformat mcopy hyperfine jq seq; do
    command -v "$tool" >/dev/null || { echo "many_aliases.sh: $tool is needed" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/orva-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
export MTOOLS_SKIP_CHECK=1 LC_ALL=C.UTF-8

list=
for n in $counts; do
    folder=$work/tree$n/Holiday
    mkdir -p "$folder"
    for i in $(seq 1 "$n"); do
        head -c $(( i * 37 % 400 + 100 )) /dev/urandom > "$folder/$(printf 'Holiday photo %04d.jpeg' "$i")"
    done
    list=${list:+$list,}$n
done
echo "counts: $counts files in one folder; images under ${TMPDIR:-/tmp}"

img=$work/bench.img
fresh_orva="sh -c 'rm -f \"\$0\" && \"\$1\" new -l BENCH \"\$0\"' '$img' '$orva'"
fresh_mtools="sh -c 'rm -f \"\$0\" && mformat -C -f 1440 -v BENCH -i \"\$0\" ::' '$img'"

# Several short rounds instead of one long one: a ratio taken within each round, then the median over the
# rounds, is steadier on a busy machine than one ratio of two long means.
for round in $(seq "$rounds"); do
    for n in $counts; do
        hyperfine -N --runs "$runs" --style none --export-json "$work/$n-round$round.json" \
            -n "orva put -r" --prepare "$fresh_orva" "'$orva' put -r '$img' '$work/tree$n/Holiday' /" \
            -n "mcopy -s" --prepare "$fresh_mtools" "mcopy -s -i '$img' '$work/tree$n/Holiday' ::"
    done
done

echo "files   orva put -r   per file    mcopy -s   per file   orva/mtools"
for n in $counts; do
    jq -rs --argjson n "$n" '
      def median: sort | .[length / 2 | floor];
      def mean($r; $name): $r.results[] | select(.command == $name) | .mean;
      def cents: . * 100 | round / 100;
      def pad($w): tostring | " " * ($w - length) + .;
      ([.[] | mean(.; "orva put -r") * 1000] | median) as $o
      | ([.[] | mean(.; "mcopy -s") * 1000] | median) as $m
      | ([.[] | mean(.; "orva put -r") / mean(.; "mcopy -s")] | median) as $ratio
      | "\($n | pad(5)) \($o | cents | pad(10)) ms \($o / $n | cents | pad(7)) ms \($m | cents | pad(8)) ms \($m / $n | cents | pad(7)) ms \($ratio | cents | pad(10))"
    ' "$work/$n"-round*.json
done
