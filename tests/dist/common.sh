# Shared by the install tests: a scratch folder, write protection that holds for root, and a run
# of the real game offscreen that ends the way a session ends it. Sourced, not run.

# Exit status that CTest reads as a skipped test.
readonly skip_status=77

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A scratch folder in $work, cleared on exit even when a step fails; protected folders are
# released first.
protected=()
make_work() {
    work=$(mktemp -d)
    trap cleanup EXIT
}
cleanup() {
    local path
    for path in "${protected[@]}"; do
        chattr -i "$path" 2>/dev/null || chmod u+w "$path" 2>/dev/null || true
    done
    [ -n "${game_pid:-}" ] && kill -KILL "$game_pid" 2>/dev/null
    rm -rf "$work"
}

# Makes a folder refuse new files. Root ignores permission bits, so it takes the immutable
# attribute, where the file system has it; skips the test where neither works.
protect() {
    if [ "$(id -u)" -eq 0 ]; then
        chattr +i "$1" 2>/dev/null || { echo "SKIP: chattr +i is not supported here"; exit $skip_status; }
    else
        chmod a-w "$1"
    fi
    protected+=("$1")
    if touch "$1/.probe" 2>/dev/null; then
        rm -f "$1/.probe"
        echo "SKIP: $1 still takes new files"
        exit $skip_status
    fi
}

# Waits until the command succeeds; a generous bound stands for "never" on a busy machine.
wait_for() {
    local what=$1
    shift
    for _ in $(seq 600); do
        "$@" && return 0
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended before $what"
        sleep 0.1
    done
    fail "no $what within a minute"
}

# Whether the game has ended: gone, or a child not yet waited for.
game_ended() {
    ! grep -q '^State:[[:space:]]*[^Z]' "/proc/$game_pid/status" 2>/dev/null
}

maps_module() {
    grep -q "$1" "/proc/$game_pid/maps"
}

# run_game GAME [SOUND-MODULE]: starts the game offscreen with the player's folders in $work,
# waits until it runs (its lock is taken when its window is made) and, given a module path,
# until it has loaded its sounds from there; then ends it as a session would and expects it to
# leave in order.
run_game() {
    local game=$1 module=${2:-}
    mkdir -p "$work/config" "$work/data" "$work/run" "$work/home"
    chmod 700 "$work/run"
    rm -f "$work/run/solmarin.lock"
    (
        cd "$work"
        exec env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" \
            XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run" HOME="$work/home" \
            "$game" >"$work/game.log" 2>&1
    ) &
    game_pid=$!
    wait_for "its lock" test -e "$work/run/solmarin.lock"
    [ -n "$module" ] && wait_for "its sound module from $module" maps_module "$module"
    kill -TERM "$game_pid"
    # A game that cannot save shows an error box and waits for an answer that never comes.
    for _ in $(seq 600); do
        game_ended && break
        sleep 0.1
    done
    game_ended || { cat "$work/game.log" >&2; fail "the game did not end when asked to"; }
    local status=0
    wait "$game_pid" || status=$?
    game_pid=
    [ "$status" -eq 0 ] || { cat "$work/game.log" >&2; fail "$game ended with status $status"; }
}

# The value of a key in an INI file.
ini_value() {
    sed -n "s/^$2=//p" "$1" | tr -d '\r'
}

# Line N of the tally's text form (line 15 holds the games started), read with the given tool.
tally_line() {
    "$1" d "$2" "$work/tally.txt" >/dev/null
    sed -n "${3}p" "$work/tally.txt" | tr -d '\r'
}
