#!/bin/sh
# Peak memory of the window holding a 6000 x 4500 depth picture and its
# result (goal: under 250 MB), for a grey picture and for one in colour. Run
# from the source tree after a Release build:
#   bench/window_memory.sh [build/release]
set -eu
build=${1:-build/release}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Pictures with soft and sharp edges, made outside the process measured.
convert -size 6000x4500 radial-gradient:white-black \
    -fill white -draw 'rectangle 1000,1000 2000,3500' -depth 8 -type Grayscale \
    "$work/grey.png"
convert -size 6000x4500 radial-gradient:yellow-navy \
    -fill red -draw 'rectangle 1000,1000 2000,3500' -depth 8 "$work/colour.png"
for picture in grey colour; do
    echo "$picture depth picture:"
    "$build/bench/window_memory" "$work/$picture.png" 2>/dev/null
done
