#!/usr/bin/env bash
# The tool's catalogue is whole: every text its code marks (Tr, N_) is in
# po/ja.po with a Japanese translation that keeps the text's "%s", none
# untranslated or fuzzy.
#
#   catalogue_test.sh PATH/TO/cli
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "catalogue_test: $*" >&2; exit 1; }

xgettext --keyword --keyword=Tr --keyword=N_ --from-code=UTF-8 --language=C++ -o "$work/marked.pot" "$cli"/*.cpp
msgmerge --quiet -o "$work/merged.po" "$cli/po/ja.po" "$work/marked.pot"
statistics=$(LC_ALL=C msgfmt --check --statistics -o /dev/null "$work/merged.po" 2>&1) || fail "msgfmt: $statistics"
case "$statistics" in
    *untranslated* | *fuzzy*)
        missing=$( (msgattrib --untranslated "$work/merged.po"; msgattrib --only-fuzzy "$work/merged.po") | grep '^msgid "[^"]' || true)
        fail "$statistics"$'\n'"$missing" ;;
esac
echo "catalogue_test: $statistics"
