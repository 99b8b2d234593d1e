#!/usr/bin/env bash
# Installs the program into a fresh folder and starts the installed executable as a user would,
# on a virtual display, from another working folder; passes once the access window is on screen.
# Usage: smoke.sh BUILD_DIR
set -euo pipefail
build="$1"
work="$(mktemp -d)"
folder="$work/Corvalla"
program=""
source "$(dirname "$0")/../display.sh"
cleanup() {
    # Only the processes started here are ended.
    if [ -n "$program" ]; then kill "$program" 2>/dev/null || true; wait "$program" 2>/dev/null || true; fi
    stop_display
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "smoke: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$folder" >/dev/null

# The camera module is installed beside the program, which starts without Qt Multimedia and
# without the print system's library: each is loaded when it is first needed.
[ -f "$folder/libcorvalla_camera.so" ] || fail "the camera module is not installed"
links="$(ldd "$folder/corvalla")"
! grep -q "libQt6Multimedia" <<<"$links" || fail "the program loads Qt Multimedia when it starts"
! grep -q "libcups" <<<"$links" || fail "the program loads the print system's library when it starts"
camera_links="$(ldd "$folder/libcorvalla_camera.so")"
grep -q "libQt6Multimedia" <<<"$camera_links" || fail "the camera module has no Qt Multimedia"

start_display 1024x768 "$work" || fail "no display"

(cd / && exec env QT_QPA_PLATFORM=xcb "$folder/corvalla" >"$work/program.log" 2>&1) &
program=$!
title=" Corvalla - Autenticazione"
for _ in $(seq 1 300); do
    if xwininfo -name "$title" 2>/dev/null | grep -q "Map State: IsViewable"; then
        echo "smoke: the installed program shows \"$title\""
        [ ! -e "$folder/Archivio_Iscritti.pro" ] || fail "starting wrote the member archive"
        exit 0
    fi
    kill -0 "$program" 2>/dev/null || fail "the program ended: $(cat "$work/program.log")"
    sleep 0.1
done
fail "no access window within 30 s: $(cat "$work/program.log")"
