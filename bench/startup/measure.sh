#!/usr/bin/env bash
# Start-up of Solmarin against a bare Qt window, under Xvfb: the time from starting the process to
# its first painted frame and the peak memory (maximum resident set size), over several runs
# taken in turn. A second yardstick, an empty main window with a menu and a line of text, shows
# what any window with text costs beyond the bare one (the fonts).
# Solmarin makes its other windows and plays its first sound only after the first frame, so its
# peak memory is also taken from runs that go on 1.5 s past the first frame.
# Usage: bench/startup/measure.sh [build folder] [runs] [runs that go on past the first frame]
set -euo pipefail

build=${1:-build}
runs=${2:-15}
later_runs=${3:-5}
later_ms=1500
bin="$build/bin"
. "$(dirname "$0")/common.sh"
check_programs
# The sounds play through a module beside the program; without it the later figure leaves out the
# audio libraries.
[ -e "$bin/solmarin-sounds.so" ] || echo "note: $bin/solmarin-sounds.so is missing, so no sound is played" >&2
# The probe reads the settings beside it like the program does; sounds switched off there keep
# the audio libraries out of the later figure.
if grep -qx 'Sounds=no' "$bin/solmarin.ini" 2>/dev/null; then
    echo "note: $bin/solmarin.ini switches the sounds off" >&2
fi
[ -x /usr/bin/time ] || { echo "/usr/bin/time is missing: tools/setup-debian.sh" >&2; exit 1; }

work=$(mktemp -d)
start_xvfb
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT

# One run: prints "microseconds-to-first-frame peak-KiB cpu-seconds". The processor time is
# less disturbed than the wall-clock time when other work shares the machine.
run_once() {
    local program=$1 start frame
    start=$(date +%s%N)
    frame=$(/usr/bin/time -f "%M %U %S" -o "$work/rss" "$bin/$program" 2>/dev/null)
    echo "$(( (frame - start) / 1000 )) $(tail -n 1 "$work/rss" | awk '{ print $1, $2 + $3 }')"
}

# One run that goes on past the first frame: prints the peak KiB.
run_later() {
    /usr/bin/time -f "%M" -o "$work/rss" "$bin/startup_probe" "$later_ms" >/dev/null 2>&1
    tail -n 1 "$work/rss"
}

# Warm the file cache so the first run of either program is not the odd one out.
run_once bare_window >/dev/null
run_once menu_window >/dev/null
run_once startup_probe >/dev/null

for i in $(seq "$runs"); do
    run_once bare_window >>"$work/bare"
    run_once menu_window >>"$work/menu"
    run_once startup_probe >>"$work/solmarin"
done

run_later >/dev/null
for i in $(seq "$later_runs"); do
    run_later >>"$work/later"
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
report() {
    local name=$1 file=$2 us kib max cpu
    us=$(cut -d' ' -f1 "$file" | median)
    kib=$(cut -d' ' -f2 "$file" | median)
    max=$(cut -d' ' -f2 "$file" | sort -n | tail -n 1)
    cpu=$(cut -d' ' -f3 "$file" | median)
    awk -v name="$name" -v us="$us" -v kib="$kib" -v max="$max" -v cpu="$cpu" -v runs="$runs" 'BEGIN {
        printf "%-9s first frame %6.1f ms, processor %5.1f ms (medians of %d runs)   peak memory %5.1f MiB median, %5.1f MiB max\n",
            name, us / 1000, cpu * 1000, runs, kib / 1024, max / 1024 }'
}
report "bare Qt" "$work/bare"
report "menu Qt" "$work/menu"
report "Solmarin" "$work/solmarin"
later_kib=$(median <"$work/later")
later_max=$(sort -n "$work/later" | tail -n 1)
awk -v kib="$later_kib" -v max="$later_max" -v runs="$later_runs" -v ms="$later_ms" 'BEGIN {
    printf "Solmarin  %.1f s after the first frame (other windows made, first sound played): peak memory %5.1f MiB median, %5.1f MiB max (%d runs)\n",
        ms / 1000, kib / 1024, max / 1024, runs }'
ratio() {
    local column=$1 yardstick=$2 what=$3 a b
    a=$(cut -d' ' -f"$column" "$work/solmarin" | median)
    b=$(cut -d' ' -f"$column" "$work/$yardstick" | median)
    awk -v a="$a" -v b="$b" -v what="$what" 'BEGIN { printf "ratio     %.2f x %s\n", a / b, what }'
}
ratio 1 bare "the bare window's time to the first frame"
ratio 3 bare "the bare window's processor time"
ratio 1 menu "the menu window's time to the first frame"
ratio 3 menu "the menu window's processor time"
