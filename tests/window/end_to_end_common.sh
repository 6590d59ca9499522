# Shared by the end-to-end tests, sourced after the script has set
# test_name: a scratch folder and the program's process, both cleaned up at
# exit; failing with a message; waiting for a state of the screen.

work=$(mktemp -d)
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "$test_name: $*" >&2; exit 1; }

# Waits for the command to succeed. A loaded machine (sanitizer builds, other
# builds on both cores) can take many seconds to show a window, so the limit
# is generous; the program's death is noticed at once.
wait_for() {
    local deadline=$((SECONDS + ${END_TO_END_WAIT:-90}))
    until "$@" >/dev/null 2>&1; do
        [ -z "$app_pid" ] || kill -0 "$app_pid" 2>/dev/null || fail "the program ended while waiting for: $*"
        [ "$SECONDS" -lt "$deadline" ] || fail "timed out waiting for: $*"
        sleep 0.1
    done
}
