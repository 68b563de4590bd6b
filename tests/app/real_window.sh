#!/bin/sh
# Starts the game from the build folder in a virtual X display, in a fresh current folder,
# waits for its window, presses Escape and expects the program to end cleanly.
#
#   real_window.sh PROGRAM X_PROBE
set -eu

program=$1
probe=${2:-}
if [ -z "$probe" ]; then
    echo "SKIP: no window probe in this build (X11 headers missing)"
    exit 77
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/nobakuza-window.XXXXXX")
xvfb_pid=
game_pid=
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM
fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/game.log" ] && cat "$work/game.log" >&2
    exit 1
}

Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
n=0
while [ ! -s "$work/display" ]; do
    n=$((n + 1))
    [ "$n" -gt 100 ] && fail "Xvfb did not start"
    sleep 0.1
done
display=":$(head -n 1 "$work/display")"

# The sounds are looked for in the current folder; the sound library beside the program.
dir=$(dirname "$program")
for f in その他.wav 禁止.wav 駒打音.wav BGM.wav; do cp "$dir/$f" "$work/"; done
(cd "$work" && exec env -u WAYLAND_DISPLAY DISPLAY="$display" QT_QPA_PLATFORM=xcb \
    SDL_AUDIODRIVER=dummy "$program" >"$work/game.log" 2>&1) &
game_pid=$!

DISPLAY="$display" "$probe" "$game_pid" 30 || fail "no game window appeared"
n=0
while kill -0 "$game_pid" 2>/dev/null; do
    n=$((n + 1))
    [ "$n" -gt 100 ] && fail "Escape did not end the game"
    sleep 0.1
done
status=0
wait "$game_pid" || status=$?
game_pid=
[ "$status" -eq 0 ] || fail "the game ended with status $status"
# Start-up ran to its end: the settings file was written with the defaults.
grep -q "BGM=ON" "$work/Nobakuza.ini" || fail "no settings file was written"
echo "window shown, Escape ended the game"
