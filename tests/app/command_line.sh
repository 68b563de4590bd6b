#!/bin/sh
# The program's command line, as a player meets it in a terminal: --help and --version answer
# without a window (no display is needed), anything else is refused in one line with status 2,
# and without a usable display the program ends in one line with status 1, not with a core dump.
#
#   command_line.sh PROGRAM
set -eu

program=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/nobakuza-command-line.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
fail() {
    echo "FAIL: $*" >&2
    for f in out err; do [ -s "$work/$f" ] && { echo "--- std$f:"; cat "$work/$f"; } >&2; done
    exit 1
}
# run EXPECTED_STATUS [ENV...] -- ARGS...: the program, in an empty folder, without a display.
run() {
    expected=$1
    shift
    vars=
    while [ "$1" != -- ]; do
        vars="$vars $1"
        shift
    done
    shift
    status=0
    (cd "$work" && exec env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $vars \
        "$program" "$@" >"$work/out" 2>"$work/err") || status=$?
    [ "$status" -eq "$expected" ] || fail "'$*' ended with status $status, not $expected"
}
lines() { wc -l <"$1" | tr -d ' '; }

run 0 -- --help
head -n 1 "$work/out" | grep -q '^使い方: nobakuza \[--help\] \[--version\]$' || fail "--help"
grep -q -- '--version' "$work/out" || fail "--help does not list --version"
[ ! -s "$work/err" ] || fail "--help wrote to standard error"
run 0 -- -h
grep -q '^使い方: nobakuza' "$work/out" || fail "-h"
run 0 -- --version
[ "$(cat "$work/out")" = "Nobakuza 1.0.0" ] || fail "--version"

for args in --frob -x file.棋譜 "--help --frob"; do
    # shellcheck disable=SC2086
    run 2 -- $args
    [ "$(lines "$work/err")" -eq 1 ] || fail "'$args' is not refused in one line"
    [ ! -s "$work/out" ] || fail "'$args' printed on standard output"
done
grep -q '^nobakuza: .*「--frob」' "$work/err" || fail "the refusal does not name the option"

# No display named at all, and one that is named but not there.
run 1 -- 
[ "$(cat "$work/err")" = "nobakuza: ウィンドウを開けません: ディスプレイがありません（DISPLAY も WAYLAND_DISPLAY も設定されていません）" ] ||
    fail "no display"
run 1 DISPLAY=:987 --
[ "$(cat "$work/err")" = "nobakuza: ウィンドウを開けません: ディスプレイ「:987」に接続できません" ] ||
    fail "a display that cannot be reached"
run 1 QT_QPA_PLATFORM=xcb --
[ "$(lines "$work/err")" -eq 1 ] || fail "xcb asked for, no display"
[ ! -e "$work/Nobakuza.ini" ] || fail "a program without a window wrote its settings"

# With English chosen in the settings file, the answers are English (from the catalogue).
printf '言語=English\r\n' | iconv -f UTF-8 -t CP932 >"$work/Nobakuza.ini"
run 0 -- --help
head -n 1 "$work/out" | grep -q '^Usage: nobakuza \[--help\] \[--version\]$' || fail "--help in English"
run 2 -- --frob
grep -q "^nobakuza: unknown option '--frob'" "$work/err" || fail "a refusal in English"
run 1 --
grep -q '^nobakuza: cannot open a window' "$work/err" || fail "no display, in English"
echo "command line: ok"
