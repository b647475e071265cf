#!/usr/bin/env bash
# Times "pexolen produce --depth" against netpbm's stereogram pipeline
#   pamstereogram -patfile pat.ppm depth.pgm | pamtopnm | ppmtobmp
# end to end (read the depth map, compute, write a BMP) on the same depth maps
# and the same 128 x 128 pattern: a smooth map (a coarse random grid, one point
# every 100 pixels, interpolated) and a noisy one (every pixel random). pexolen
# reads the maps as 8-bit grey BMP files made from the same PGM files. The two
# sides run alternately, RUNS times each; the script prints the median wall
# times, pexolen's peak memory and the ratios, and pamstereogram alone (no
# conversion to BMP) for reference.
#
#   bench/compare_netpbm.sh [PEXOLEN]   (default: build/release/app/pexolen, built if missing)
#
# Environment: SIZE (default 4000x3000), RUNS (default 5), THREADS (default "1 2"),
# BEFORE (another pexolen binary to time alongside, e.g. an older build).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
pexolen_install_bench_deps

pexolen=${1:-build/release/app/pexolen}
if [ $# -eq 0 ]; then
    pexolen_build_program build/release
fi
size=${SIZE:-4000x3000}
runs=${RUNS:-5}
threads=${THREADS:-1 2}
w=${size%x*}
h=${size#*x}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

pgmnoise $((w / 100 + 2)) $((h / 100 + 2)) -randomseed 1 2>/dev/null |
    pamscale -xsize "$w" -ysize "$h" -filter triangle 2>/dev/null >"$work/smooth.pgm"
pgmnoise "$w" "$h" -randomseed 2 2>/dev/null >"$work/noisy.pgm"
for map in smooth noisy; do
    ppmtobmp "$work/$map.pgm" 2>/dev/null >"$work/$map.bmp"
done
bmptopnm demo/pattern.bmp 2>/dev/null | pamcut -width 128 -height 128 >"$work/pat.ppm"
ppmtobmp -bpp 24 "$work/pat.ppm" 2>/dev/null >"$work/pat.bmp"

# run NAME COMMAND...: appends "wall_us peak_KB cpu_seconds" of one run to
# $work/NAME (for a pipeline: the peak of its largest process, the CPU time of
# all of them).
run() {
    local name=$1 start end
    shift
    start=$(date +%s%N)
    /usr/bin/time -f "%M %U %S" -o "$work/usage" "$@" >/dev/null 2>&1 ||
        { echo "failed: $*" >&2; exit 1; }
    end=$(date +%s%N)
    read -r peak user sys <"$work/usage"
    echo "$(( (end - start) / 1000 )) $peak $(awk -v u="$user" -v s="$sys" 'BEGIN {print u + s}')" \
        >>"$work/$name"
}

median() {  # the median of column $2 of file $1
    sort -n -k"$2" "$1" | awk -v c="$2" '{v[NR] = $c} END {print v[int((NR + 1) / 2)]}'
}

pipeline='pamstereogram -patfile "$1" "$2" | pamtopnm | ppmtobmp'
echo "$size depth map, 128 x 128 pattern, $runs runs each, medians (machine: $(nproc) cores," \
     "load $(cut -d' ' -f1-3 /proc/loadavg))"
printf '%-7s %-26s %9s %9s %10s %9s %10s\n' map program seconds peak_MB "vs netpbm" cpu_s \
    "cpu vs"
for map in smooth noisy; do
    for _ in $(seq "$runs"); do
        run netpbm sh -c "$pipeline > '$work/np.bmp'" sh "$work/pat.ppm" "$work/$map.pgm"
        run pamstereogram pamstereogram -patfile "$work/pat.ppm" "$work/$map.pgm"
        for t in $threads; do
            run "pexolen-$t" "$pexolen" produce --depth "$work/$map.bmp" --pattern "$work/pat.bmp" \
                --threads "$t" -o "$work/out.bmp"
            [ -z "${BEFORE:-}" ] || [ "$t" != "${threads%% *}" ] ||
                run before "$BEFORE" produce --depth "$work/$map.bmp" --pattern "$work/pat.bmp" \
                    -o "$work/before.bmp"
        done
    done
    reference=$(median "$work/netpbm" 1)
    referenceCpu=$(median "$work/netpbm" 3)
    for name in netpbm pamstereogram $(for t in $threads; do echo "pexolen-$t"; done) \
                ${BEFORE:+before}; do
        label=$name
        case $name in
        netpbm) label="netpbm pipeline" ;;
        pamstereogram) label="pamstereogram alone" ;;
        pexolen-*) label="pexolen --threads ${name#pexolen-}" ;;
        before) label="before (${BEFORE##*/})" ;;
        esac
        seconds=$(median "$work/$name" 1)
        peak=$(median "$work/$name" 2)
        cpu=$(median "$work/$name" 3)
        awk -v m="$map" -v l="$label" -v s="$seconds" -v p="$peak" -v r="$reference" \
            -v c="$cpu" -v rc="$referenceCpu" 'BEGIN {printf "%-7s %-26s %9.3f %9.1f %9.2fx %9.2f %9.2fx\n",
            m, l, s / 1e6, p / 1024, r / s, c, (c > 0 ? rc / c : 0)}'
    done
    rm -f "$work/netpbm" "$work/pamstereogram" "$work"/pexolen-* "$work/before"
done
echo "(vs netpbm: the pipeline's median wall time divided by this one's, above 1 is faster;"
echo " cpu_s: user and system seconds of all threads and processes, cpu vs: the same ratio of them)"
