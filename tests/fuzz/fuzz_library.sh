#!/bin/bash
# Fuzzes the model library's reader one format family at a time, two at a
# time, each for SECONDS (default 600), at low priority; findings go to
# OUT/FAMILY/ (crash-, leak-, timeout-, oom- files).
#   tests/fuzz/fuzz_library.sh BUILD OUT [SECONDS]
# BUILD is a build folder configured with -DPEXOLEN_FUZZ=ON under clang.
set -u
build=$1 out=$2 seconds=${3:-600}
here=$(cd "$(dirname "$0")" && pwd)
cmake --build "$build" --target library_fuzzer write_library_seeds -j2 >/dev/null || exit 1
fuzzer=$build/tests/fuzz/library_fuzzer
families=("obj" "stl" "ply" "gltf glb" "off" "fbx" "dae")

run_family() {
    local family=$1 name=${1%% *}
    mkdir -p "$out/$name/corpus"
    cp "$here"/seeds/library/* "$out/$name/corpus/"
    PEXOLEN_FUZZ_ENDINGS="$family" nice -n 10 "$fuzzer" "$out/$name/corpus" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 -malloc_limit_mb=2048 \
        -max_len=16384 -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 -artifact_prefix="$out/$name/" \
        >"$out/$name/log" 2>&1
    echo "$name: exit $? $(grep -c . "$out/$name/log") log lines"
}

for ((i = 0; i < ${#families[@]}; i += 2)); do
    run_family "${families[i]}" &
    [ $((i + 1)) -lt ${#families[@]} ] && run_family "${families[i + 1]}" &
    wait
done
