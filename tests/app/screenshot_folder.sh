#!/bin/sh
# The screenshot program, started in a folder with a relative picture name: the picture lands
# there and nothing else does (the game it plays writes its settings and the unfinished game in
# a scratch folder of its own, which is gone afterwards).
#
#   screenshot_folder.sh SCREENSHOT_PROGRAM
set -eu

program=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/nobakuza-shot.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

mkdir "$work/here" "$work/tmp"
mkdir -m 700 "$work/runtime"  # else Qt makes one in TMPDIR
(cd "$work/here" && exec env TMPDIR="$work/tmp" XDG_RUNTIME_DIR="$work/runtime" \
    XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
    "$program" shot.png >"$work/log" 2>&1) ||
    { cat "$work/log"; fail "the screenshot program failed"; }
[ -s "$work/here/shot.png" ] || fail "no picture where it was asked for"
left=$(ls -A "$work/here")
[ "$left" = shot.png ] || fail "left in the folder it was started in: $(echo $left)"
[ -z "$(ls -A "$work/tmp")" ] || fail "its scratch folder was left: $(ls -A "$work/tmp")"
echo "screenshot: only the picture where it was started"
