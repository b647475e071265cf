#!/bin/sh
# Peak memory of the window holding a 6000 x 4500 depth picture and its
# result (goal: under 250 MB). Run from the source tree after a Release build:
#   bench/window_memory.sh [build/release]
set -eu
build=${1:-build/release}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A grey depth picture with soft and sharp edges, made outside the process
# being measured.
convert -size 6000x4500 radial-gradient:white-black \
    -fill white -draw 'rectangle 1000,1000 2000,3500' -depth 8 -type Grayscale \
    "$work/depth.png"
"$build/bench/window_memory" "$work/depth.png"
