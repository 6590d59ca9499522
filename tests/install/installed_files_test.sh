#!/usr/bin/env bash
# Installs the build into a prefix whose path holds a blank, as a home
# folder's name may, and checks what a desktop reads from it: the desktop
# entry is valid and starts the installed program by its absolute path, the
# metainfo is valid, every icon is drawn at the size its folder names, and
# the tool speaks Japanese from its installed catalogue.
#
#   installed_files_test.sh BUILD_DIR
set -euo pipefail

build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "installed_files_test: $*" >&2; exit 1; }

prefix="$work/a home/.local"
cmake --install "$build" --prefix "$prefix" >/dev/null

entry=$(echo "$prefix"/share/applications/*.desktop)
[ -f "$entry" ] || fail "no desktop entry"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"

# The entry's id is the name the program gives itself and the metainfo's launchable.
id=$(basename "$entry")
metainfo="$prefix/share/metainfo/${id%.desktop}.metainfo.xml"
[ -f "$metainfo" ] || fail "no metainfo for $id"
grep -q "<launchable type=\"desktop-id\">$id</launchable>" "$metainfo" || fail "the metainfo does not launch $id"
appstreamcli validate --no-net "$metainfo" >/dev/null || { appstreamcli validate --no-net "$metainfo"; fail "appstreamcli rejects the metainfo"; }

# Exec: one quoted absolute path (the desktop's own unquoting: \\ then \"),
# then %f, the folder a file manager opens the program on.
exec_line=$(sed -n 's/^Exec=//p' "$entry")
[ "${exec_line% %f}" != "$exec_line" ] || fail "Exec=$exec_line takes no folder (%f)"
grep -qx 'MimeType=inode/directory;' "$entry" || fail "the entry is not offered for folders (MimeType)"
program=$(printf '%s' "${exec_line% %f}" | sed -e 's/\\\\/\\/g' -e 's/^"\(.*\)"$/\1/' -e 's/\\\(["`$\\]\)/\1/g')
[ "$program" = "$prefix/bin/marrowpine" ] || fail "Exec=$exec_line does not name $prefix/bin/marrowpine"
[ -x "$program" ] || fail "$program is not an installed program"

# Each hicolor size holds a picture of that size; PNG keeps it at bytes 16-23.
for size in 16 24 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/marrowpine.png"
    [ -f "$png" ] || fail "no ${size}x${size} icon"
    read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
    [ "$width" -eq "$size" ] && [ "$height" -eq "$size" ] || fail "${size}x${size} icon is ${width}x${height}"
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/marrowpine.svg" || fail "no scalable icon"
# The tool finds its Japanese catalogue beside itself, wherever the prefix
# is, and both languages' manual pages are there.
first=$(LOCPATH="$build/locale" LC_ALL=ja_JP.UTF-8 LANGUAGE= "$prefix/bin/marrowpine-list" --help | head -n1)
[ "$first" = "使い方: marrowpine-list [オプション]... --output ファイル フォルダー" ] || fail "the installed tool's help begins: $first"
for page in man1/marrowpine.1.gz man1/marrowpine-list.1.gz ja/man1/marrowpine.1.gz ja/man1/marrowpine-list.1.gz; do
    [ -f "$prefix/share/man/$page" ] || fail "no manual page $page"
done
echo "installed_files_test: passed"
