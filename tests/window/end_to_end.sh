#!/usr/bin/env bash
# The real program in a real window under a window manager, driven with the
# keyboard alone as a user would (xdotool on the X server that DISPLAY names;
# CTest runs it under scripts/with-xvfb --wm openbox): Enter on Execute, the
# output's name typed into the save dialog, Enter, Enter on "COMPLETED ...";
# then Space runs again (the focus is back on Execute) rather than quitting;
# Tab and Space on Exit end the program. The listings must equal the
# command-line tool's for the same folder. Then, started on a folder named
# on the command line, a stray Enter and Space during a run end nothing.
#
#   end_to_end.sh PATH/TO/marrowpine PATH/TO/marrowpine-list
set -euo pipefail

program=$(readlink -f "$1")
lister=$(readlink -f "$2")
test_name=end_to_end
. "$(dirname "$0")/end_to_end_common.sh"

windows_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }
count_is() { [ "$(windows_named "$1")" -eq "$2" ]; }
active_named() { [ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = "$1" ]; }
active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
active_is_not() { local id; id=$(xdotool getactivewindow 2>/dev/null) && [ "$id" != "$1" ]; }

# Keys go to the window that has the focus, so each step waits until the
# window it speaks to is the active one. A box takes keys only once it has
# been on screen for a moment (0.3 s).
box_key() { sleep 0.4; xdotool key "$1"; }
save_as() {
    wait_for active_named 検索結果を保存
    xdotool type --delay 40 "$1"
    xdotool key Return
    wait_for count_is MARROWPINE 2          # "COMPLETED ..."
    wait_for active_is_not "$main"
    box_key Return
    wait_for count_is MARROWPINE 1
    wait_for active_is "$main"
}
ended() {
    for _ in $(seq 300); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$app_pid" 2>/dev/null && fail "Exit did not end the program"
    local status=0
    wait "$app_pid" || status=$?
    app_pid=""
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}
same_lines() {
    [ -f "$1" ] || fail "no output file $1"
    [ "$(sort "$1")" = "$(sort "$2")" ] || fail "$1 differs from the tool's listing: $(od -c "$1" | head -20)"
}

mkdir -p "$work/site/img"
touch "$work/site/index.htm" "$work/site/img/page.HTML" "$work/site/notes.txt" "$work/site/photo.jpg"
# The tool's listing of the same folder, with the window's defaults:
# HTM/HTML, HtmlLink, PATH+FILE名.
"$lister" --output "$work/expected.htm" "$work/site" 2>/dev/null
[ "$(wc -l <"$work/expected.htm")" -eq 2 ] || fail "the tool listed $(wc -l <"$work/expected.htm") lines"

[ -n "${DISPLAY:-}" ] || fail "no DISPLAY: run it under scripts/with-xvfb --wm openbox"
unset QT_QPA_PLATFORM

cd "$work/site"
"$program" &
app_pid=$!
wait_for count_is MARROWPINE 1
main=$(xdotool search --onlyvisible --name '^MARROWPINE$' | head -n1)
wait_for active_is "$main"

# The outputs end in .txt so that the HTM/HTML walk does not list them.
xdotool key Return                         # Execute has the focus at start
save_as result.txt
same_lines "$work/site/result.txt" "$work/expected.htm"

xdotool key space                          # run again, not Exit
save_as again.txt
same_lines "$work/site/again.txt" "$work/expected.htm"

xdotool key Tab space                      # Exit follows Execute
ended

# Started on a folder named on the command line, from another one. A stray
# Enter and Space while the walk goes (an input method's extra Enter for the
# dialog, 0.3 s late) act on nothing: the run completes with every line.
# Every write of the program waits 2 ms, as on a slow share, so that the
# walk of 1,000 files surely lasts while the keys come.
for d in $(seq 10); do mkdir -p "$work/tree/d$d"; (cd "$work/tree/d$d" && touch f{1..100}.htm); done
strace -f -qq -o /dev/null -e trace=write -e inject=write:delay_enter=2000 "$program" "$work/tree" &
app_pid=$!
wait_for count_is MARROWPINE 1
main=$(xdotool search --onlyvisible --name '^MARROWPINE$' | head -n1)
wait_for active_is "$main"
xdotool key Return
wait_for active_named 検索結果を保存
xdotool type --delay 40 walk.txt
xdotool key Return
wait_for test -s "$work/site/walk.txt"
xdotool key Return space
[ "$(grep -c '' "$work/site/walk.txt")" -lt 1000 ] || fail "the walk had ended before the stray keys came"
wait_for count_is MARROWPINE 2          # "COMPLETED ..."
wait_for active_is_not "$main"
[ "$(grep -c '' "$work/site/walk.txt")" -eq 1000 ] || fail "$(grep -c '' "$work/site/walk.txt") of 1000 lines"
box_key Return
wait_for count_is MARROWPINE 1
wait_for active_is "$main"
xdotool key Tab space
ended
echo "end_to_end: passed"
