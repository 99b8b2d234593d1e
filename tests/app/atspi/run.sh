#!/usr/bin/env bash
# The installed program as a screen reader user meets it: driven by keys alone and read through the
# desktop's accessibility bus (AT-SPI), on a virtual display under the openbox window manager. The
# walker (walk.py) tabs round each window and reports what a screen reader would say of each stop;
# then pictures of the member sheet with the focus on "Salva" are taken at 100 % and 200 %. The
# pictures and the program's output are kept in BUILD_DIR/test-output/.
# Usage: run.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
# The walker needs the system's Python, where the accessibility bindings are installed.
python=/usr/bin/python3

# Inside a private message bus session (see below): the accessibility bus and its registry, then
# the walker; whatever is started here is ended here.
if [ "${1:-}" = --in-session ]; then
    shift
    log="$1"
    shift
    launcher="" registry=""
    end_bus() {
        local p
        for p in "$registry" "$launcher"; do
            [ -n "$p" ] || continue
            kill "$p" 2>/dev/null || true
            wait "$p" 2>/dev/null || true
        done
    }
    trap end_bus EXIT
    trap 'exit 143' TERM INT
    /usr/libexec/at-spi-bus-launcher --launch-immediately --a11y=1 >>"$log" 2>&1 &
    launcher=$!
    # Asked only once the launcher has the bus's name: asked earlier, the message bus would start
    # a launcher of its own.
    address=""
    for _ in $(seq 1 100); do
        if dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true; then
            address="$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
                org.a11y.Bus.GetAddress | tr -d ' ')"
            break
        fi
        kill -0 "$launcher" 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$address" ] || { echo "atspi: the accessibility bus did not start: $(cat "$log")" >&2; exit 1; }
    /usr/libexec/at-spi2-registryd >>"$log" 2>&1 &
    registry=$!
    for _ in $(seq 1 100); do
        dbus-send --bus="$address" --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:org.a11y.atspi.Registry 2>/dev/null | grep -q true && break
        sleep 0.1
    done
    "$python" "$here/walk.py" "$@"
    exit $?
fi

build="$(cd "$1" && pwd)"
source_dir="$2"
work="$(mktemp -d)"
folder="$work/Corvalla"
output="$build/test-output"
source "$source_dir/tests/display.sh"
cleanup() {
    stop_display
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM INT
fail() { echo "atspi: $*" >&2; exit 1; }

for tool in xdotool import dbus-run-session /usr/libexec/at-spi-bus-launcher /usr/libexec/at-spi2-registryd; do
    command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/install-deps.sh"
done
"$python" -c "import pyatspi" 2>/dev/null || fail "python3-pyatspi is missing: run scripts/install-deps.sh"

cmake --install "$build" --prefix "$folder" >/dev/null
[ -x "$folder/corvalla" ] || fail "no program in $folder"
mkdir -p "$output"
rm -f "$output"/member-sheet-focus-salva-*.png "$output"/atspi-*.log

# The program as a user starts it, with its accessibility always on (no desktop here asks for it).
# The test environment's Qt platform is Qt's screen of its own, with nothing on the bus: the X11
# one is used instead.
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
unset QT_SCALE_FACTOR
# The accessibility bus's socket in the test's own folder, apart from any other session's.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# One part of the test: its own display of SIZE with openbox and its own message bus session.
status=0
in_session() {
    local size="$1" name="$2"
    shift 2
    start_display "$size" "$work" wm || fail "no display"
    local rc=0
    dbus-run-session -- bash "$here/run.sh" --in-session "$work/bus-$name.log" "$@" || rc=$?
    stop_display
    if [ "$rc" -ne 0 ]; then
        echo "atspi: $name failed (exit $rc)" >&2
        status=1
    fi
}

in_session 1280x1024 walk walk --program "$folder/corvalla" --log "$output/atspi-walk-program.log"
for scale in 1 2; do
    in_session 1920x1080 "picture-$scale" picture --program "$folder/corvalla" --scale "$scale" \
        --log "$output/atspi-picture-${scale}00-program.log" --out "$output/member-sheet-focus-salva-${scale}00.png"
done
exit "$status"
