#!/usr/bin/env bash
# Builds Pexolen (Release) when needed and runs it in the caller's working
# folder, so that relative paths mean what they mean there. Arguments go to
# the program; nothing but the program writes to standard output.
set -euo pipefail
repo="$(cd "$(dirname "$0")" && pwd)"
build="$repo/build/release"
(
    cd "$repo"
    . scripts/deps.sh
    pexolen_install_deps
    pexolen_build_program "$build"
) >&2

if [ $# -eq 0 ]; then
    # With no arguments: the window where there is a display, otherwise the
    # demonstration stereogram here.
    [ -n "${DISPLAY:-}" ] && exec "$build/app/pexolen"
    "$build/app/pexolen" produce -o stereogram.bmp
    echo "Made the demo stereogram: $PWD/stereogram.bmp (./run.sh --help for more)"
    exit 0
fi
exec "$build/app/pexolen" "$@"
