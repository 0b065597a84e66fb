#!/usr/bin/env bash
# Static checks that CI enforces: every C++ file formatted as .clang-format says, and no
# clang-tidy finding (.clang-tidy) in the program's sources. Usage: lint.sh --format (the
# formatting alone, needs no build), or lint.sh <build dir with compile_commands.json, already
# built so that the generated headers exist>.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?"build directory, or --format"}
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
if [ "$build" = --format ]; then
  echo "lint: formatted"
  exit 0
fi
run-clang-tidy -p "$build" -quiet -j "$(nproc)" "$PWD/(core|core/solver|shell|records|games|app)/[^/]*\.cpp\$" >"$build/clang-tidy.log" 2>&1 || {
  grep -a -E "warning:|error:" "$build/clang-tidy.log" >&2 || tail -20 "$build/clang-tidy.log" >&2
  echo "lint: clang-tidy found problems (whole log: $build/clang-tidy.log)" >&2
  exit 1
}
echo "lint: formatted, and no clang-tidy finding"
