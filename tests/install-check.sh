#!/bin/sh
# Installs the build into a throw-away home as a user would and checks the
# folder: program with its own libraries, icon, an owner-only first-run NAME.txt that a second
# install leaves alone, and a valid desktop entry that names the installed program. Then the
# installs that are refused, each with its one-line reason and without a file written, and
# `uninstall`, which removes all of it but the record.
# Run as root, it installs as the ordinary user "nobody", as a user would.
# Usage: install-check.sh BUILD_DIRECTORY SOURCE_DIRECTORY
set -eu
build=$(cd "$1" && pwd)
source=$2
home=$(mktemp -d)
manifest="$build/install_manifest.txt"
trap 'rm -rf "$home"' EXIT
prefix="$home/ペタッと 名簿"
entry="$home/.local/share/applications/petatto-meibo.desktop"

as_user=""
if [ "$(id -u)" = 0 ]; then
  as_user="setpriv --reuid=nobody --regid=nogroup --clear-groups"
  chown nobody:nogroup "$home"
  # The list of installed files goes into the build folder, which is root's.
  touch "$manifest"
  chown nobody "$manifest"
  trap 'rm -rf "$home"; chown root "$manifest"' EXIT
fi

# install [USER_COMMAND] [ARGUMENT...]: cmake --install in the throw-away home.
install() {
  run=$1
  shift
  HOME=$home XDG_DATA_HOME= $run cmake --install "$build" "$@"
}
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

install "$as_user" --prefix "$prefix" >/dev/null
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
install "$as_user" --prefix "$prefix" >/dev/null
[ "$(cat "$prefix/NAME.txt")" = "$(printf '1\r\nmy record\r\n')" ] || fail "reinstall replaced NAME.txt"

# uninstall removes the program, its libraries and the menu entry, never the
# record; the folder stays for it.
installed=$(cat "$manifest")
cmake --build "$build" --target uninstall >/dev/null
for file in $(printf '%s\n' "$installed" | tr ' ' '?'); do
  [ ! -e "$file" ] || fail "uninstall left $file"
done
[ -n "$installed" ] && [ ! -e "$entry" ] || fail "uninstall left the desktop entry"
[ "$(cat "$prefix/NAME.txt")" = "$(printf '1\r\nmy record\r\n')" ] || fail "uninstall touched NAME.txt"
[ "$(ls -A "$prefix")" = NAME.txt ] || fail "uninstall left: $(ls -A "$prefix")"

# Without --prefix the program goes into the installing user's home, found
# at install time, not into the home of whoever configured the build.
if grep -qxF 'CMAKE_INSTALL_PREFIX:PATH=$ENV{HOME}/.local/opt/petatto-meibo' "$build/CMakeCache.txt"; then
  install "$as_user" >/dev/null
  [ -x "$home/.local/opt/petatto-meibo/petatto-meibo" ] || fail "no program in the installer's home"
  cmake --build "$build" --target uninstall >/dev/null
  rm -r "$home/.local/opt"
elif grep -qx 'CMAKE_INSTALL_PREFIX:PATH=/.*/\.local/opt/petatto-meibo' "$build/CMakeCache.txt"; then
  fail "the default folder was fixed in the home of whoever configured the build"
fi

# refused NAME USER_COMMAND REASON FOLDER [ARGUMENT...]: the install stops
# with the reason in one line and writes nothing into the throw-away home
# nor FOLDER.
refused() {
  name=$1 run=$2 reason=$3 folder=$4
  shift 4
  before=$(find "$home" | sort)
  status=0
  said=$(install "$run" "$@" 2>&1) || status=$?
  [ "$status" != 0 ] || fail "$name: installed"
  printf '%s\n' "$said" | grep -qF "$reason" || fail "$name: said $said"
  [ "$(find "$home" | sort)" = "$before" ] && [ ! -e "$folder" ] || fail "$name: wrote files"
}
if [ -n "$as_user" ]; then
  refused "root into a home folder" "" "As root, not installing into the home folder $home/" \
    "$home/.local/opt/petatto-meibo"
fi
if [ -n "$as_user" ]; then
  chown root "$manifest"
  refused "a build folder the user cannot write" "$as_user" \
    "Cannot write into the build folder $build" "$prefix/petatto-meibo" --prefix "$prefix"
  chown nobody "$manifest"
fi
refused "into another user's home" "$as_user" "/root/ is another user's home folder" \
  /root/petatto-meibo --prefix /root/petatto-meibo
echo "install check passed"
