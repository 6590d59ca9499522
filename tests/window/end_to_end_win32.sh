#!/usr/bin/env bash
# The Windows program in its own window under Wine (code page 932), driven
# with xdotool as a user would, on the X display and Wine that
# wine_on_xvfb.sh prepared:
#   1. Enter on the focused Execute, a name typed into the save dialog, the
#      closing box while the window is locked, the CP932 lines, the next
#      dialog's empty name, Exit by keyboard;
#   2. cancelling the dialog writes nothing and leaves the window live;
#   3. an unwritable output gives the error box, then an unlocked window;
#   4. started on a folder named on the command line, a stray Enter and
#      Space during a walk of 10,000 files end nothing;
#   5. Exit during such a walk leaves only complete lines.
#
#   end_to_end_win32.sh PATH/TO/marrowpine.exe PATH/TO/win32_probe.exe
set -euo pipefail

program=$(readlink -f "$1")
probe=$(readlink -f "$2")
wine_run=$(cd "$(dirname "$0")/../../cmake" && pwd)/wine-run
test_name=end_to_end_win32
. "$(dirname "$0")/end_to_end_common.sh"
[ -n "${DISPLAY:-}" ] || fail "no DISPLAY: run it under scripts/with-xvfb and wine_on_xvfb.sh"

shown() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null; }
at_least() { [ "$(shown "$1" | wc -l)" -ge "$2" ]; }
probe() { "$wine_run" "$probe" "$@" 2>/dev/null | tr -d '\r'; }
box_up() { probe box >/dev/null; }
# Keys go where the program's focus is: every key waits for the control it is meant for.
focused() { [ "$(probe focus)" = "$1" ]; }
dialog_ready() { at_least 検索結果を保存 1 && focused dialog-name; }
box_gone() { ! box_up; }
none_shown() { [ -z "$(shown "$1")" ]; }
# The locked controls that are live at the moment, one name a line.
live_inputs() {
    probe enabled | grep -xE 'opt_ext[1-6]|opt_inside_style[12]|opt_out[12]|Text1|Command_Exec|Dir1|Drive1' || true
}
unlocked() { [ "$(live_inputs | wc -l)" -eq 14 ]; }
# Clicks OK, the only button, at the middle of the box's bottom edge.
# (Without a window manager Wine does not hand the box the keyboard.)
press_ok() {
    wait_for box_up
    wait_for at_least MARROWPINE 2
    local X Y WIDTH HEIGHT WINDOW SCREEN
    eval "$(xdotool getwindowgeometry --shell "$(shown MARROWPINE | tail -1)")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 24)) click 1
    wait_for box_gone
    rest_pointer
}
# Without a window manager X gives the keys to the window under the pointer,
# and Wine hands them on to its focus: the pointer rests on the status line.
rest_pointer() { xdotool mousemove $((246 + 236)) $((139 + 272)); }
start() {
    cd "$1"
    shift
    "$wine_run" "$program" "$@" 2>/dev/null &
    app_pid=$!
    wait_for at_least MARROWPINE 1
    wait_for focused Command_Exec
    rest_pointer
}
ended() {
    local deadline=$((SECONDS + ${END_TO_END_WAIT:-90}))
    while kill -0 "$app_pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.1; done
    kill -0 "$app_pid" 2>/dev/null && fail "$1 did not end the program"
    local status=0
    wait "$app_pid" || status=$?
    app_pid=""
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}
# Types the name into the save dialog and confirms it. A loaded X server can
# lose a key, so the box is read back before Enter and typed again when it
# holds something else.
name_output() {
    local _
    for _ in 1 2 3; do
        wait_for dialog_ready
        xdotool key --delay 20 End shift+Home Delete
        xdotool type --delay 20 "$1"
        if [ "$(probe dialog-name)" = "$1" ]; then
            xdotool key Return
            return
        fi
    done
    fail "the dialog's name box holds \"$(probe dialog-name)\", not \"$1\""
}
# The path as Wine names it; typed in full, as the dialog opens on the folder used last.
winpath() { printf 'Z:%s' "${1//\//\\}"; }
# Where the window puts things: its client area at 246,139 on the screen.
click_client() { xdotool mousemove $((246 + $1)) $((139 + $2)) click 1; }

