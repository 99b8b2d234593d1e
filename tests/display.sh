# A virtual display of its own for a test, sourced by the test scripts:
#   start_display WIDTHxHEIGHT WORK_FOLDER [wm]
# starts Xvfb with one screen of that size (it picks a free display number), waits until the
# display answers, exports DISPLAY and, with "wm", starts the openbox window manager on it and
# waits until it manages the screen. stop_display ends what start_display started. Xvfb servers
# started at the same moment may pick the same number, so CTest starts one at a time (the
# "virtual_display" lock), and a server that lost the number anyway is started again.
display_xvfb="" display_wm=""

# One attempt at a server of our own: true once it answers and is still running.
start_xvfb() {
    local size="$1" work="$2"
    : >"$work/display"
    exec 3>"$work/display"
    # -noreset: the server would otherwise start over when its last client leaves (the probe
    # below), refusing whoever connects meanwhile.
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    display_xvfb=$!
    exec 3>&-
    for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || { stop_display; return 1; }
    export DISPLAY=":$(head -n1 "$work/display")"
    for _ in $(seq 1 100); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
    sleep 0.2
    if ! kill -0 "$display_xvfb" 2>/dev/null || grep -q "already running\|already active" "$work/xvfb.log"; then
        stop_display
        return 1
    fi
}

start_display() {
    local size="$1" work="$2" wm="${3:-}" attempt
    # Two servers started at once may both take the same free display number; the one that loses
    # ends, and is started again.
    for attempt in 1 2 3 4 5; do
        start_xvfb "$size" "$work" && break
        [ "$attempt" -lt 5 ] || { echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2; return 1; }
    done
    [ "$wm" = wm ] || return 0
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    display_wm=$!
    # A window manager that follows the desktop conventions names itself on the root window.
    for _ in $(seq 1 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
        kill -0 "$display_wm" 2>/dev/null || break
        sleep 0.1
    done
    echo "openbox did not start on $DISPLAY: $(cat "$work/openbox.log") $(cat "$work/xvfb.log")" >&2
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
