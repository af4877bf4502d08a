#!/bin/sh
# Seed inputs for the fuzz targets: real images (empty ones from the templates, and ones mtools filled with
# long names, folders and files) cut to their first 32 KB, behind the targets' leading bytes.
# Usage: make_seeds.sh MAKE_BLANK_IMAGE OUT_FOLDER   (writes OUT_FOLDER/read, /write and /containers)
# The container seeds are the same floppies as dsktrans writes them (ImageDisk, TeleDisk, CopyQM), each
# behind the byte that picks its decoder, and small hand-made zip and LZHUF inputs.
set -eu
blank=$1
out=$2
rm -rf "$out"
mkdir -p "$out/read" "$out/write" "$out/containers"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export MTOOLS_SKIP_CHECK=1 LC_ALL=C.UTF-8

tree=$work/tree
mkdir -p "$tree/Podsložka/Vnořená složka" "$tree/PROGRAMS"
printf 'Hello from a floppy image.\r\n' > "$tree/README.TXT"
printf 'Příliš žluťoučký kůň\n' > "$tree/Příliš žluťoučký kůň.txt"
head -c 1536 /dev/zero | tr '\0' 'x' > "$tree/Podsložka/Vnořená složka/three clusters.bin"
: > "$tree/PROGRAMS/EMPTY.DAT"
for i in 1 2 3 4 5 6 7 8 9 10 11 12; do printf '%s' "$i" > "$tree/Podsložka/Long name number $i.txt"; done

byte() { printf "\\$(printf '%03o' "$1")"; }

n=0
for type in 360K 720K 1.2M 1.44M; do
    "$blank" --type "$type" "$work/empty.img" SEED
    cp "$work/empty.img" "$work/full.img"
    (cd "$tree" && for f in *; do mcopy -s -i "$work/full.img" "$f" ::; done)
    for img in empty full; do
        for checks in 0 2 3; do
            config=$((n + checks * 4))
            { byte "$config"; head -c 32768 "$work/$img.img"; } > "$out/read/$type-$img-$checks"
        done
        # Writing calls: copy in, make a folder, delete, attributes, label, then the image.
        { byte "$n"; byte 5; byte 0; byte 1; byte 1; byte 2; byte 2; byte 0; byte 3; byte 7; byte 4; byte 0
          head -c 32768 "$work/$img.img"; } > "$out/write/$type-$img"
    done
    n=$((n + 1))
done

# Containers: the first byte picks the decoder (0 ImageDisk, 1 TeleDisk, 2 LZHUF, 3 CopyQM, 4 zip, 5 any).
for type in 360K 1.44M; do
    "$blank" --type "$type" "$work/c.img" SEED
    (cd "$tree" && for f in *; do mcopy -s -i "$work/c.img" "$f" ::; done)
    for pair in 0:imd 1:tele 3:copyqm; do
        dsktrans -itype raw "$work/c.img" -otype "${pair#*:}" "$work/c.${pair#*:}" >/dev/null 2>&1
        { byte "${pair%%:*}"; cat "$work/c.${pair#*:}"; } > "$out/containers/$type-${pair#*:}"
        { byte 5; cat "$work/c.${pair#*:}"; } > "$out/containers/$type-${pair#*:}-detected"
    done
done
{ byte 2; head -c 600 /dev/urandom; } > "$out/containers/lzhuf-noise"
{ byte 4; printf 'PK\003\004'; head -c 200 /dev/zero; } > "$out/containers/zip-start"
