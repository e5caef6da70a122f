#!/usr/bin/env bash
# The instructions that Solmarin and the two yardsticks execute up to their first frame, counted
# by valgrind's callgrind under Xvfb. Unlike times, the counts hardly move when other work shares
# the machine, so they show what a change to the start-up costs or saves. The profiles are kept
# for callgrind_annotate.
# Usage: bench/startup/instructions.sh [build folder] [folder for the profiles]
set -euo pipefail

build=${1:-build}
out=${2:-$(mktemp -d)}
bin="$build/bin"
. "$(dirname "$0")/common.sh"
check_programs
command -v valgrind >/dev/null || { echo "valgrind is missing: apt-get install valgrind" >&2; exit 1; }
mkdir -p "$out"

start_xvfb
trap 'kill $xvfb 2>/dev/null' EXIT

# Without a session bus Qt's accessibility has one started on the first run, in a child process
# that callgrind follows as far as its exec; only the program's own process is counted.
count() {
    local program=$1 log pid
    log="$out/$program.log"
    valgrind --tool=callgrind --callgrind-out-file="$out/$program.%p.callgrind" "$bin/$program" \
        >/dev/null 2>"$log"
    pid=$(sed -n 's/^==\([0-9]*\)== Command:.*/\1/p' "$log" | head -n 1)
    sed -n "s/^==$pid== Collected : \\([0-9]*\\)/\\1/p" "$log"
}

bare=$(count bare_window)
menu=$(count menu_window)
solmarin=$(count startup_probe)
awk -v bare="$bare" -v menu="$menu" -v solmarin="$solmarin" 'BEGIN {
    printf "bare Qt   %7.1f M instructions to the first frame\n", bare / 1e6
    printf "menu Qt   %7.1f M\n", menu / 1e6
    printf "Solmarin  %7.1f M   %.2f x the bare window, %.2f x the menu window\n",
        solmarin / 1e6, solmarin / bare, solmarin / menu }'
echo "profiles: $out"
