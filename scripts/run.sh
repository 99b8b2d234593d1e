#!/usr/bin/env bash
# Installs what Corvalla needs, builds it and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build build/release -j"$(nproc)"
exec ./build/release/corvalla
