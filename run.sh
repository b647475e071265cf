#!/usr/bin/env bash
# Builds Pexolen (Release) when needed and runs it. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
pexolen_install_deps

build=build/release
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DPEXOLEN_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target pexolen -j"$(nproc)" >/dev/null

if [ $# -eq 0 ]; then
    # With no arguments: the window where there is a display, otherwise the
    # demonstration stereogram.
    [ -n "${DISPLAY:-}" ] && exec "$build/app/pexolen"
    "$build/app/pexolen" produce -o "$PWD/stereogram.bmp"
    echo "Made the demo stereogram: $PWD/stereogram.bmp (./run.sh --help for more)"
    exit 0
fi
exec "$build/app/pexolen" "$@"
