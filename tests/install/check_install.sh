#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a user gets: the files in their
# places, a valid desktop entry and metainfo, icons of the right sizes, and the installed batch
# command started from an empty folder finding its catalogues and writing its pictures.
#   check_install.sh BUILD_DIR SAMPLE_PICTURE
set -euo pipefail
build=$1 picture=$2
tmp=$(mktemp -d "${TMPDIR:-/tmp}/puntela-install.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

p=$tmp/prefix
cmake --install "$build" --prefix "$p" >/dev/null

for f in bin/puntela bin/puntela-cli libexec/puntela/puntela-decode; do [ -x "$p/$f" ] || fail "$f is not installed as a program"; done
for f in share/puntela/dmc.txt share/puntela/dmc1.txt share/puntela/dmc5.txt share/puntela/dmc10.txt \
         share/applications/puntela.desktop share/metainfo/es.puntela.Puntela.metainfo.xml \
         share/icons/hicolor/scalable/apps/puntela.svg share/man/man1/puntela.1.gz share/man/man1/puntela-cli.1.gz; do
  [ -s "$p/$f" ] || fail "$f is missing or empty"
done
[ ! -e "$p/share/puntela/personal.txt" ] || fail "a personal catalogue is installed"
# the user manual whose address the help messages give, with every picture it shows
manual=$p/share/doc/puntela/manual/index.html
[ -s "$manual" ] || fail "the user manual is not installed"
for img in $(grep -o 'src="[^"]*"' "$manual" | cut -d'"' -f2); do
  [ -s "$p/share/doc/puntela/manual/$img" ] || fail "the manual shows $img, which is not installed"
done
for size in 16 22 24 32 48 64 128 256; do
  png=$p/share/icons/hicolor/${size}x${size}/apps/puntela.png
  [ -s "$png" ] || fail "icon $size missing"
  # width and height are the big-endian words at bytes 16 and 20 of a PNG
  read -r w h < <(od -An -tu4 --endian=big -j16 -N8 "$png")
  [ "$w $h" = "$size $size" ] || fail "icon $size is $w x $h"
done
for page in puntela puntela-cli; do
  gzip -t "$p/share/man/man1/$page.1.gz" || fail "$page.1.gz is not a whole gzip file"
  zcat "$p/share/man/man1/$page.1.gz" | grep -q '^\.TH ' || fail "$page.1 is not a manual page"
done

desktop-file-validate "$p/share/applications/puntela.desktop" || fail "desktop entry"
# every type the desktop entry opens is known: the pattern files' own type comes with the program
mime=$p/share/mime/packages/puntela.xml
[ -s "$mime" ] || fail "share/mime/packages/puntela.xml is missing"
xmllint --noout "$mime" || fail "puntela.xml is not well-formed"
cp -r "$p/share/mime" "$tmp/mime"
update-mime-database "$tmp/mime" >/dev/null 2>&1 || fail "update-mime-database refuses puntela.xml"
grep -q '^application/x-oxs$' "$tmp/mime/types" || fail "the .oxs type is not defined"
grep -q 'application/x-oxs;' "$p/share/applications/puntela.desktop" || fail "the desktop entry does not open .oxs files"
appstreamcli validate --no-net "$p/share/metainfo/es.puntela.Puntela.metainfo.xml" >/dev/null || fail "metainfo"

cli=$p/bin/puntela-cli
release=$(grep -o 'release version="[^"]*"' "$p/share/metainfo/es.puntela.Puntela.metainfo.xml" | head -1 | cut -d'"' -f2)
[ "$("$cli" --version)" = "puntela-cli $release" ] || fail "--version and the metainfo's release disagree"
# read whole first: grep -q stops at the first match, and the command writing on would then end
# by a broken pipe, which pipefail reports as a failure
help=$("$cli" --help)
grep -q -- '--catalogue' <<<"$help" || fail "--help lists no options"
grep -q 'Códigos de salida' <<<"$help" || fail "--help gives no exit codes"
set +e; "$cli" --no-such-option >/dev/null 2>&1; code=$?; set -e
[ $code = 2 ] || fail "a wrong command line ends with $code, not 2"

# a user's first run: empty folder, fresh home, no XDG_DATA_HOME
mkdir -p "$tmp/home" "$tmp/empty"
cp "$picture" "$tmp/empty/"
(cd "$tmp/empty" && env -u XDG_DATA_HOME HOME="$tmp/home" QT_QPA_PLATFORM=offscreen \
  "$cli" "$(basename "$picture")" --out patron --width 8 --colours 7 >"$tmp/cli.log" 2>&1) \
  || { cat "$tmp/cli.log" >&2; fail "the installed puntela-cli failed from an empty folder"; }
for f in bordado_i.bmp imagen_i.bmp patron_g.bmp patron_c_g.bmp patron1_1.bmp patron_c1_1.bmp; do
  [ -s "$tmp/empty/patron/$f" ] || fail "puntela-cli did not write $f"
done
user=$tmp/home/.local/share/puntela
for f in dmc.txt dmc1.txt dmc5.txt dmc10.txt; do
  cmp -s "$user/$f" "$p/share/puntela/$f" || fail "$f was not copied into the user's folder"
done
[ "$(ls "$tmp/empty")" = "$(printf '%s\npatron' "$(basename "$picture")")" ] || fail "puntela-cli left files in the folder it was started in"
echo "installed tree, desktop files and batch command: ok"
