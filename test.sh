#!/usr/bin/env bash
# Builds Pexolen with AddressSanitizer and UndefinedBehaviorSanitizer and runs
# every test. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
pexolen_install_deps

build=build/test
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DPEXOLEN_SANITIZE=ON -DPEXOLEN_WERROR=ON -DPEXOLEN_BENCH=OFF \
    -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DCMAKE_C_FLAGS_DEBUG="-O1 -g" >/dev/null
cmake --build "$build" -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build"
ctest --output-on-failure -j"$(nproc)" --timeout 600
