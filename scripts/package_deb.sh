#!/usr/bin/env bash
# Builds the Debian package of Pexolen: a Release build below /usr in
# build/deb, then cpack -G DEB; prints the package's path. Install it with
#   sudo apt install ./build/deb/pexolen_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
pexolen_install_deps

build=build/deb
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DPEXOLEN_TESTS=OFF -DPEXOLEN_BENCH=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB >/dev/null)
ls "$PWD/$build"/pexolen_*.deb
