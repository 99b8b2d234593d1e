# A virtual display of its own for a test, sourced by the test scripts:
#   start_display WIDTHxHEIGHT WORK_FOLDER [wm]
# starts Xvfb with one screen of that size (it picks a free display number), waits until the
# display answers, exports DISPLAY and, with "wm", starts the openbox window manager on it and
# waits until it manages the screen. stop_display ends what start_display started.
display_xvfb="" display_wm=""

start_display() {
    local size="$1" work="$2" wm="${3:-}"
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
    display_xvfb=$!
    exec 3>&-
    for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || { echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2; return 1; }
    export DISPLAY=":$(head -n1 "$work/display")"
    for _ in $(seq 1 100); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
    [ "$wm" = wm ] || return 0
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    display_wm=$!
    # A window manager that follows the desktop conventions names itself on the root window.
    for _ in $(seq 1 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
        kill -0 "$display_wm" 2>/dev/null || break
        sleep 0.1
    done
    echo "openbox did not start: $(cat "$work/openbox.log")" >&2
    return 1
}

stop_display() {
    local p
    for p in "$display_wm" "$display_xvfb"; do
        [ -n "$p" ] || continue
        kill "$p" 2>/dev/null || true
        wait "$p" 2>/dev/null || true
    done
    display_wm="" display_xvfb=""
}
