#!/bin/sh
# Checks the Debian package that tools/package made, named by the variable
# PETATTO_PACKAGE (CI sets it; without it the check is skipped): its files
# and its Depends; then it unpacks the package into a throw-away root and
# starts the program there under an empty throw-away home. The program must
# make the user's record in the user's data folder, owner-only and with the
# first-run bytes, never beside the executable, and show the palette and the
# welcome window.
# Usage: with-display.sh package-check.sh SOURCE_DIRECTORY
set -eu
source=$1
package=${PETATTO_PACKAGE-}
if [ -z "$package" ]; then
  echo "skipped: no package; run PETATTO_PACKAGE=\$(tools/package) ctest -R package_check"
  exit 77
fi
work=$(mktemp -d)
program=""
trap '[ -z "$program" ] || kill "$program" 2>/dev/null; rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

files=$(dpkg-deb -c "$package" | awk '{ print $6 }' | sed 's|^\.||')
private=$(printf '%s\n' "$files" | sed -n 's|^\(/usr/lib/[^/]*/petatto-meibo\)/petatto-meibo$|\1|p')
[ -n "$private" ] || fail "no program in a private folder under /usr/lib"
expected="/usr/bin/petatto-meibo $private/libplatform.so $private/libplatform_text.so
  $private/libpetatto-browser.so /usr/share/applications/petatto-meibo.desktop
  /usr/share/metainfo/jp.petatto.meibo.metainfo.xml /usr/share/man/man1/petatto-meibo.1.gz
  /usr/share/doc/petatto-meibo/copyright"
for size in 16 22 24 32 48 64 128 256; do
  expected="$expected /usr/share/icons/hicolor/${size}x$size/apps/petatto-meibo.png"
done
for file in $expected; do
  printf '%s\n' "$files" | grep -qxF "$file" || fail "the package lacks $file"
done
strays=$(printf '%s\n' "$files" | grep -v -e '^/usr/' -e '^/$' -e '/NAME\.txt$' -e '/tst_' -e 'make-pictures' || true)
[ -z "$strays" ] || fail "the package holds files outside /usr: $strays"
if printf '%s\n' "$files" | grep -e '/NAME\.txt$' -e '/tst_' -e 'make-pictures'; then
  fail "the package holds a record, a test or a tool"
fi

depends=$(dpkg-deb -f "$package" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//')
for dependency in fonts-ipafont-gothic qt6-qpa-plugins 'libicu[0-9]*' libqt6widgets6 \
  libqt6webenginecore6 libqt6webenginewidgets6; do
  printf '%s\n' "$depends" | grep -qx "$dependency" || fail "Depends lacks $dependency"
done

dpkg-deb -x "$package" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/petatto-meibo.desktop" ||
  fail "desktop entry rejected by desktop-file-validate"
appstreamcli validate-tree --no-net "$work/root" || fail "AppStream data rejected"
mkdir "$work/home"
HOME="$work/home" XDG_DATA_HOME="" XDG_RUNTIME_DIR="" "$work/root/usr/bin/petatto-meibo" &
program=$!
record="$work/home/.local/share/petatto-meibo/NAME.txt"
for _ in $(seq 300); do
  [ ! -e "$record" ] || break
  sleep 0.1
done
[ -e "$record" ] || fail "no record in the user's data folder"
cmp -s "$record" "$source/resources/NAME.txt" || fail "the record is not the first-run file"
[ "$(stat -c %a "$record")" = 600 ] || fail "the record is not owner-only"
[ "$(stat -c %a "$(dirname "$record")")" = 700 ] || fail "the record's folder is not owner-only"
beside=$(find "$work/root" -name NAME.txt)
[ -z "$beside" ] || fail "a record beside the program: $beside"

# The palette, then the welcome window of a first run.
timeout 60 xdotool search --sync --onlyvisible --name '^はじめまして$' >/dev/null ||
  fail "no welcome window"
windows=$(xdotool search --onlyvisible --pid "$program" | wc -l)
[ "$windows" -ge 2 ] || fail "$windows windows shown, not the palette and the welcome window"
echo "package check passed"
