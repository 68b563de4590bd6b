#!/bin/sh
# Installs the build into a temporary prefix, checks the installed tree, starts the installed
# launcher under Xvfb in a fresh home folder (its data folder is created, the window appears,
# Escape ends the game), then checks the launcher's handling of the data folder on its own.
#
#   install_and_start.sh CMAKE BUILD_DIR HAS_PROGRAM X_PROBE
#
# Exits 77 (skipped) while the build has no game program to install.
set -eu

cmake=$1
build=$2
has_program=$3
probe=${4:-}

if [ "$has_program" != 1 ]; then
    echo "SKIP: this build has no game program (target nobakuza) yet, so there is nothing to"
    echo "      install and start; the test runs as soon as the program is part of the build."
    exit 77
fi

. "$(dirname "$0")/common.sh"

# --- install ---------------------------------------------------------------------------------
prefix="$work/pre fix"  # a space in the path must not matter
if ! "$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    fail "cmake --install failed"
fi

sounds="その他.wav 禁止.wav 駒打音.wav BGM.wav"
for f in bin/nobakuza libexec/nobakuza/nobakuza; do
    [ -x "$prefix/$f" ] || fail "$f is not installed as a program"
done
for f in libexec/nobakuza/Nobakuza.so libexec/nobakuza/NobakuzaGraph.so \
    share/nobakuza/Nobakuza.htm share/nobakuza/Nobakuza.en.htm \
    share/locale/en/LC_MESSAGES/nobakuza.mo \
    share/icons/hicolor/scalable/apps/nobakuza.svg share/applications/nobakuza.desktop; do
    [ -s "$prefix/$f" ] || fail "$f is not installed"
done
for f in $sounds; do
    [ -s "$prefix/share/nobakuza/$f" ] || fail "sound $f is not installed"
done
desktop="$prefix/share/applications/nobakuza.desktop"
grep -qx "Exec=nobakuza" "$desktop" || fail "the menu entry must leave a path with a space to PATH"
grep -qx "Icon=nobakuza" "$desktop" || fail "the menu entry names no icon"
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$desktop" || fail "the menu entry is not valid"
fi
plain="$work/plain"
"$cmake" --install "$build" --prefix "$plain" >/dev/null 2>&1 || fail "second install failed"
grep -qx "Exec=$plain/bin/nobakuza" "$plain/share/applications/nobakuza.desktop" ||
    fail "the menu entry does not name the installed launcher"
echo "installed tree: ok"

# --- start under Xvfb in a fresh home --------------------------------------------------------
[ -n "$probe" ] && [ -x "$probe" ] || fail "the window probe ($probe) is not built"
start_xvfb
home="$work/home"
start_game "$prefix/bin/nobakuza" "$home" "$probe"

data="$home/.local/share/nobakuza"
for f in $sounds Nobakuza.htm Nobakuza.ini; do
    [ -s "$data/$f" ] || fail "$f is missing from the data folder $data"
done
cmp -s "$data/Nobakuza.htm" "$prefix/share/nobakuza/Nobakuza.htm" || fail "help page differs"
grep -q "BGM=ON" "$data/Nobakuza.ini" || fail "Nobakuza.ini does not hold the defaults"
echo "window, Escape and data folder: ok"

# --- the launcher on its own, with a stand-in program that reports where it was started ------
cat >"$prefix/libexec/nobakuza/nobakuza" <<'EOF'
#!/bin/sh
pwd >"$HOME/started-in"
EOF
chmod +x "$prefix/libexec/nobakuza/nobakuza"

# A changed help page is brought up to date and a page shipped since is added; the player's
# settings are left alone.
echo "old" >"$data/Nobakuza.htm"
echo "new page" >"$prefix/share/nobakuza/Nobakuza.other.htm"
echo "背景画=竹" >"$data/Nobakuza.ini"
HOME="$home" XDG_DATA_HOME= "$prefix/bin/nobakuza" || fail "launcher failed on a second start"
[ "$(cat "$home/started-in")" = "$data" ] || fail "not started in $data"
cmp -s "$data/Nobakuza.htm" "$prefix/share/nobakuza/Nobakuza.htm" || fail "help page not renewed"
[ "$(cat "$data/Nobakuza.other.htm")" = "new page" ] || fail "a newly shipped page was not copied"
[ "$(cat "$data/Nobakuza.ini")" = "背景画=竹" ] || fail "the settings file was touched"
ls -A "$data" | grep -q '^\.' && fail "a temporary file was left in the data folder"

# XDG_DATA_HOME is used when absolute and ignored when relative.
HOME="$home" XDG_DATA_HOME="$work/xdg" "$prefix/bin/nobakuza" || fail "launcher failed"
[ "$(cat "$home/started-in")" = "$work/xdg/nobakuza" ] || fail "XDG_DATA_HOME not used"
[ -s "$work/xdg/nobakuza/BGM.wav" ] || fail "sounds not copied into XDG_DATA_HOME"
(cd "$work" && HOME="$home" XDG_DATA_HOME=relative "$prefix/bin/nobakuza") ||
    fail "launcher failed"
[ "$(cat "$home/started-in")" = "$data" ] || fail "a relative XDG_DATA_HOME was not ignored"

# A data folder that cannot be made: a message and a failure, no program started.
rm -f "$home/started-in"
mkdir -p "$work/locked"
chmod a-w "$work/locked"
if [ "$(id -u)" -ne 0 ]; then
    if HOME="$home" XDG_DATA_HOME="$work/locked" "$prefix/bin/nobakuza" 2>"$work/err"; then
        fail "launcher succeeded without a data folder"
    fi
    grep -q "cannot create" "$work/err" || fail "no message for a data folder it cannot make"
    [ ! -e "$home/started-in" ] || fail "the program was started without a data folder"
fi
# With arguments the program only answers them: no data folder is made for that.
mkdir -p "$work/elsewhere" "$work/new-home"
(cd "$work/elsewhere" && HOME="$work/new-home" "$prefix/bin/nobakuza" --version) ||
    fail "launcher failed with an argument"
[ "$(cat "$work/new-home/started-in")" = "$work/elsewhere" ] || fail "not started where called"
[ ! -e "$work/new-home/.local" ] || fail "a data folder was made for --version"
echo "launcher: ok"
