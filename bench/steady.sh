#!/usr/bin/env bash
# Builds the "Until steady" benchmark with optimisation against the in-memory platform stand-in
# and runs it: what planning each cell's most repeats and asking the rule after every launch add
# to a launch, next to the 77 s or more that a launch of the game takes. Prints the figures.
set -eu
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
out="$top/build/bench"
mkdir -p "$out"
# The logic's sources, without tests, fuzz targets and Windows-only files.
sources=()
for f in src/common/*.cpp src/config/*.cpp src/results/*.cpp src/core/*.cpp src/registry/*.cpp; do
    case $f in *_test.cpp | *_fuzz.cpp | *_win32*) ;; *) sources+=("$f") ;; esac
done
g++ -O2 -DNDEBUG -std=c++20 -Isrc bench/steady.cpp "${sources[@]}" \
    src/platform/platform_standin.cpp -o "$out/steady"
"$out/steady"
