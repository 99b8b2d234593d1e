#!/usr/bin/env bash
# Checks that every C++ source of the program, its tests and its tools follows the repository's
# .clang-format. Prints the places that do not and exits non-zero when there are any.
# Fix them with: bash scripts/check-format.sh --fix
set -euo pipefail
cd "$(dirname "$0")/.."
FORMAT="$(command -v clang-format-14 || command -v clang-format || true)"
[ -n "$FORMAT" ] || { echo "check-format: clang-format is missing (run scripts/install-deps.sh)" >&2; exit 1; }
mapfile -d '' files < <(find app members receipts cards takings common reports tests tools \
    -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
if [ "${1:-}" = "--fix" ]; then
    "$FORMAT" -i "${files[@]}"
    exit 0
fi
"$FORMAT" --dry-run -Werror "${files[@]}"
echo "check-format: ${#files[@]} files follow .clang-format"
