# Shared by the install and package tests (sourced): a scratch folder, a virtual X display, and
# starting the installed game in a fresh home folder until Escape ends it.
#
# After sourcing: $work is a scratch folder removed on exit; fail MESSAGE ends the test.

work=$(mktemp -d "${TMPDIR:-/tmp}/nobakuza-test.XXXXXX")
xvfb_pid=
game_pid=
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Waits up to $2 tenths of a second for process $1 to end; its status is left in $status.
wait_for_exit() {
    n=0
    while kill -0 "$1" 2>/dev/null; do
        n=$((n + 1))
        [ "$n" -gt "$2" ] && return 1
        sleep 0.1
    done
    status=0
    wait "$1" || status=$?
    return 0
}

# Starts Xvfb; its display is left in $display.
start_xvfb() {
    command -v Xvfb >/dev/null 2>&1 || fail "Xvfb is not installed"
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" \
        >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    n=0
    while [ ! -s "$work/display" ]; do
        n=$((n + 1))
        [ "$n" -gt 100 ] && { cat "$work/xvfb.log"; fail "Xvfb did not start"; }
        sleep 0.1
    done
    display=":$(head -n 1 "$work/display")"
}

# start_game LAUNCHER HOME PROBE: starts the installed launcher with a fresh home on $display,
# waits for its window, presses Escape and expects the game to end cleanly.
start_game() {
    mkdir -p "$2"
    env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_RUNTIME_DIR -u WAYLAND_DISPLAY \
        HOME="$2" DISPLAY="$display" QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy \
        "$1" >"$work/game.log" 2>&1 &
    game_pid=$!
    if ! DISPLAY="$display" "$3" "$game_pid" 30; then
        cat "$work/game.log"
        fail "no game window appeared"
    fi
    if ! wait_for_exit "$game_pid" 150; then
        cat "$work/game.log"
        fail "Escape did not end the game"
    fi
    game_pid=
    [ "$status" -eq 0 ] || { cat "$work/game.log"; fail "the game ended with status $status"; }
}
