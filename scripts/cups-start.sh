#!/usr/bin/env bash
# Starts a private CUPS scheduler with a PDF queue "CorvallaPDF" as its default printer, for the
# printing tests. Nothing of the machine's own printing set-up is used or changed, and nothing is
# written outside STATE_DIR: the scheduler has its own configuration, spool, socket and programs
# folder there, and the queue's backend (print-queue/corvalla-pdf) keeps each job's PDF in
# STATE_DIR/pdf. It runs as the user who starts it; root is not needed. Safe to run again: a
# scheduler already running there is reused.
#
# Usage: cups-start.sh [STATE_DIR]   (default /tmp/corvalla-cups-<user id>)
# Clients reach the scheduler with CUPS_SERVER=STATE_DIR/cups.sock.
set -euo pipefail

HERE="$(cd "$(dirname "$0")" && pwd)"
STATE_DIR="${1:-/tmp/corvalla-cups-$(id -u)}"
QUEUE="CorvallaPDF"
SOCK="$STATE_DIR/cups.sock"
CUPS_LIB=/usr/lib/cups

fail() { echo "cups-start: $*" >&2; exit 1; }

for tool in cupsd lpadmin lpstat timeout; do
    command -v "$tool" >/dev/null || fail "$tool is missing (run scripts/install-deps.sh)"
done
[ -x "$CUPS_LIB/filter/pdftopdf" ] || fail "the pdftopdf filter is missing (cups-filters)"

# "lpstat -r" only connects; listing the destinations needs the scheduler to answer.
scheduler_up() {
    [ -S "$SOCK" ] && CUPS_SERVER="$SOCK" timeout 5 lpstat -r 2>/dev/null | grep -q "is running" \
        && CUPS_SERVER="$SOCK" timeout 5 lpstat -e >/dev/null 2>&1
}

mkdir -p "$STATE_DIR"/{etc/ppd,etc/ssl,spool,spool/tmp,cache,run,log,pdf,bin/backend}
# Run as root, the scheduler runs filters and backend as user lp, which must reach these folders.
chmod 0755 "$STATE_DIR" "$STATE_DIR/etc" "$STATE_DIR/run" "$STATE_DIR/bin" "$STATE_DIR/bin/backend"
[ "$(id -u)" -ne 0 ] || chmod 0777 "$STATE_DIR/pdf"
# The scheduler's programs: the system's filters and helpers, and the queue's own backend only.
for sub in filter daemon cgi-bin driver monitor notifier; do
    [ -e "$CUPS_LIB/$sub" ] && ln -sfn "$CUPS_LIB/$sub" "$STATE_DIR/bin/$sub"
done
install -m 0755 "$HERE/print-queue/corvalla-pdf" "$STATE_DIR/bin/backend/corvalla-pdf"

if ! scheduler_up; then
    # A scheduler left from an earlier run that no longer answers is ended first (by its id).
    if [ -f "$STATE_DIR/run/cupsd.pid" ]; then
        old="$(cat "$STATE_DIR/run/cupsd.pid")"
        if [ -n "$old" ] && kill -0 "$old" 2>/dev/null; then
            kill "$old" 2>/dev/null || true
            for _ in $(seq 1 50); do kill -0 "$old" 2>/dev/null || break; sleep 0.1; done
            kill -9 "$old" 2>/dev/null || true
        fi
        rm -f "$STATE_DIR/run/cupsd.pid"
    fi
    rm -f "$SOCK"

    if [ "$(id -u)" -eq 0 ]; then
        RUN_AS="User lp
Group lp
SystemGroup root"
    else
        RUN_AS="User $(id -un)
Group $(id -gn)
SystemGroup $(id -gn)"
    fi
    cat >"$STATE_DIR/etc/cups-files.conf" <<EOF
ServerRoot $STATE_DIR/etc
RequestRoot $STATE_DIR/spool
TempDir $STATE_DIR/spool/tmp
CacheDir $STATE_DIR/cache
StateDir $STATE_DIR/run
AccessLog $STATE_DIR/log/access_log
ErrorLog $STATE_DIR/log/error_log
PageLog $STATE_DIR/log/page_log
ServerBin $STATE_DIR/bin
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
$RUN_AS
Printcap $STATE_DIR/run/printcap
FileDevice No
Sandboxing Relaxed
FatalErrors config
EOF
    cat >"$STATE_DIR/etc/cupsd.conf" <<EOF
Listen $SOCK
LogLevel warn
MaxLogSize 0
Browsing No
BrowseLocalProtocols none
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    chmod 0644 "$STATE_DIR/etc/cupsd.conf" "$STATE_DIR/etc/cups-files.conf"

    if ! check="$(timeout 10 cupsd -t -c "$STATE_DIR/etc/cupsd.conf" -s "$STATE_DIR/etc/cups-files.conf" 2>&1)"; then
        fail "the scheduler's configuration in $STATE_DIR/etc is refused: $check"
    fi
    # Run in the foreground of a detached session, so that its id is known for cups-stop.sh.
    setsid cupsd -f -c "$STATE_DIR/etc/cupsd.conf" -s "$STATE_DIR/etc/cups-files.conf" \
        </dev/null >>"$STATE_DIR/log/cupsd.out" 2>&1 &
    pid=$!
    echo "$pid" >"$STATE_DIR/run/cupsd.pid"
    deadline=$((SECONDS + 30))
    until scheduler_up; do
        if ! kill -0 "$pid" 2>/dev/null || [ "$SECONDS" -ge "$deadline" ]; then
            tail -n 20 "$STATE_DIR/log/error_log" "$STATE_DIR/log/cupsd.out" >&2 2>/dev/null || true
            fail "the scheduler does not answer on $SOCK"
        fi
        sleep 0.2
    done
fi

export CUPS_SERVER="$SOCK"
# lpadmin warns that printer drivers (the PPD) are deprecated; it says so on every run.
if ! out="$(timeout 20 lpadmin -p "$QUEUE" -v "corvalla-pdf:$STATE_DIR/pdf" \
        -P "$HERE/print-queue/CorvallaPDF.ppd" -E 2>&1)"; then
    fail "could not add the queue $QUEUE: $out"
fi
timeout 20 lpadmin -d "$QUEUE" || fail "could not make $QUEUE the default printer"
timeout 10 cupsenable "$QUEUE" 2>/dev/null || true
timeout 10 cupsaccept "$QUEUE" 2>/dev/null || true

default="$(timeout 5 lpstat -d 2>/dev/null || true)"
case "$default" in
    *"$QUEUE"*) ;;
    *) fail "the default printer is not $QUEUE ($default)" ;;
esac
echo "cups-start: scheduler on $SOCK, queue $QUEUE writes PDF files into $STATE_DIR/pdf"
