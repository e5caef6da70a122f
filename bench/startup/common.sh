# Shared by the start-up scripts: the programs they compare and a private X server to run them on.
# Sourced, not run.

# Fails unless the probe and both yardsticks are built in "$bin".
check_programs() {
    local program
    for program in startup_probe bare_window menu_window; do
        if [ ! -x "$bin/$program" ]; then
            echo "missing $bin/$program: cmake --build $build --target startup_probe bare_window menu_window" >&2
            exit 1
        fi
    done
    command -v Xvfb >/dev/null || { echo "Xvfb is missing: tools/setup-debian.sh" >&2; exit 1; }
}

# Starts Xvfb on a free display, waits for it, and points Qt at it; its process id is in $xvfb.
start_xvfb() {
    local display=":$((90 + RANDOM % 100))"
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X${display#:}" ] && break
        sleep 0.1
    done
    export DISPLAY=$display QT_QPA_PLATFORM=xcb
    unset WAYLAND_DISPLAY
}
