#!/usr/bin/env bash
# Builds a Release into build-release/ (without the tests) and installs it into build-release/stage
# with prefix /usr, as a package would lay it out. Prints the staging directory.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-release
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B $build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DQX_TESTS=OFF -DQX_WERROR=ON \
      "${launcher[@]}" >/dev/null
cmake --build $build >&2
rm -rf $build/stage
DESTDIR="$PWD/$build/stage" cmake --install $build >/dev/null
echo "$PWD/$build/stage"
