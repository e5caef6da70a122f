#!/usr/bin/env bash
# install_test.sh BUILD: installs the build into a temporary prefix, validates the desktop entry,
# the metadata and the icons, and runs the installed game from the prefix made read-only: it
# keeps its settings and tally in the player's folders and reads them back at the next start.
set -euo pipefail
source "$(dirname "$0")/common.sh"
build=$1
make_work
prefix=$work/prefix
app=com.velborsoftware.solmarin

cmake --install "$build" --prefix "$prefix" >/dev/null
desktop-file-validate "$prefix/share/applications/$app.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$app.metainfo.xml"
for size in 16 22 24 32 48 64 128 256 512; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/solmarin.png
    [ -s "$png" ] || fail "no $png"
    # The width and height stand at bytes 16..23 of a PNG file.
    read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{ print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }')
    [ "$width $height" = "$size $size" ] || fail "$png is $width x $height"
done
grep -q "<path" "$prefix/share/icons/hicolor/scalable/apps/solmarin.svg" ||
    fail "the scalable icon draws nothing"
for page in man6/solmarin.6 man1/solmarin-engine.1 man1/lzrw1.1; do
    gzip -t "$prefix/share/man/$page.gz"
done

# A system-wide install: the game may not write beside itself.
protect "$prefix/bin"
run_game "$prefix/bin/solmarin" "$prefix/lib/solmarin/solmarin-sounds.so"
settings=$work/config/solmarin/solmarin.ini
tally=$work/data/solmarin/solmarintally.tld
[ -s "$settings" ] || fail "no settings at $settings"
[ -s "$tally" ] || fail "no tally at $tally"
[ "$(stat -c %a "$work/config/solmarin")" = 700 ] || fail "the settings folder is not private"
[ -z "$(ls -A "$prefix/bin" | grep -v -x -e solmarin -e solmarin-engine -e lzrw1)" ] ||
    fail "the game wrote beside itself: $(ls -A "$prefix/bin")"

# What the next start reads is what it writes back at its end.
sed -i -e 's/^Name=.*/Name=Reader/' -e 's/^Sounds=.*/Sounds=no/' "$settings"
[ "$(tally_line "$prefix/bin/lzrw1" "$tally" 15)" = 0 ] || fail "a fresh tally has games started"
sed -i '15s/^0/41/' "$work/tally.txt"
"$prefix/bin/lzrw1" c --fast "$work/tally.txt" "$tally" >/dev/null
run_game "$prefix/bin/solmarin"
[ "$(ini_value "$settings" Name)" = Reader ] || fail "the name was not read back"
[ "$(ini_value "$settings" Sounds)" = no ] || fail "the sounds setting was not read back"
[ "$(tally_line "$prefix/bin/lzrw1" "$tally" 15)" = 41 ] || fail "the tally was not read back"
echo "installed game keeps its files in the player's folders"
