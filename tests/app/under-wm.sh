#!/usr/bin/env bash
# Runs a window test as a user's desktop shows its windows: on a virtual screen of the given size
# with the openbox window manager, through the X11 platform.
# Usage: under-wm.sh WIDTHxHEIGHT TEST_PROGRAM [ARGUMENTS...]
set -euo pipefail
size="$1"
shift
work="$(mktemp -d)"
source "$(dirname "$0")/../display.sh"
cleanup() {
    stop_display
    rm -rf "$work"
}
trap cleanup EXIT
start_display "$size" "$work" wm
export QT_QPA_PLATFORM=xcb CORVALLA_WINDOW_MANAGER=openbox
"$@"
