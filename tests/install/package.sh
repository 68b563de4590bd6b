#!/bin/sh
# Builds the Debian package with cpack, checks its control fields and its file list, has lintian
# look it over (any error or warning fails), unpacks it (dpkg-deb -x) into a temporary root and
# tries what it holds there: the menu entry, the AppStream file, the manual pages, both programs'
# --version, and the game started under Xvfb until Escape ends it. Prints the file list and the
# package's size.
#
#   package.sh CPACK BUILD_DIR X_PROBE
set -eu

cpack=$1
build=$2
probe=$3
. "$(dirname "$0")/common.sh"

for tool in dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli man lintian; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is not installed (scripts/install-deps)"
done

# --- build ------------------------------------------------------------------------------------
if ! (cd "$build" && "$cpack" -G DEB -B "$work/out") >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    fail "cpack failed"
fi
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb="$work/out/nobakuza_${version}_amd64.deb"
[ -s "$deb" ] || { ls "$work/out"; fail "no nobakuza_${version}_amd64.deb"; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = nobakuza ] || fail "package name"
[ "$(field Section)" = games ] || fail "section"
depends=$(field Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libsdl2-mixer-2.0-0 fonts-ipafont-gothic \
    fonts-ipafont-mincho; do
    echo "$depends" | grep -q "\(^\|, \)$needed\( \|,\|$\)" || fail "Depends lacks $needed: $depends"
done

# --- file list: what must be there is, and nothing lands anywhere else ------------------------
dpkg-deb -c "$deb" | awk '{ print $1, $6 }' | sed 's| \./| |' >"$work/contents"
grep -v '^d' "$work/contents" | cut -d' ' -f2 | sort >"$work/files"
for f in usr/games/nobakuza usr/games/nobakuza-cli usr/libexec/nobakuza/nobakuza \
    usr/libexec/nobakuza/Nobakuza.so usr/libexec/nobakuza/NobakuzaGraph.so \
    usr/share/nobakuza/Nobakuza.htm \
    usr/share/nobakuza/その他.wav usr/share/nobakuza/禁止.wav usr/share/nobakuza/駒打音.wav \
    usr/share/nobakuza/BGM.wav usr/share/applications/nobakuza.desktop \
    usr/share/metainfo/example.nobakuza.Nobakuza.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/nobakuza.svg \
    usr/share/icons/hicolor/48x48/apps/nobakuza.png \
    usr/share/icons/hicolor/64x64/apps/nobakuza.png \
    usr/share/icons/hicolor/128x128/apps/nobakuza.png \
    usr/share/icons/hicolor/256x256/apps/nobakuza.png \
    usr/share/man/man6/nobakuza.6.gz usr/share/man/man6/nobakuza-cli.6.gz \
    usr/share/doc/nobakuza/copyright usr/share/doc/nobakuza/changelog.gz; do
    grep -qx "$f" "$work/files" || fail "$f is not in the package"
done
# Translations and more pages beside the help page are welcome; anything else is a stray.
grep -v -E '^usr/(games/nobakuza(-cli)?|libexec/nobakuza/(nobakuza|Nobakuza\.so|NobakuzaGraph\.so)|share/(nobakuza|locale|doc/nobakuza)/.+|share/applications/nobakuza\.desktop|share/metainfo/example\.nobakuza\.Nobakuza\.metainfo\.xml|share/icons/hicolor/[^/]+/apps/nobakuza\.(png|svg)|share/man/([^/]+/)?man6/nobakuza(-cli)?\.6\.gz)$' \
    "$work/files" >"$work/strays" || true
[ ! -s "$work/strays" ] || { cat "$work/strays"; fail "files outside the game's places"; }
for f in usr/games/nobakuza usr/games/nobakuza-cli usr/libexec/nobakuza/nobakuza; do
    grep -qx -- "-rwxr-xr-x $f" "$work/contents" || fail "$f is not a program for everyone"
done

# --- lintian: Debian's checks of a package, not one error or warning -----------------------------
if ! lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1; then
    cat "$work/lintian.log"
    fail "lintian found errors or warnings (or could not run)"
fi

# --- unpacked -----------------------------------------------------------------------------------
root="$work/root"
dpkg-deb -x "$deb" "$root"
desktop="$root/usr/share/applications/nobakuza.desktop"
desktop-file-validate "$desktop" || fail "the menu entry is not valid"
grep -qx "Exec=/usr/games/nobakuza" "$desktop" ||
    fail "the menu entry does not name /usr/games/nobakuza"
appstreamcli validate --no-net "$root/usr/share/metainfo/example.nobakuza.Nobakuza.metainfo.xml" ||
    fail "the AppStream file is not valid"
for page in nobakuza nobakuza-cli; do
    LC_ALL=C.UTF-8 MANWIDTH=80 man -M "$root/usr/share/man" 6 "$page" >"$work/man.out" \
        2>"$work/man.err" || fail "man cannot show $page(6)"
    grep -q "^NAME" "$work/man.out" || fail "$page(6) has no NAME"
    LC_ALL=C.UTF-8 man --warnings -l "$root/usr/share/man/man6/$page.6.gz" >/dev/null \
        2>"$work/man.err" || fail "man -l $page"
    [ ! -s "$work/man.err" ] || { cat "$work/man.err"; fail "$page(6) renders with warnings"; }
done
[ "$("$root/usr/games/nobakuza" --version)" = "Nobakuza $version" ] ||
    fail "the game's --version is not the package's $version"
[ "$("$root/usr/games/nobakuza-cli" --version)" = "nobakuza-cli $version" ] ||
    fail "nobakuza-cli's --version is not the package's $version"

[ -x "$probe" ] || fail "the window probe ($probe) is not built"
start_xvfb
start_game "$root/usr/games/nobakuza" "$work/home" "$probe"
[ -s "$work/home/.local/share/nobakuza/Nobakuza.ini" ] || fail "the unpacked game made no settings"

echo "package $(basename "$deb"): $(wc -c <"$deb") bytes, $(wc -l <"$work/files") files"
cat "$work/files"
