#!/usr/bin/env bash
# Load on a score server of our own: posts per second and list reads per second with 50
# concurrent clients, measured with wrk against lighttpd on 127.0.0.1 for a bounded time.
# Usage: bench/server/load.sh [build folder] [seconds per run]
set -euo pipefail

build=${1:-build}
seconds=${2:-10}
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
command -v wrk >/dev/null || { echo "wrk is missing: apt-get install wrk" >&2; exit 1; }

folder=$(mktemp -d)
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
SOLMARIN_SERVICE="$build/bin/solmarin-scored" "$here/../../tools/score-server" --posts-per-minute 0 \
    "$port" "$folder" >"$folder/server.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$folder"' EXIT
for _ in $(seq 100); do
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
    sleep 0.05
done

base="http://127.0.0.1:$port"
echo "== posts: GET /cgi-bin/solmarin.cgi, 50 connections, ${seconds} s"
wrk -t2 -c50 -d"${seconds}s" --latency \
    "$base/cgi-bin/solmarin.cgi?name=Load%20Test&date=12/7/26&score=123" | grep -E "Requests/sec|50%|99%|Non-2xx|requests in"
echo "== list reads: GET /counter/solmarin.shtml (100 places), 50 connections, ${seconds} s"
wrk -t2 -c50 -d"${seconds}s" --latency "$base/counter/solmarin.shtml" |
    grep -E "Requests/sec|50%|99%|Non-2xx|requests in"
echo "stored: $(sed -n 's/.*<p align="center">\([0-9]*\) score.*/\1/p' "$folder/www/counter/solmarin.shtml")"
