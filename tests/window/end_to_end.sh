#!/usr/bin/env bash
# The real program in a real window, as a user would drive it, with xdotool
# on the X server that DISPLAY names (CTest runs it under scripts/with-xvfb). Starts in a prepared folder, chooses TEXT,
# presses Execute, types the output name into the save dialog, closes
# "COMPLETED ...", checks the file's lines and presses Exit.
#
#   end_to_end.sh PATH/TO/marrowpine
set -euo pipefail

program=$(readlink -f "$1")
work=$(mktemp -d)
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "end_to_end: $*" >&2; exit 1; }

# Waits up to 20 s for the command to succeed.
wait_for() {
    for _ in $(seq 200); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    fail "timed out waiting for: $*"
}
windows_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }
at_least() { [ "$(windows_named "$1")" -ge "$2" ]; }

# Where the window puts things: the client area at 246,139 on the screen.
click_client() { xdotool mousemove $((246 + $1)) $((139 + $2)) click 1; }

mkdir -p "$work/site/img"
touch "$work/site/index.htm" "$work/site/img/page.HTML" "$work/site/notes.txt" "$work/site/photo.jpg"

[ -n "${DISPLAY:-}" ] || fail "no DISPLAY: run it under scripts/with-xvfb"
unset QT_QPA_PLATFORM

cd "$work/site"
"$program" &
app_pid=$!
wait_for at_least MARROWPINE 1

click_client 134 238                     # "TEXT" (opt_out2)
click_client 400 196                     # "Execute"
wait_for at_least 検索結果を保存 1
xdotool type --delay 30 result
xdotool key Return
wait_for at_least MARROWPINE 2          # "COMPLETED ..."
xdotool key Return
wait_for test "$(windows_named MARROWPINE)" -eq 1

# TEXT with full paths: one line per HTM/HTML file, each ending in CR LF.
out="$work/site/result.txt"
[ -f "$out" ] || fail "no output file $out"
expected=$(printf '%s\r\n' "$work/site/img/page.HTML" "$work/site/index.htm" | sort)
actual=$(sort "$out")
[ "$actual" = "$expected" ] || fail "unexpected lines: $(od -c "$out" | head -20)"

click_client 400 228                     # "Exit"
for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && fail "Exit did not end the program"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "end_to_end: passed"
