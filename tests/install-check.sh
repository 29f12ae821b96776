#!/bin/sh
# Installs the build into a throw-away home as a user would and checks the
# folder: program with its own libraries, icon, an owner-only first-run NAME.txt that a second
# install leaves alone, and a valid desktop entry that names the installed program.
# Usage: install-check.sh BUILD_DIRECTORY SOURCE_DIRECTORY
set -eu
build=$1
source=$2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
prefix="$home/ペタッと 名簿"
entry="$home/.local/share/applications/petatto-meibo.desktop"

install() {
  HOME=$home XDG_DATA_HOME= cmake --install "$build" --prefix "$prefix" >/dev/null
}
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

install
[ -x "$prefix/petatto-meibo" ] || fail "no program"
[ -f "$prefix/icon.png" ] || fail "no icon"
for library in "$build"/app/*.so*; do
  [ -e "$library" ] || continue
  [ -e "$prefix/$(basename "$library")" ] || fail "$(basename "$library") not installed"
done
if ldd "$prefix/petatto-meibo" | grep -e 'not found' -e "$build"; then
  fail "the installed program needs libraries from outside its folder"
fi
cmp -s "$prefix/NAME.txt" "$source/resources/NAME.txt" || fail "NAME.txt is not the first-run file"
[ "$(stat -c %a "$prefix/NAME.txt")" = 600 ] || fail "NAME.txt is not owner-only"
grep -qx 'Name=ペタッと名簿' "$entry" || fail "desktop entry without the name"
grep -qxF "Exec=\"$prefix/petatto-meibo\"" "$entry" || fail "desktop entry starts something else"
grep -qxF "Icon=$prefix/icon.png" "$entry" || fail "desktop entry without the icon"
desktop-file-validate "$entry" || fail "desktop entry rejected by desktop-file-validate"

# Without a display the program says so in one line, in Japanese and English,
# and ends with status 1 instead of aborting.
status=0
message=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/petatto-meibo" 2>&1) || status=$?
[ "$status" = 1 ] || fail "without a display the program ended with status $status"
[ "$(printf '%s\n' "$message" | wc -l)" = 1 ] && printf '%s' "$message" | grep -q 'デスクトップ.*graphical desktop' ||
  fail "without a display it said: $message"

printf '1\r\nmy record\r\n' >"$prefix/NAME.txt"
install
[ "$(cat "$prefix/NAME.txt")" = "$(printf '1\r\nmy record\r\n')" ] || fail "reinstall replaced NAME.txt"
echo "install check passed"
