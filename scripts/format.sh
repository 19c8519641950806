#!/usr/bin/env bash
# Formats the C and C++ sources with the project's .clang-format: every
# tracked source, or those under the folders named.
#   scripts/format.sh [folder...]
#   scripts/format.sh --check [folder...]   lists files that would change
set -euo pipefail
cd "$(dirname "$0")/.."
check=""
if [ "${1:-}" = --check ]; then check=1; shift; fi
command -v clang-format >/dev/null || { echo "format: clang-format is not installed" >&2; exit 1; }
mapfile -t files < <(git ls-files -- "${@:-.}" | grep -E '\.(c|cpp|h)$')
[ "${#files[@]}" -gt 0 ] || exit 0
if [ -n "$check" ]; then
  bad=0
  for f in "${files[@]}"; do
    if ! clang-format --dry-run -Werror "$f" >/dev/null 2>&1; then echo "$f"; bad=1; fi
  done
  exit "$bad"
fi
clang-format -i "${files[@]}"
