#!/usr/bin/env bash
# Quick start: installs what is needed, builds, makes a sample 1.44 MB floppy image from the built-in boot
# sector template, fills it with mtools (long and Czech names, nested folders), then shows it with orva and
# copies the whole disk back out.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/setup.sh"
"$top/scripts/build.sh" "$top/build"

orva="$top/build/cli/orva"
sample="$top/sample"
rm -rf "$sample"
mkdir -p "$sample/files/Dokumenty/Staré verze" "$sample/files/PROGRAMS"
printf 'Hello from a floppy image.\r\n' > "$sample/files/README.TXT"
printf 'Příliš žluťoučký kůň úpěl ďábelské ódy.\n' > "$sample/files/Příliš žluťoučký kůň.txt"
printf 'Quarterly report\n' > "$sample/files/Dokumenty/Quarterly report 1998.doc"
printf 'first draft\n' > "$sample/files/Dokumenty/Staré verze/návrh.txt"
head -c 20000 /dev/urandom > "$sample/files/PROGRAMS/SETUP.EXE"
: > "$sample/files/PROGRAMS/EMPTY.DAT"

image="$sample/sample.img"
"$top/build/bootsectors/make_blank_image" --type 1.44M "$image" SAMPLE
(cd "$sample/files" && for f in *; do MTOOLS_SKIP_CHECK=1 LC_ALL=C.UTF-8 mcopy -s -i "$image" "$f" ::; done)

echo "\$ orva info sample/sample.img"
"$orva" info "$image"
echo
echo "\$ orva ls -R sample/sample.img"
"$orva" ls -R "$image"
echo
echo "\$ orva get -r sample/sample.img / sample/extracted"
"$orva" get -r "$image" / "$sample/extracted"
diff -r "$sample/files" "$sample/extracted" && echo "The extracted files are identical to the ones that went in."

echo
echo "To browse the sample image in Kelvorn, the image browser (needs a desktop session):"
echo "  build/browser/qt/kelvorn sample/sample.img"
