#!/usr/bin/env bash
# Builds the log reader's benchmark with optimisation and runs it on a generated 32766-record log.
set -eu
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out="$top/build/bench"
mkdir -p "$out"
g++ -O2 -DNDEBUG -std=c++20 -I"$top/src" "$top/bench/read_log.cpp" \
    "$top/src/results/frame_rate_log.cpp" "$top/src/platform/platform_standin.cpp" \
    -o "$out/read_log"
"$out/read_log" "$out/lowframerate.log"
