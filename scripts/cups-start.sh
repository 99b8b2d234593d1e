#!/usr/bin/env bash
# Starts a private CUPS scheduler with a PDF queue "CorvallaPDF" as its default printer, for the
# printing tests. Nothing of the machine's own printing set-up is used or changed: the scheduler
# has its own configuration, spool and socket under STATE_DIR, and the cups-pdf backend writes
# into STATE_DIR/pdf. Safe to run again: a scheduler already running there is reused.
#
# Usage: cups-start.sh [STATE_DIR]   (default /tmp/corvalla-cups)
# Clients reach the scheduler with CUPS_SERVER=STATE_DIR/cups.sock.
# Needs root: the cups-pdf backend refuses to run otherwise.
set -euo pipefail

STATE_DIR="${1:-/tmp/corvalla-cups}"
QUEUE="CorvallaPDF"
SOCK="$STATE_DIR/cups.sock"
# One cups-pdf instance per state folder; cups-pdf reads its instance settings from /etc/cups.
INSTANCE="corvalla$(printf '%s' "$STATE_DIR" | md5sum | cut -c1-8)"
INSTANCE_CONF="/etc/cups/cups-pdf-$INSTANCE.conf"

fail() { echo "cups-start: $*" >&2; exit 1; }

[ "$(id -u)" -eq 0 ] || fail "must run as root (the cups-pdf backend needs it)"
for tool in cupsd lpadmin lpstat timeout; do
    command -v "$tool" >/dev/null || fail "$tool is missing (run scripts/install-deps.sh)"
done
[ -x /usr/lib/cups/backend/cups-pdf ] || fail "the cups-pdf backend is missing (printer-driver-cups-pdf)"
PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -f "$PPD" ] || fail "$PPD is missing"

# "lpstat -r" only connects; listing the destinations needs the scheduler to answer.
scheduler_up() {
    [ -S "$SOCK" ] && CUPS_SERVER="$SOCK" timeout 5 lpstat -r 2>/dev/null | grep -q "is running" \
        && CUPS_SERVER="$SOCK" timeout 5 lpstat -e >/dev/null 2>&1
}

mkdir -p "$STATE_DIR"/{etc/ppd,etc/ssl,spool,spool/tmp,cache,run,log,pdf,pdf-spool}
# The filters run as user lp and must reach the spool through these folders.
chmod 0755 "$STATE_DIR" "$STATE_DIR/etc" "$STATE_DIR/run"
chmod 0777 "$STATE_DIR/pdf"

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

    cat >"$STATE_DIR/etc/cups-files.conf" <<EOF
ServerRoot $STATE_DIR/etc
RequestRoot $STATE_DIR/spool
TempDir $STATE_DIR/spool/tmp
CacheDir $STATE_DIR/cache
StateDir $STATE_DIR/run
AccessLog $STATE_DIR/log/access_log
ErrorLog $STATE_DIR/log/error_log
PageLog $STATE_DIR/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
User lp
Group lp
SystemGroup root
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

# Written here for the printing tests; cups-stop.sh removes it.
cat >"$INSTANCE_CONF" <<EOF
Out $STATE_DIR/pdf
Spool $STATE_DIR/pdf-spool
AnonDirName $STATE_DIR/pdf
UserUMask 0000
Label 1
Grp root
LogType 3
Log $STATE_DIR/log
EOF

export CUPS_SERVER="$SOCK"
# The PDF reaches cups-pdf as PostScript; converting it with pdftocairo keeps the text as text,
# so that the printed file can be read back.
timeout 20 lpadmin -p "$QUEUE" -v "cups-pdf:/$INSTANCE" -P "$PPD" -E \
    -o pdftops-renderer-default=pdftocairo 2>/dev/null \
    || fail "could not add the queue $QUEUE"
timeout 20 lpadmin -d "$QUEUE" || fail "could not make $QUEUE the default printer"
timeout 10 cupsenable "$QUEUE" 2>/dev/null || true
timeout 10 cupsaccept "$QUEUE" 2>/dev/null || true

default="$(timeout 5 lpstat -d 2>/dev/null || true)"
case "$default" in
    *"$QUEUE"*) ;;
    *) fail "the default printer is not $QUEUE ($default)" ;;
esac
echo "cups-start: scheduler on $SOCK, queue $QUEUE writes PDF files into $STATE_DIR/pdf"
