#!/usr/bin/env bash
# Times the comparison over 1,000 generated results folders of 105 launches each: natively
# against the in-memory platform stand-in (the comparison's own work), as the release build
# (i686, win32 thread model) under Wine against real files in a temporary folder, and as
# benchwright.exe --compare over those files (the release exe, when it is built).
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

echo "== benchwright.exe --compare (release build) over the same folders, process start included"
exe="$top/build/windows-x86/benchwright.exe"
if [ ! -f "$exe" ]; then
    echo "skipped: $exe is not built (cmake --preset windows-x86 && cmake --build --preset windows-x86)"
    exit 0
fi
start=$(date +%s.%N)
code=0
scripts/wine-run "$exe" --compare "Z:${tmp//\//\\}" --out "Z:${tmp//\//\\}\\cli.html" >/dev/null || code=$?
end=$(date +%s.%N)
echo "exit code:        $code"
awk -v s="$start" -v e="$end" 'BEGIN { printf "compared in:      %.2f s  (target: under 10 s)\n", e - s }'
