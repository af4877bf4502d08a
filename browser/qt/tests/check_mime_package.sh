#!/bin/sh
# check_mime_package.sh FILE SCRATCH: the package compiles into a MIME database that maps *.gvx and the
# container extensions to our types.
command -v update-mime-database >/dev/null || exit 77
db="$2/mime"
rm -rf "$2" && mkdir -p "$db/packages" && cp "$1" "$db/packages/" || exit 1
out=$(XDG_DATA_DIRS="$2" XDG_DATA_HOME="$2" update-mime-database "$db" 2>&1)
status=$?
[ -n "$out" ] && printf '%s\n' "$out"
[ $status -eq 0 ] && [ -z "$out" ] || exit 1
grep -qx '50:application/x-gvx-floppy-image:\*\.gvx' "$db/globs2" || { echo "no glob for *.gvx"; exit 1; }
grep -qx 'application/x-gvx-floppy-image application/octet-stream' "$db/subclasses" || { echo "no parent type"; exit 1; }
for pair in imagedisk:imd teledisk:td0 copyqm:cqm zipped:imz; do
  grep -qx "50:application/x-${pair%%:*}-floppy-image:\\*\\.${pair#*:}" "$db/globs2" || { echo "no glob for *.${pair#*:}"; exit 1; }
done
grep -q 'x-imagedisk-floppy-image' "$db/magic" || { echo "no magic for ImageDisk"; exit 1; }
