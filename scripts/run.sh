#!/usr/bin/env bash
# Builds the game (installing missing packages first) and starts it from its run directory,
# where oto/ and data/ resolve.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build build --target qxpuzzle
cd build/run
exec ./qxpuzzle
