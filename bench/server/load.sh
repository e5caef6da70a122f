#!/usr/bin/env bash
# Load on a score server of our own: posts per second and list reads per second with 50
# concurrent clients, measured with wrk against lighttpd and the score service on 127.0.0.1 for
# a bounded time. Posts come as older games send them (three keys), as a won game with its moves
# that the server plays again, and as a won Deal of the Day (today's, on the server's UTC date).
# The list is read as the game and browsers read it, accepting gzip, and then uncompressed.
# With --postgres the service keeps the scores in a throwaway PostgreSQL cluster on this machine
# (run as nobody when started by root); the list pages are files there too, written by the
# service's page keeper, and each post waits until they show it.
# Usage: bench/server/load.sh [--postgres] [build folder] [seconds per run]
set -euo pipefail

postgres=0
if [ "${1:-}" = "--postgres" ]; then postgres=1; shift; fi
build=${1:-build}
seconds=${2:-10}
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
command -v wrk >/dev/null || { echo "wrk is missing: apt-get install wrk" >&2; exit 1; }

free_port() {
    python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}
folder=$(mktemp -d)
chmod 755 "$folder"
server=""
pg=""
cleanup() {
    [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    [ -n "$pg" ] && kill "$pg" 2>/dev/null && wait "$pg" 2>/dev/null
    rm -rf "$folder"
}
trap cleanup EXIT

database=()
if [ "$postgres" -eq 1 ]; then
    bin=$(ls -d /usr/lib/postgresql/*/bin | tail -1)
    as=()
    mkdir "$folder/pg"
    if [ "$(id -u)" -eq 0 ]; then
        chown nobody "$folder/pg"
        as=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
    fi
    "${as[@]}" "$bin/initdb" -D "$folder/pg/data" -U solmarin -A trust -E UTF8 --locale=C \
        --no-sync >/dev/null
    pgport=$(free_port)
    "${as[@]}" "$bin/postgres" -D "$folder/pg/data" -p "$pgport" -c listen_addresses=127.0.0.1 \
        -c unix_socket_directories="$folder/pg" >"$folder/pg/log" 2>&1 &
    pg=$!
    for _ in $(seq 200); do
        "$bin/pg_isready" -q -h 127.0.0.1 -p "$pgport" && break
        sleep 0.05
    done
    database=(--database "postgresql://solmarin@127.0.0.1:$pgport/postgres")
fi

port=$(free_port)
SOLMARIN_SERVICE="$build/bin/solmarin-scored" "$here/../../tools/score-server" --posts-per-minute 0 \
    "${database[@]}" "$port" "$folder/data" >"$folder/server.log" 2>&1 &
server=$!
for _ in $(seq 200); do
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
    sleep 0.05
done

base="http://127.0.0.1:$port"
report() { grep -E "Requests/sec|50%|99%|Non-2xx|requests in"; }
kind=$([ "$postgres" -eq 1 ] && echo PostgreSQL || echo SQLite)
echo "== $kind; load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "== posts: GET /cgi-bin/solmarin.cgi, three keys, 50 connections, ${seconds} s"
wrk -t2 -c50 -d"${seconds}s" --latency \
    "$base/cgi-bin/solmarin.cgi?name=Load%20Test&date=12/7/26&score=123" | report

# A won game: the solver's line on a deal, and the score the console's replay gives it.
engine="$build/bin/solmarin-engine"
won_query() {
    local line score
    line=$(printf 'seed %s\nnew\nsolve\n' "$1" | "$engine" | cut -d' ' -f2- | tr ' ' '.')
    score=$(printf 'replay %s %s\n' "$1" "$line" | "$engine" | sed 's/score=\(-*[0-9]*\).*/\1/')
    echo "name=Load%20Test&date=12/7/26&score=$score&deal=$1&moves=$line"
}
if [ -x "$engine" ]; then
    echo "== posts: a won game with its moves, replayed, 50 connections, ${seconds} s"
    wrk -t2 -c50 -d"${seconds}s" --latency "$base/cgi-bin/solmarin.cgi?$(won_query 7)" | report
    day=$(date -u +%F)
    deal=$(printf 'daily %s\n' "$day" | "$engine")
    echo "== posts: a won Deal of the Day ($day), replayed, 50 connections, ${seconds} s"
    wrk -t2 -c50 -d"${seconds}s" --latency \
        "$base/cgi-bin/solmarin.cgi?$(won_query "$deal")&daily=$day" | report
fi
# Reads vary from run to run on a machine shared with others: three runs show how much.
for run in 1 2 3; do
    echo "== list reads, run $run of 3: GET /counter/solmarin.shtml (100 places), gzip accepted as"
    echo "   by the game and every browser, 50 connections, ${seconds} s"
    wrk -t2 -c50 -d"${seconds}s" --latency -H "Accept-Encoding: gzip" "$base/counter/solmarin.shtml" |
        report
done
echo "== list reads: the same page uncompressed, for clients that do not accept gzip, ${seconds} s"
wrk -t2 -c50 -d"${seconds}s" --latency "$base/counter/solmarin.shtml" | report
exec 3<>"/dev/tcp/127.0.0.1/$port"
printf 'GET /counter/solmarin.shtml HTTP/1.0\r\n\r\n' >&3
echo "stored: $(sed -n 's/.*<p align="center">\([0-9]*\) score.*/\1/p' <&3)"
