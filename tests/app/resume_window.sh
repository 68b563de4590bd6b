#!/bin/sh
# The real program in a virtual X display, started again and again in one folder: a game left
# unfinished (Escape, the close button, a crash) is offered at the next start and comes back
# exactly; いいえ keeps it among the finished games; the window opens at about 80 % of the
# screen and comes back at the size and place it was left at; the question is English when
# English was chosen.
#
#   resume_window.sh PROGRAM SCREENSHOT_PROGRAM X_DRIVE
set -eu

program=$1
screenshot=$2
drive=${3:-}
if [ -z "$drive" ]; then
    echo "SKIP: no X driver in this build (X11 headers missing)"
    exit 77
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/nobakuza-resume.XXXXXX")
xvfb_pid=
game_pid=
cleanup() {
    [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM
fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/game.log" ] && cat "$work/game.log" >&2
    exit 1
}

Xvfb -displayfd 3 -nolisten tcp -screen 0 1920x1080x24 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
n=0
while [ ! -s "$work/display" ]; do
    n=$((n + 1))
    [ "$n" -gt 100 ] && fail "Xvfb did not start"
    sleep 0.1
done
export DISPLAY=":$(head -n 1 "$work/display")"
export XDG_CONFIG_HOME="$work/config" SDL_AUDIODRIVER=dummy
unset WAYLAND_DISPLAY

data="$work/data"
mkdir -p "$data"
dir=$(dirname "$program")
for f in その他.wav 禁止.wav 駒打音.wav BGM.wav; do cp "$dir/$f" "$data/"; done

start() {
    (cd "$data" && exec env QT_QPA_PLATFORM=xcb "$program" >"$work/game.log" 2>&1) &
    game_pid=$!
}
# Waits for the program to end by itself; its exit status must be 0.
ended() {
    n=0
    while kill -0 "$game_pid" 2>/dev/null; do
        n=$((n + 1))
        [ "$n" -gt 150 ] && fail "$1: the program did not end"
        sleep 0.1
    done
    status=0
    wait "$game_pid" || status=$?
    game_pid=
    [ "$status" -eq 0 ] || fail "$1: the program ended with status $status"
}
# The same game in two autosaves: every line alike but the clocks' (時間=), whose totals are alike
# and whose third value, the time spent on the move under way, has only gone on.
same_game() {
    iconv -f CP932 -t UTF-8 "$1" >"$work/a.txt" && iconv -f CP932 -t UTF-8 "$2" >"$work/b.txt" ||
        return 1
    grep -v '^時間=' "$work/a.txt" >"$work/a.rest"
    grep -v '^時間=' "$work/b.txt" >"$work/b.rest"
    cmp -s "$work/a.rest" "$work/b.rest" || return 1
    set -- $(sed -n 's/^時間=\([0-9]*\) \([0-9]*\) *\([0-9]*\).*$/\1 \2 \3/p' "$work/a.txt") \
        $(sed -n 's/^時間=\([0-9]*\) \([0-9]*\) *\([0-9]*\).*$/\1 \2 \3/p' "$work/b.txt")
    [ "$1" = "$4" ] && [ "$2" = "$5" ] && [ "${6:-0}" -ge "${3:-0}" ]
}
windows() {
    "$drive" "$game_pid" windows 30 >"$work/windows" || fail "$1: no window appeared"
}

# --- a first start in a fresh folder: no question, about 80 % of the screen -------------------
start
windows "first start"
grep -q "Nobakuza$" "$work/windows" || fail "no main window: $(cat "$work/windows")"
[ "$(wc -l <"$work/windows")" -eq 1 ] || fail "a box at the first start: $(cat "$work/windows")"
read -r x y w h title <"$work/windows"
# 80 % of 1920 x 1080 is 1536 x 864: the width binds, the height stays within.
[ "$w" -ge 1459 ] && [ "$w" -le 1613 ] || fail "the window is $w wide on a 1920 wide screen"
[ "$h" -le 864 ] && [ "$h" -ge 600 ] || fail "the window is $h high on a 1080 high screen"
"$drive" "$game_pid" place 100 80 1200 700 || fail "cannot place the window"
sleep 0.5
"$drive" "$game_pid" close || fail "cannot close the window"
ended "first start"
echo "first start: a window of ${w}x${h}, placed at 100,80 1200x700 and closed"

# --- the size and place come back ---------------------------------------------------------
start
windows "second start"
read -r x y w h title <"$work/windows"
[ "$x $y $w $h" = "100 80 1200 700" ] || fail "the window came back at $x,$y ${w}x$h"
"$drive" "$game_pid" key Escape Nobakuza
ended "second start"
echo "size and place: back at 100,80 1200x700"

# --- a game left by Escape: はい puts it back exactly ----------------------------------------
QT_QPA_PLATFORM=offscreen "$screenshot" "$work/shot.png" --in "$data" >"$work/shot.log" 2>&1 ||
    { cat "$work/shot.log"; fail "the game to be left unfinished could not be played"; }
[ -s "$data/自動保存.状態" ] || fail "the unfinished game was not kept"
[ -s "$data/自動保存.棋譜" ] || fail "the unfinished game was not kept as a record"
cp "$data/自動保存.状態" "$work/left"
start
windows "resume"
grep -q "自動保存$" "$work/windows" || fail "no question at the start: $(cat "$work/windows")"
"$drive" "$game_pid" key Return 自動保存 || fail "cannot answer the question"
sleep 1
"$drive" "$game_pid" key Escape Nobakuza
ended "resume"
same_game "$work/left" "$data/自動保存.状態" || fail "the game did not come back exactly"
cp "$data/自動保存.状態" "$work/left"
echo "はい after Escape: the game came back exactly and is kept again"

# --- a crash: still offered -------------------------------------------------------------------
start
windows "crash"
"$drive" "$game_pid" key Return 自動保存 || fail "cannot answer the question"
sleep 1
kill -9 "$game_pid"
wait "$game_pid" 2>/dev/null || true
game_pid=
cmp -s "$data/自動保存.状態" "$work/left" || fail "the game was lost in the crash"
echo "crash: the game is still there"

# --- in English, and いいえ: a new game; the old one among the finished games --------------
printf '言語=English\r\n' | iconv -f UTF-8 -t CP932 >>"$data/Nobakuza.ini"
start
windows "no"
grep -q "Saved game$" "$work/windows" || fail "no English question: $(cat "$work/windows")"
"$drive" "$game_pid" key Escape "Saved game" || fail "cannot answer the question"
sleep 1
"$drive" "$game_pid" close
ended "no"
[ ! -e "$data/自動保存.状態" ] || fail "the game given up is still offered"
kept=$(ls "$data/棋譜" 2>/dev/null | grep -c '^20[0-9][0-9]-[01][0-9]-[0-3][0-9]_[0-9]\{4\}\.棋譜$' || true)
[ "$kept" -eq 1 ] || fail "the game given up was not kept under 棋譜/ ($kept files)"
echo "いいえ in English: a new game, the old one kept under 棋譜/"
