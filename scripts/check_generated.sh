#!/usr/bin/env bash
# Builds everything in Release (benchmarks compiled, not run) and checks that
# the generators in tools/ still make the committed data files byte for byte.
#   scripts/check_generated.sh [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/ci-release}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DPEXOLEN_WERROR=ON -DPEXOLEN_TESTS=OFF \
    -DPEXOLEN_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)"

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$build/tools/make_demo_pattern" "$out/pattern.bmp"
"$build/tools/make_demo_depth" "$out/depth.bmp"
"$build/tools/make_demo_3ds" "$out/demo.3ds"
"$build/tools/make_signature" "$out/signature_table.cpp"

status=0
for pair in "pattern.bmp demo/pattern.bmp" "depth.bmp demo/depth.bmp" "demo.3ds demo/demo.3ds" \
            "signature_table.cpp production/signature_table.cpp"; do
    set -- $pair
    if cmp -s "$out/$1" "$2"; then
        echo "generated $2: identical"
    else
        echo "generated $2: DIFFERS from the committed file" >&2
        status=1
    fi
done
exit $status
