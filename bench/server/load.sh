#!/usr/bin/env bash
# Load on a score server of our own: posts per second and list reads per second with 50
# concurrent clients, measured with wrk against lighttpd on 127.0.0.1 for a bounded time. Posts
# come as older games send them (three keys), as a won game with its moves that the server
# plays again, and as a won Deal of the Day (today's, on the server's UTC date).
# Usage: bench/server/load.sh [build folder] [seconds per run]
set -euo pipefail

build=${1:-build}
seconds=${2:-10}
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
command -v wrk >/dev/null || { echo "wrk is missing: apt-get install wrk" >&2; exit 1; }

folder=$(mktemp -d)
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
SOLMARIN_CGI="$build/bin/solmarin.cgi" "$here/../../tools/score-server" --posts-per-minute 0 \
    "$port" "$folder" >"$folder/server.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$folder"' EXIT
for _ in $(seq 100); do
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
    sleep 0.05
done

base="http://127.0.0.1:$port"
report() { grep -E "Requests/sec|50%|99%|Non-2xx|requests in"; }
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
echo "== list reads: GET /counter/solmarin.shtml (100 places), 50 connections, ${seconds} s"
wrk -t2 -c50 -d"${seconds}s" --latency "$base/counter/solmarin.shtml" | report
echo "stored: $(sed -n 's/.*<p align="center">\([0-9]*\) score.*/\1/p' "$folder/www/counter/solmarin.shtml")"
