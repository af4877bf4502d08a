#!/usr/bin/env bash
# Installs a build into a scratch root (prefix /usr, DESTDIR) and uses what landed there the way a person, a
# C program and a desktop would: pkg-config, header and library, the programs, desktop entries, the MIME
# package, icons, man pages.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR CMAKE C_COMPILER VERSION [C_FLAGS]
set -euo pipefail
build="$1" source="$2" cmake="$3" cc="$4" version="$5" cflags="${6:-}"
major="${version%%.*}"

for tool in pkg-config readelf man desktop-file-validate update-mime-database; do
  command -v "$tool" >/dev/null || { echo "missing $tool: run scripts/setup.sh" >&2; exit 1; }
done

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
root="$stage/root"
work="$stage/work"
mkdir -p "$work"

DESTDIR="$root" "$cmake" --install "$build" --prefix /usr >"$work/install.log"
usr="$root/usr"

# The library, its soname and the links a linker and a loader look for.
pc="$(find "$usr/lib" -name orva.pc -path '*/pkgconfig/*')"
[ -n "$pc" ] || { echo "FAIL: no orva.pc installed" >&2; exit 1; }
libdir="$(dirname "$(dirname "$pc")")"
[ -f "$libdir/libORVA.so.$version" ] || fail "no $libdir/libORVA.so.$version"
[ "$(readlink "$libdir/libORVA.so.$major")" = "libORVA.so.$version" ] || fail "libORVA.so.$major is no link"
[ "$(readlink "$libdir/libORVA.so")" = "libORVA.so.$major" ] || fail "libORVA.so is no link"
soname="$(readelf -d "$libdir/libORVA.so.$version" 2>/dev/null | sed -n 's/.*Library soname: \[\(.*\)\]/\1/p' || true)"
[ "$soname" = "libORVA.so.$major" ] || fail "soname is '$soname', not libORVA.so.$major"
[ -f "$usr/include/orva.h" ] || fail "no orva.h"

# pkg-config sees only the scratch root; the paths it hands out must lead into it.
export PKG_CONFIG_LIBDIR="$(dirname "$pc")" PKG_CONFIG_SYSROOT_DIR="$root"
unset PKG_CONFIG_PATH
[ "$(pkg-config --modversion orva)" = "$version" ] || fail "orva.pc says version $(pkg-config --modversion orva)"
grep -qx 'prefix=/usr' "$pc" || fail "orva.pc names another prefix: $(grep '^prefix=' "$pc")"
# shellcheck disable=SC2046,SC2086
if ! "$cc" $cflags -std=c99 -Wall -Wextra -Wpedantic -Werror -o "$work/free_space" \
    "$source/tests/install/free_space.c" $(pkg-config --cflags --libs orva); then
  fail "the C program does not build against the installed header and library"
fi

# The installed orva finds its library beside its own folder: no LD_LIBRARY_PATH, no ldconfig.
orva="$usr/bin/orva"
resolved="$(ldd "$orva" | sed -n 's/.*libORVA\.so\.[0-9]* => \([^ ]*\).*/\1/p' || true)"
case "$resolved" in
  "$root"/*) ;;
  *) fail "the installed orva loads libORVA from '$resolved', not from the installed tree" ;;
esac
out="$("$orva" --version 2>&1)" || fail "orva --version failed: $out"
[ "$out" = "orva $version" ] || fail "orva --version says '$out', not orva $version"

# A fresh 1.44 MB image, then one file of two clusters in it: the C program reads both through the library.
"$orva" new --type 1.44M --label INSTALLED "$work/disk.img" >/dev/null || fail "orva new failed"
if [ -x "$work/free_space" ]; then
  out="$(LD_LIBRARY_PATH="$libdir" "$work/free_space" "$work/disk.img")" || fail "free_space failed: $out"
  [ "$out" = "media 2, 80 cylinders, free 1457664 bytes" ] || fail "free_space on an empty image: '$out'"
  head -c 1000 /dev/zero >"$work/part.bin"
  "$orva" put "$work/disk.img" "$work/part.bin" / || fail "orva put failed"
  out="$(LD_LIBRARY_PATH="$libdir" "$work/free_space" "$work/disk.img")" || fail "free_space failed: $out"
  [ "$out" = "media 2, 80 cylinders, free 1456640 bytes" ] || fail "free_space after a 1000-byte file: '$out'"
fi

# The desktop programs: they start far enough to answer, and kelvorn's way to the library leads to it.
for program in kelvorn mirask; do
  [ -e "$usr/bin/$program" ] || continue
  out="$("$usr/bin/$program" --version 2>&1)" || fail "$program --version failed: $out"
  desktop="$usr/share/applications/$program.desktop"
  if [ -f "$desktop" ]; then
    out="$(sh "$source/desktop/check_desktop_entry.sh" "$desktop" 2>&1)" || fail "$desktop does not validate: $out"
    icon="$(sed -n 's/^Icon=//p' "$desktop")"
    [ -f "$usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "$program.desktop names icon '$icon', not installed"
    exec_name="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")"
    [ -x "$usr/bin/$exec_name" ] || fail "$program.desktop runs '$exec_name', not installed"
  else
    fail "no $desktop"
  fi
  [ -f "$usr/share/man/man1/$program.1.gz" ] || fail "no man page for $program"
done
if [ -e "$usr/bin/kelvorn" ]; then
  runpath="$(readelf -d "$usr/bin/kelvorn" | sed -n 's/.*Library runpath: \[\(.*\)\]/\1/p')"
  [ -e "${runpath/\$ORIGIN/$usr/bin}/libORVA.so" ] || fail "kelvorn's runpath '$runpath' does not lead to libORVA.so"
  # .gvx files are floppy images to the desktop, which offers kelvorn for them.
  mkdir -p "$work/mime/packages"
  cp "$usr/share/mime/packages/"*.xml "$work/mime/packages/"
  out="$(update-mime-database "$work/mime" 2>&1)" || fail "the MIME package does not load: $out"
  grep -q ':application/x-gvx-floppy-image:\*\.gvx$' "$work/mime/globs2" || fail "no *.gvx glob after update-mime-database"
  grep -q 'application/x-gvx-floppy-image' "$usr/share/applications/kelvorn.desktop" || fail "kelvorn.desktop does not open .gvx files"
fi

# Man pages: each carries the toolkit's version and formats without a single warning.
[ -f "$usr/share/man/man1/orva.1.gz" ] || fail "no man page for orva"
for page in "$usr/share/man/man1/"*.1.gz; do
  zcat "$page" | head -n 1 | grep -q "\"ORVA $version\"" || fail "$(basename "$page") does not carry version $version"
  warnings="$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)"
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures install checks failed; installed files:" >&2
  (cd "$root" && find . -not -type d | sort) >&2
  exit 1
fi
echo "install tree checked: $(cd "$root" && find . -not -type d | wc -l) files"
