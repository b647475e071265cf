#!/usr/bin/env bash
# Times "pexolen produce --depth MAP -o OUT" for each output format end to end
# (read the depth map, compute, write) at 4000 x 3000 and prints the median
# wall time, the peak memory and the file size of each, the ratios to BMP, and
# ImageMagick's PNG of the same picture (its default settings) beside ours.
# The depth map is a smooth grey picture made by ImageMagick, read as BMP, PNG
# and JPEG, whose read times are printed too.
#
#   bench/picture_outputs.sh [PEXOLEN]   (default: build/release/app/pexolen, built if missing)
#
# Environment: SIZE (default 4000x3000), RUNS (default 3), THREADS (default 2).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
pexolen_install_packages $PEXOLEN_PACKAGES time

pexolen=${1:-build/release/app/pexolen}
if [ $# -eq 0 ]; then
    pexolen_build_program build/release
fi
pexolen=$(realpath "$pexolen")
size=${SIZE:-4000x3000}
runs=${RUNS:-3}
threads=${THREADS:-2}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
convert -size "$size" -seed 1 plasma:fractal -blur 0x30 -colorspace Gray -type TrueColor \
    "$work/depth.bmp"
convert "$work/depth.bmp" "$work/depth.png"
convert "$work/depth.bmp" -quality 95 "$work/depth.jpg"

# median_run NAME ARGS...: runs pexolen RUNS times, prints "seconds peak_MB".
median_run() {
    local i
    for ((i = 0; i < runs; i++)); do
        /usr/bin/time -f "%e %M" -o "$work/time" "$pexolen" "$@" >/dev/null
        cat "$work/time"
    done | sort -n | awk -v n="$runs" '{t[NR]=$1; m[NR]=$2} END {i=int((n+1)/2); printf "%s %.1f\n", t[i], m[i]/1024}'
}

printf "%-6s %8s %9s %9s %8s %8s\n" output seconds peak_MB file_MB time/BMP mem/BMP
base_t="" base_m=""
for fmt in bmp png jpg ppm; do
    read -r t m < <(median_run produce -q --threads "$threads" --depth "$work/depth.bmp" \
        -o "$work/s.$fmt")
    bytes=$(stat -c %s "$work/s.$fmt")
    [ -z "$base_t" ] && base_t=$t base_m=$m
    awk -v f="$fmt" -v t="$t" -v m="$m" -v b="$bytes" -v bt="$base_t" -v bm="$base_m" \
        'BEGIN {printf "%-6s %8s %9s %9.1f %8.2f %8.2f\n", f, t, m, b / 1e6, t / bt, m / bm}'
done

start=$(date +%s.%N)
convert "$work/s.bmp" "$work/magick.png"
end=$(date +%s.%N)
ours=$(stat -c %s "$work/s.png")
theirs=$(stat -c %s "$work/magick.png")
awk -v o="$ours" -v t="$theirs" -v s="$start" -v e="$end" 'BEGIN {
    printf "PNG of the same picture: ours %.2f MB, ImageMagick'"'"'s %.2f MB (%.2f s), ratio %.3f\n",
        o / 1e6, t / 1e6, e - s, o / t}'

printf "%-10s %8s %9s\n" depth_read seconds peak_MB
for ext in bmp png jpg; do
    # Read, then written as uncompressed PPM: the reading dominates.
    read -r t m < <(median_run convert "$work/depth.$ext" "$work/back.ppm")
    printf "%-10s %8s %9s\n" "$ext" "$t" "$m"
done
