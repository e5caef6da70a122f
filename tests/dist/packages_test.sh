#!/usr/bin/env bash
# packages_test.sh BUILD: makes the Debian package and the self-extracting installer once, checks
# the package's dependencies, contents and lintian's verdict, and installs with the installer
# silently into a temporary folder: the game starts from there and, its folder being writable,
# keeps its files beside itself.
set -euo pipefail
source "$(dirname "$0")/common.sh"
build=$1
make_work

cpack --config "$build/CPackConfig.cmake" -B "$work/packages" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$work"/packages/solmarin_*_*.deb)
installer=$work/packages/solmarinsetup.sh

# The library scan found what the game and its modules link, and the hand-written part is
# there too.
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6multimedia6 libstdc++6 libcurl4 libsodium23 qt6-qpa-plugins \
    fonts-dejavu-core; do
    grep -q "\b$needed\b" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for file in ./usr/games/solmarin ./usr/bin/lzrw1 ./usr/lib/solmarin/solmarin-sounds.so \
    ./usr/lib/solmarin/solmarin-http.so ./usr/lib/solmarin/solmarin-download.so \
    ./usr/share/applications/com.velborsoftware.solmarin.desktop \
    ./usr/share/icons/hicolor/scalable/apps/solmarin.svg ./usr/share/doc/solmarin/copyright; do
    grep -q -x -F "$file" <<<"$contents" || fail "the package lacks $file"
done
if command -v lintian >/dev/null; then
    lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
    if grep -q '^E:' "$work/lintian.log"; then
        cat "$work/lintian.log" >&2
        fail "lintian reports errors"
    fi
else
    echo "lintian is not installed: the package's check is left out"
fi

# The installer as the update runs it: no questions, straight into the folder, which it makes
# when it does not exist yet.
game=$work/game
sh "$installer" --prefix="$game" --skip-license --exclude-subdir >"$work/installer.log" ||
    { cat "$work/installer.log" >&2; fail "the installer"; }

# A folder is taken as written: blanks, backslashes and shell characters are part of its name.
odd_name='a\b  $HOME "q" `id` '"'x'"' *'
odd=$work/odd/$odd_name
sh "$installer" --prefix="$odd" --skip-license --exclude-subdir >"$work/installer.log" 2>&1 ||
    { cat "$work/installer.log" >&2; fail "the installer into $odd"; }
[ -x "$odd/bin/solmarin" ] || fail "no game in $odd: $(find "$work/odd" | head)"
[ "$(ls -A "$work/odd")" = "$odd_name" ] || fail "the installer went astray: $(ls -A "$work/odd")"
run_game "$game/bin/solmarin" "$game/lib/solmarin/solmarin-sounds.so"
[ -s "$game/bin/solmarin.ini" ] || fail "a copy in a writable folder keeps no settings beside itself"
[ -s "$game/bin/solmarintally.tld" ] || fail "a copy in a writable folder keeps no tally beside itself"
[ -z "$(find "$work/config" "$work/data" -type f)" ] ||
    fail "a copy in a writable folder wrote into the player's folders"
echo "packages made; the installer gives a game that starts"
