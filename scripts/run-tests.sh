#!/usr/bin/env bash
# Installs what Corvalla needs, builds it with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test. Exits non-zero when any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset testing
cmake --build build/testing -j"$(nproc)"
cd build/testing
ctest --output-on-failure --label-exclude bench -j"$(nproc)" "$@"
