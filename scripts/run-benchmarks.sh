#!/usr/bin/env bash
# Builds an optimised Corvalla and runs the benchmarks, which print their figures.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset bench >/dev/null
cmake --build build/bench -j"$(nproc)"
cd build/bench
ctest --verbose --label-regex bench "$@"
