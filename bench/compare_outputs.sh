#!/usr/bin/env bash
# Checks that two builds of pexolen write the same bytes: every picture of the
# shared BMP corpus as a depth picture, every corpus 3DS model at three sizes,
# and generated noisy, smooth and terraced depth maps of odd sizes, with and
# without a pattern. Prints each input whose results differ (or whose exit
# status differs) and exits 1 if any did.
#
#   bench/compare_outputs.sh OLD_PEXOLEN NEW_PEXOLEN
#
# Run it before landing a change to production: the golden hashes pin only the
# two demo pictures.
set -uo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
pexolen_install_bench_deps
[ $# -eq 2 ] || { echo "usage: $0 OLD_PEXOLEN NEW_PEXOLEN" >&2; exit 2; }
old=$1 new=$2
corpus=../shared/corpus
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
runs=0 differ=0

same() {  # same ARGS...: produce with both builds and compare
    "$old" produce -q "$@" -o "$work/old.bmp" >/dev/null 2>&1
    local old_status=$?
    "$new" produce -q "$@" -o "$work/new.bmp" >/dev/null 2>&1
    local new_status=$?
    runs=$((runs + 1))
    if [ $old_status != $new_status ]; then
        echo "exit status $old_status, now $new_status: $*"
        differ=$((differ + 1))
    elif [ $old_status = 0 ] && ! cmp -s "$work/old.bmp" "$work/new.bmp"; then
        echo "different pixels: $*"
        differ=$((differ + 1))
    fi
}

if [ -d "$corpus" ]; then
    for f in "$corpus"/bmp/*/*.bmp; do same --depth "$f"; done
    for f in "$corpus"/3ds/*.3[dD][sS]; do
        for size in 866x554 301x97 1200x900; do same --model "$f" --size "$size"; done
    done
else
    echo "no shared corpus at $corpus: generated inputs only"
fi
for size in 1x1 801x601 3000x50 800x1700 1601x1203; do
    w=${size%x*} h=${size#*x}
    pgmnoise "$w" "$h" -randomseed "$w" 2>/dev/null | ppmtobmp 2>/dev/null >"$work/noisy.bmp"
    pgmnoise $((w / 50 + 2)) $((h / 50 + 2)) -randomseed 3 2>/dev/null >"$work/grid.pgm"
    pamscale -xsize "$w" -ysize "$h" -filter triangle "$work/grid.pgm" 2>/dev/null |
        ppmtobmp 2>/dev/null >"$work/smooth.bmp"
    pamscale -xsize "$w" -ysize "$h" "$work/grid.pgm" 2>/dev/null |
        ppmtobmp 2>/dev/null >"$work/terraces.bmp"
    same --depth "$work/noisy.bmp"
    same --depth "$work/noisy.bmp" --pattern none
    same --depth "$work/smooth.bmp"
    same --depth "$work/terraces.bmp" --pattern demo/depth.bmp
done
echo "$runs inputs, $differ with different results"
[ $differ = 0 ]
