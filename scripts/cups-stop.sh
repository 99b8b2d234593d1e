#!/usr/bin/env bash
# Stops the private CUPS scheduler that cups-start.sh started for STATE_DIR and removes its
# folder. Safe to run when nothing is running.
#
# Usage: cups-stop.sh [STATE_DIR]   (default /tmp/corvalla-cups-<user id>)
set -euo pipefail

STATE_DIR="${1:-/tmp/corvalla-cups-$(id -u)}"
PIDFILE="$STATE_DIR/run/cupsd.pid"

if [ -f "$PIDFILE" ]; then
    pid="$(cat "$PIDFILE")"
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        if kill -0 "$pid" 2>/dev/null; then
            kill -9 "$pid" 2>/dev/null || true
        fi
    fi
fi

# Only a folder that cups-start.sh laid out is removed.
if [ -f "$STATE_DIR/etc/cupsd.conf" ]; then
    rm -rf "$STATE_DIR"
fi
echo "cups-stop: stopped the scheduler of $STATE_DIR"
