#!/bin/sh
# End to end: a 36-frame turn of the demo mesh at 866 x 554 to numbered PNG
# pictures and to MP4 (wall and processor time, median of 3), and the peak
# memory of 36 against 360 frames for each output. Run from the source folder
# after a Release build (./run.sh builds build/release):
#   bench/animate_bench.sh [build/release/app/pexolen]
set -eu
pexolen=$(realpath "${1:-build/release/app/pexolen}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# run NAME ARGS...: prints "NAME: WALL s wall, CPU s processor, PEAK MB"
# (median of 3 runs by wall time).
run() {
    name=$1
    shift
    for i in 1 2 3; do
        /usr/bin/time -f "%e %U %S %M" -o t$i "$pexolen" animate -q "$@"
        rm -f out*
    done
    sort -n t1 t2 t3 | sed -n 2p |
        awk -v n="$name" '{printf "%-28s %5.2f s wall, %5.2f s processor, %4.0f MB peak\n", n, $1, $2 + $3, $4 / 1024}'
}

echo "36-frame turn of the demo mesh at 866 x 554 ($(nproc) cores)"
run "PNG frames" -o 'out_%03d.png'
run "BMP frames" -o 'out_%03d.bmp'
run "MP4" -o out.mp4
run "GIF" -o out.gif
run "WebP" -o out.webp

echo "Peak memory, 36 against 360 frames"
for out in 'out_%03d.bmp' out.mp4 out.mkv out.gif out.webp; do
    run "$out, 36 frames" --frames 36 -o "$out"
    run "$out, 360 frames" --frames 360 -o "$out"
done

echo "1920 x 1080"
run "MP4, 36 frames" --size 1920x1080 -o out.mp4
