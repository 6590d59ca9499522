#!/usr/bin/env bash
# The installer under Wine, as a user without administrator rights would
# run it: msiexec installs without a question into the user's own programs
# folder, with the Start-menu shortcut and the entry in the installed
# programs (name and version); the shortcut starts the window in the user's
# Documents; the installed tool runs; msiexec /x leaves nothing of ours
# behind. Run on the display and Wine that wine_on_xvfb.sh prepared.
#
#   msi_test.sh PATH/TO/marrowpine-x64.msi VERSION PATH/TO/win32_probe.exe
set -euo pipefail
msi=$(readlink -f "$1")
version=$2
probe=$(readlink -f "$3")
wine_run=$(cd "$(dirname "$0")/../cmake" && pwd)/wine-run
fail() { echo "msi_test: $*" >&2; exit 1; }
wine() { "$wine_run" "$@" 2>/dev/null | tr -d '\r'; }

profile=$(wine winepath -u 'C:\users')
programs=$(wine winepath -u "$(wine cmd /c 'echo %LOCALAPPDATA%')\\Programs\\MARROWPINE")
start_menu=$(wine winepath -u "$(wine cmd /c 'echo %APPDATA%')\\Microsoft\\Windows\\Start Menu\\Programs")
# Windows keeps the entries of per-user products under HKCU, Wine under HKLM.
entry() {
    local key
    for key in 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'; do
        wine reg query "$key" /s | grep -A30 -E '^ +DisplayName +REG_SZ +MARROWPINE$' || true
    done
}
ours() { find "$profile" -iname '*marrowpine*' | sort; }
# The window the shortcut started holds its program file: closed first.
close_window() {
    wine "$probe" close || true
    for _ in $(seq 120); do wine "$probe" open-folder >/dev/null || break; sleep 0.5; done
}
cleanup() {
    [ -n "${installed:-}" ] || return 0
    close_window
    "$wine_run" msiexec /x "$(wine winepath -w "$msi")" /qn >/dev/null 2>&1 || true
}
trap cleanup EXIT

# A per-user package: no ALLUSERS, and its word count says it needs no elevation (bit 8).
! msiinfo export "$msi" Property | grep -q '^ALLUSERS' || fail "the package installs for all users"
words=$(msiinfo suminfo "$msi" | sed -n 's/^Source: \([0-9]*\).*/\1/p')
[ $(( ${words:-0} & 8 )) -ne 0 ] || fail "the package asks for administrator rights (word count ${words:-none})"
[ -z "$(ours)" ] || fail "left from an earlier run: $(ours)"
installed=1
wine msiexec /i "$(wine winepath -w "$msi")" /qn || fail "msiexec /i failed"
for file in marrowpine.exe marrowpine-list.exe README.txt; do
    [ -f "$programs/$file" ] || fail "not installed: $programs/$file"
done
[ -f "$start_menu/MARROWPINE.lnk" ] || fail "no Start-menu shortcut in $start_menu"
listed=$(entry)
grep -qE "DisplayVersion +REG_SZ +$version\$" <<<"$listed" || fail "no entry with the version: $listed"
grep -qE 'UninstallString +REG_EXPAND_SZ +MsiExec.exe /X\{' <<<"$listed" || fail "the entry cannot uninstall: $listed"
# The shortcut's working folder is Documents, and the window it starts opens there.
wkdir=$(msiinfo export "$msi" Shortcut | awk -F'\t' '$1 == "StartMenuShortcut" { print $12 }')
[ "$wkdir" = PersonalFolder ] || fail "the shortcut starts in \"$wkdir\", not in PersonalFolder"
documents=$(wine "$probe" documents)
wine start "$(wine winepath -w "$start_menu/MARROWPINE.lnk")"
opened=""
for _ in $(seq 120); do opened=$(wine "$probe" open-folder || true); [ -z "$opened" ] || break; sleep 0.5; done
[ "$opened" = "${documents##*\\}" ] || fail "the shortcut's window opens on \"$opened\", not on $documents"
close_window
tool=$(wine "$(wine winepath -w "$programs/marrowpine-list.exe")" --version)
[ "$tool" = "marrowpine-list (MARROWPINE) $version" ] || fail "installed tool says: $tool"

wine msiexec /x "$(wine winepath -w "$msi")" /qn || fail "msiexec /x failed"
installed=
[ -z "$(ours)" ] || fail "left after uninstall: $(ours)"
[ -z "$(entry)" ] || fail "the entry outlives the uninstall"
echo "msi_test: passed"
