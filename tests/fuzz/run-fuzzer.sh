#!/usr/bin/env bash
# Runs one fuzz target for a bounded time, as the test run does:
#   run-fuzzer.sh <fuzz target> <seed folder> <artifact folder> <seconds>
# New inputs go to a fresh corpus folder inside the artifact folder (removed afterwards); the
# seed folder is only read. Exits non-zero when the target finds a crash, a leak, a hang or a
# broken property, and then tells how to run the reproducer again.
set -uo pipefail
fuzzer=$1
seeds=$2
artifacts=$3
seconds=$4

mkdir -p "$artifacts"
corpus="$(mktemp -d "$artifacts/corpus.XXXXXX")"
started="$artifacts/.started"
touch "$started"
# The program folders of the run, in memory where there is /dev/shm.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    CORVALLA_FUZZ_TMP="$(mktemp -d /dev/shm/corvalla-fuzz-run.XXXXXX)"
else
    CORVALLA_FUZZ_TMP="$(mktemp -d "$artifacts/tmp.XXXXXX")"
fi
export CORVALLA_FUZZ_TMP
trap 'rm -rf "$corpus" "$started" "$CORVALLA_FUZZ_TMP"' EXIT

export ASAN_OPTIONS="detect_leaks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
export QT_QPA_PLATFORM=offscreen

"$fuzzer" "$corpus" "$seeds" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
    -artifact_prefix="$artifacts/" -print_final_stats=1
status=$?
if [ "$status" -ne 0 ]; then
    echo "fuzz: $(basename "$fuzzer") failed (exit $status)"
    find "$artifacts" -maxdepth 1 -type f -newer "$started" \
        \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' -o -name 'slow-unit-*' \) |
        while read -r found; do
            echo "fuzz: reproducer $found"
            echo "fuzz: run it again with: $fuzzer $found"
        done
fi
exit "$status"
