#!/bin/sh
# Every text the code hands to the translator as a literal (tr, tr.format, w, refuse's title) has
# an English entry in po/en.po. The language walk of the game finds the texts built elsewhere.
set -eu
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$source_dir"
find src -path src/app -prune -o -path src/sound_library -prune -o \
    \( -name '*.cpp' -o -name '*.h' \) -print | sort >"$work/files"
xgettext --from-code=UTF-8 -k -ktr -kw -kformat -krefuse:2 -f "$work/files" -o "$work/marked.pot"
if msgcmp po/en.po "$work/marked.pot" 2>"$work/report"; then
    exit 0
fi
grep -v 'warning: this message is not used' "$work/report" >&2 || true
echo "texts without an English entry in po/en.po (see above)" >&2
exit 1
