#!/bin/bash
# Fuzzes the model library's reader one format family at a time, two at a
# time, each for SECONDS (default 600), at low priority; findings go to
# OUT/FAMILY/ (crash-, leak-, timeout-, oom- files).
#   tests/fuzz/fuzz_library.sh BUILD OUT [SECONDS] [FAMILY...]
# BUILD is a build folder configured with -DPEXOLEN_FUZZ=ON under clang;
# FAMILY is one of obj stl ply gltf off fbx dae (default: all).
set -u
build=$1 out=$2 seconds=${3:-600}
shift $(($# < 3 ? $# : 3))
here=$(cd "$(dirname "$0")" && pwd)
cmake --build "$build" --target library_fuzzer -j2 >/dev/null || exit 1
fuzzer=$build/tests/fuzz/library_fuzzer
families=("$@")
[ ${#families[@]} -eq 0 ] && families=(obj stl ply gltf off fbx dae)

# Each finding ends a run of the fuzzer; the next run goes on from the corpus
# until the time is spent. A run that stops answering (its own watchdog can
# deadlock on a hang inside the library) is killed a minute past its time.
run_family() {
    local name=$1 endings=$1 end=$((SECONDS + seconds)) left
    [ "$name" = gltf ] && endings="gltf glb"
    mkdir -p "$out/$name/corpus"
    cp "$here"/seeds/library/* "$out/$name/corpus/"
    while left=$((end - SECONDS)); [ $left -gt 0 ]; do
        PEXOLEN_FUZZ_ENDINGS="$endings" timeout -s KILL $((left + 60)) nice -n 10 "$fuzzer" \
            "$out/$name/corpus" -max_total_time=$left -timeout=10 -rss_limit_mb=2560 \
            -malloc_limit_mb=2048 -max_len=16384 -print_final_stats=1 \
            -artifact_prefix="$out/$name/" >>"$out/$name/log" 2>&1
    done
    echo "$name: $(ls "$out/$name" | grep -cE '^(crash|leak|timeout|oom)-') findings," \
         "$(grep -h '^stat::number_of_executed_units' "$out/$name/log" |
            awk '{n += $2} END {print n + 0}') inputs run"
}

for ((i = 0; i < ${#families[@]}; i += 2)); do
    run_family "${families[i]}" &
    [ $((i + 1)) -lt ${#families[@]} ] && run_family "${families[i + 1]}" &
    wait
done
