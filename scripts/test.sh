#!/usr/bin/env bash
# Builds every target with AddressSanitizer and UndefinedBehaviorSanitizer (installing missing
# packages first) and runs all tests offscreen, two at a time; then checks a staged Release
# installation (on X11, on Wayland and with a dark theme). The formatting is checked before the
# build and clang-tidy right after it, so that a slip fails before the long steps.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
scripts/lint.sh --format
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQX_SANITIZE=ON -DQX_WERROR=ON "${launcher[@]}" >/dev/null
cmake --build build-asan
scripts/lint.sh build-asan
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure --timeout 300 -j2 "$@"
scripts/check-install.sh
scripts/check-desktop.sh
