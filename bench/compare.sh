#!/usr/bin/env bash
# Times the comparison over 1,000 generated results folders of 105 launches each, twice:
# natively against the in-memory platform stand-in (the comparison's own work), then as the
# release build (i686, win32 thread model) under Wine against real files in a temporary folder.
# Prints the figures; pass a number to use another count of folders.
set -eu
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
count=${1:-1000}
out="$top/build/bench"
mkdir -p "$out"
sources=(bench/compare.cpp src/common/benchmark.cpp src/results/comparison.cpp src/results/csv.cpp
    src/results/results_csv.cpp src/results/run_statistics.cpp src/results/html_text.cpp
    src/results/launch_result.cpp)

echo "== native, in-memory files (platform stand-in)"
g++ -O2 -DNDEBUG -std=c++20 -Isrc "${sources[@]}" src/platform/platform_standin.cpp \
    -o "$out/compare"
"$out/compare" 'C:\Bench' "$count"

echo "== Windows release build under Wine, real files"
i686-w64-mingw32-g++-win32 -O2 -DNDEBUG -std=c++20 -Isrc -D_WIN32_WINNT=0x0501 -DWINVER=0x0501 \
    -DNOMINMAX -DWIN32_LEAN_AND_MEAN "${sources[@]}" src/platform/platform_win32.cpp -static \
    -lshell32 -ladvapi32 -luser32 -o "$out/compare.exe"
scripts/wine-run --warm
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# Z: is the Linux root in every Wine prefix.
scripts/wine-run "$out/compare.exe" "Z:${tmp//\//\\}" "$count"