echo "== Execute by keyboard"
mkdir -p "$work/site/img"
touch "$work/site/index.htm" "$work/site/img/page.HTML" "$work/site/日本語.htm" "$work/site/notes.txt"
start "$work/site"
xdotool key Return                       # the focus starts on Execute
name_output "$(winpath "$work/site")\\result"
wait_for box_up
box=$(probe box | tr -d '\r')
case "$box" in "COMPLETED ..."$'\n'*"書き込んだ行: 3 行"*"result.htm") ;; *) fail "closing box says: $box" ;; esac
[ -z "$(live_inputs)" ] || fail "live while the closing box is up: $(live_inputs | xargs)"
press_ok
wait_for unlocked
out="$work/site/result.htm"
[ -f "$out" ] || fail "no output file $out"
# Three HTM/HTML lines in code page 932, each ending in CR LF.
grep -q $'\x93\xfa\x96\x7b\x8c\xea\\.htm' "$out" || fail "日本語.htm is not in code page 932: $(od -c "$out" | head)"
root=$(winpath "$work/site")
lines=$(iconv -f CP932 -t UTF-8 "$out" | tr -d '\r' | sed -E 's/.*>(Z:[^<]*)<\/a>.*/\1/' | sort)
expected=$(printf '%s\n' "$root\\img\\page.HTML" "$root\\index.htm" "$root\\日本語.htm" | sort)
[ "$lines" = "$expected" ] || fail "unexpected lines: $lines"
[ "$(grep -c $'\r$' "$out")" -eq 3 ] || fail "lines do not end in CR LF"
wait_for focused Command_Exec
xdotool key Return                       # the next dialog offers no name of its own
wait_for dialog_ready
[ -z "$(probe dialog-name)" ] || fail "the next dialog starts with the name: $(probe dialog-name)"
xdotool key Escape
wait_for none_shown 検索結果を保存
wait_for focused Command_Exec
xdotool key Tab Return                   # Tab from Execute to Exit
ended "Exit"

echo "== Cancel"
start "$work/site"
before=$(ls -la "$work/site" "$work/site/img")
xdotool key Return
wait_for dialog_ready
xdotool key Escape
wait_for none_shown 検索結果を保存
wait_for focused Command_Exec
unlocked || fail "the window is locked after cancel"
box_up && fail "a box after cancel: $(probe box)"
[ "$(ls -la "$work/site" "$work/site/img")" = "$before" ] || fail "cancel changed the folder"
xdotool key alt+F4                       # the close box's key
ended "Alt+F4"

echo "== Unwritable output"
ln -s /dev/full "$work/site/full.htm"   # takes no bytes, whoever writes
start "$work/site"
xdotool key Return
name_output "$(winpath "$work/site/full.htm")"
wait_for box_up
case "$(probe box)" in 出力ファイルに書き込めません:*full.htm*) ;; *) fail "error box says: $(probe box)" ;; esac
press_ok
wait_for unlocked
wait_for focused Command_Exec
xdotool key Return                       # Execute is live and has the focus again
wait_for dialog_ready
xdotool key Escape
wait_for none_shown 検索結果を保存
wait_for focused Command_Exec
xdotool key Tab Return
ended "Exit after the error"

for d in $(seq 50); do mkdir -p "$work/tree/d$d"; (cd "$work/tree/d$d" && touch f{1..200}.htm); done
lines_in() { grep -c '' "$1" || true; }

echo "== A stray Enter and Space during a walk"
# Started on the folder its command line names. An input method's extra
# Enter for the dialog, late: it must not end the walk.
start "$work/site" "$(winpath "$work/tree")"
xdotool key Return
wait_for at_least 検索結果を保存 1
xdotool type --delay 20 "$(winpath "$work/stray.htm")"
xdotool key Return
wait_for test -s "$work/stray.htm"
xdotool key Return space
[ "$(lines_in "$work/stray.htm")" -lt 10000 ] || fail "the walk had ended before the stray keys came"
wait_for box_up
case "$(probe box)" in "COMPLETED ..."*) ;; *) fail "closing box says: $(probe box)" ;; esac
[ "$(lines_in "$work/stray.htm")" -eq 10000 ] || fail "$(lines_in "$work/stray.htm") of 10000 lines"
press_ok
wait_for unlocked
xdotool key Tab Return
ended "Exit after the stray keys"

echo "== Exit during a walk"
start "$work/tree"
xdotool key Return
name_output "$(winpath "$work/walk.htm")"
walk="$work/walk.htm"
wait_for test -s "$walk"
click_client 400 228                     # Exit
ended "Exit during the walk"
[ "$(tail -c 2 "$walk" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "the last line is cut short"
count=$(grep -c '' "$walk")
[ "$count" -lt 10000 ] || fail "the walk had ended before Exit ($count lines)"
bad=$(tr -d '\r' < "$walk" | grep -vcE '^<A HREF=file:///Z\|/.*/d[0-9]+/f[0-9]+\.htm>Z:\\.*\\d[0-9]+\\f[0-9]+\.htm</a></dt> ?$' || true)
[ "$bad" -eq 0 ] || fail "$bad incomplete lines: $(tr -d '\r' < "$walk" | grep -vE 'f[0-9]+\.htm</a>' | head -3)"
echo "end_to_end_win32: passed ($count of 10000 lines written before Exit)"
