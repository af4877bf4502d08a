#!/bin/sh
# Read-side timing of orva against mtools on one 1.44 MB image of about 150 files in nested folders:
#   orva ls -R        vs  mdir -/
#   orva get -r / DIR vs  mcopy -s :: DIR (and mcopy -s -m, which sets the files' times as orva does)
# Usage: bench/read_side.sh [ORVA_BINARY [IMAGE]]
#   ORVA_BINARY defaults to build/cli/orva; IMAGE, when given, is used instead of the generated one.
# Needs mkfs.fat, mtools, hyperfine and jq. Prints the median over ROUNDS (7) rounds of RUNS (10) runs each:
# mean times and the ratios orva/mtools (1.0 or less is the aim).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
. "$here/bench_tree.sh"
orva=${1:-$here/../build/cli/orva}
runs=${RUNS:-10}
rounds=${ROUNDS:-7}
[ -x "$orva" ] || { echo "read_side.sh: no orva binary at $orva (build it or pass its path)" >&2; exit 2; }
for tool in mkfs.fat mcopy mdir hyperfine jq seq; do
    command -v "$tool" >/dev/null || { echo "read_side.sh: $tool is needed" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/orva-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
export MTOOLS_SKIP_CHECK=1 LC_ALL=C.UTF-8

if [ $# -ge 2 ]; then
    image=$2
else
    tree=$work/tree
    make_tree "$tree" 1000 700
    image=$work/bench.img
    mkfs.fat -C -F 12 -n BENCH "$image" 1440 >/dev/null
    (cd "$tree" && for f in *; do mcopy -s -i "$image" "$f" ::; done)
fi

files=$(mdir -/ -b -i "$image" :: | grep -vc '/$')
echo "image: $image ($files files)"
out=$work/out

# Several short rounds instead of one long one: a machine busy with other work drifts, and a ratio taken
# within each round, then the median over the rounds, is far steadier than one ratio of two long means.
for round in $(seq "$rounds"); do
    # No intermediate shell (-N): the commands take a few milliseconds, about what a shell costs.
    hyperfine -N --warmup 2 --runs "$runs" --style none --export-json "$work/round$round.json" \
        --prepare "sh -c 'rm -rf \"\$0\" && mkdir \"\$0\"' '$out'" \
        -n "orva ls -R" "'$orva' ls -R '$image'" \
        -n "mdir -/" "mdir -/ -i '$image' ::" \
        -n "orva get -r" "'$orva' get -r '$image' / '$out'" \
        -n "mcopy -s" "mcopy -s -n -i '$image' :: '$out/'" \
        -n "mcopy -s -m" "mcopy -s -n -m -i '$image' :: '$out/'"
done

jq -rs '
  def median: sort | .[length / 2 | floor];
  def mean($r; $n): $r.results[] | select(.command == $n) | .mean;
  def cents: . * 100 | round / 100;
  (["orva ls -R", "mdir -/", "orva get -r", "mcopy -s", "mcopy -s -m"][] as $n
     | "\($n | . + " " * (14 - length)) \([.[] | mean(.; $n) * 1000] | median | cents) ms"),
  "ratio ls  orva/mtools: \([.[] | mean(.; "orva ls -R") / mean(.; "mdir -/")] | median | cents)",
  "ratio get orva/mtools: \([.[] | mean(.; "orva get -r") / mean(.; "mcopy -s")] | median | cents)",
  "ratio get orva/mtools, both setting times: \([.[] | mean(.; "orva get -r") / mean(.; "mcopy -s -m")] | median | cents)"
' "$work"/round*.json
