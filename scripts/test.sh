#!/usr/bin/env bash
# Builds every target with AddressSanitizer and UndefinedBehaviorSanitizer (installing missing
# packages first) and runs all tests offscreen; then checks a staged Release installation (on X11,
# on Wayland and with a dark theme), the formatting and clang-tidy.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQX_SANITIZE=ON -DQX_WERROR=ON "${launcher[@]}" >/dev/null
cmake --build build-asan
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure --timeout 300 "$@"
scripts/check-install.sh
scripts/check-desktop.sh
scripts/lint.sh build-release
