#!/usr/bin/env bash
# Runs a command with a Wine of its own on the X display in DISPLAY (CTest
# starts it under scripts/with-xvfb): Wine's desktop keeps the display it
# was started with, so window tests cannot share the display-less prefix.
#
#   wine_on_xvfb.sh STATE_DIR LOCALE_DIR COMMAND [ARG...]
set -euo pipefail
[ $# -ge 3 ] || { echo "usage: wine_on_xvfb.sh STATE_DIR LOCALE_DIR COMMAND [ARG...]" >&2; exit 2; }
wine_run=$(cd "$(dirname "$0")/../../cmake" && pwd)/wine-run
mkdir -p "$1" "$2"
export MARROWPINE_WINE_STATE=$(cd "$1" && pwd) MARROWPINE_WINE_LOCALE=$(cd "$2" && pwd) MARROWPINE_WINE_DISPLAY=$DISPLAY
shift 2
"$wine_run" --start
trap '"$wine_run" --stop' EXIT
"$@"
