#!/usr/bin/env bash
# server_package_test.sh BUILD: makes the score server's package, checks its dependencies,
# contents and service unit, and runs the server from the unpacked files: a post through it is
# answered and lands on the list.
set -euo pipefail
source "$(dirname "$0")/common.sh"
build=$1
make_work
# The unpacked server may run as an unprivileged user, who must reach it.
chmod 755 "$work"

cmake --build "$build" --target package_server >"$work/package.log" 2>&1 ||
    { cat "$work/package.log" >&2; fail "making the package"; }
deb=$(ls "$build"/solmarin-server_*_*.deb)

depends=$(dpkg-deb -f "$deb" Depends)
for needed in lighttpd adduser libfcgi0ldbl libpq5 libsqlite3-0; do
    grep -q "\b$needed\b" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for file in ./usr/lib/solmarin-server/solmarin-scored ./usr/lib/solmarin-server/score-server \
    ./etc/solmarin-server/lighttpd.conf.in ./etc/default/solmarin-server \
    ./lib/systemd/system/solmarin-server.service ./usr/share/doc/solmarin-server/copyright; do
    grep -q -x -F "$file" <<<"$contents" || fail "the package lacks $file"
done
dpkg-deb -e "$deb" "$work/control"
for script in postinst prerm postrm; do
    sh -n "$work/control/$script" || fail "$script is no shell script"
done
grep -q -x -F /etc/default/solmarin-server "$work/control/conffiles" ||
    fail "the settings are no conffile"

root=$work/root
dpkg-deb -x "$deb" "$root"
unit=$root/lib/systemd/system/solmarin-server.service
grep -q '^User=solmarin-server$' "$unit" || fail "the service does not run as its own user"
program=$(sed -n 's/^ExecStart=\([^ ]*\).*/\1/p' "$unit")
[ -x "$root$program" ] || fail "the unit starts $program, which the package lacks"
if command -v systemd-analyze >/dev/null && [ -d /run/systemd/system ]; then
    SYSTEMD_LOG_LEVEL=err systemd-analyze verify --root="$root" \
        "$unit" 2>"$work/verify.log" || { cat "$work/verify.log" >&2; true; }
fi

# The unpacked server, as the unit starts it.
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"$root$program" --posts-per-minute 0 "$port" "$work/data" >"$work/server.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; cleanup' EXIT
request() {
    exec 3<>"/dev/tcp/127.0.0.1/$port"
    printf 'GET %s HTTP/1.0\r\n\r\n' "$1" >&3
    cat <&3
    exec 3<&-
}
for _ in $(seq 200); do
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
    kill -0 "$server" 2>/dev/null || { cat "$work/server.log" >&2; fail "the server did not start"; }
    sleep 0.05
done
answer=$(request "/cgi-bin/solmarin.cgi?name=Packaged&date=12/8/26&score=77")
grep -q "^HTTP/1.0 200" <<<"$answer" || { echo "$answer" >&2; fail "the post was not taken"; }
request /counter/solmarin.shtml | grep -q "<td>Packaged</td>" || fail "the post is not on the list"
echo "the score server's package installs a server that takes posts"
