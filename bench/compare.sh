#!/usr/bin/env bash
# Times the comparison over 1,000 generated results folders of 105 launches each: natively
# against the in-memory platform stand-in (the comparison's own work), as the release build
# (i686, win32 thread model) under Wine against real files in a temporary folder, and as
# benchwright.exe --compare over those files (the release exe, when it is built). Then the same
# laid out as a lab's share (50 machines, folders named with the computer, labelled runs), read
# through a UNC path (\\labserver\bench, a link in the prefix's dosdevices\unc).
# Prints the figures; pass a number to use another count of folders.
set -eu
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
count=${1:-1000}
out="$top/build/bench"
mkdir -p "$out"
sources=(bench/compare.cpp src/common/benchmark.cpp src/results/comparison.cpp
    src/results/comparison_page.cpp src/results/significance.cpp src/results/csv.cpp
    src/results/results_csv.cpp src/results/run_statistics.cpp src/results/html_text.cpp
    src/results/launch_result.cpp)

echo "== native, in-memory files (platform stand-in)"
g++ -O2 -DNDEBUG -std=c++20 -Isrc "${sources[@]}" src/platform/platform_standin.cpp \
    -o "$out/compare"
"$out/compare" 'C:\Bench' "$count"
echo "== native, in-memory files, a lab's share"
"$out/compare" 'C:\Bench' "$count" lab

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
# benchwright.exe --compare over `$1` (a Windows path), timed with its process start.
compare_exe() {
    local start end code=0
    start=$(date +%s.%N)
    scripts/wine-run "$exe" --compare "$1" --out "$2" >/dev/null || code=$?
    end=$(date +%s.%N)
    echo "exit code:        $code"
    awk -v s="$start" -v e="$end" 'BEGIN { printf "compared in:      %.2f s  (target: under 2 s)\n", e - s }'
}
compare_exe "Z:${tmp//\//\\}" "Z:${tmp//\//\\}\\cli.html"
ls -l "$tmp/cli.html" "$tmp/cli.csv" | awk '{ printf "written:          %s %.1f MB\n", $NF, $5 / 1e6 }'

echo "== a lab's share: the release build under Wine, then benchwright.exe --compare over UNC"
lab=$(mktemp -d)
trap 'rm -rf "$tmp" "$lab"' EXIT
scripts/wine-run "$out/compare.exe" "Z:${lab//\//\\}" "$count" lab
prefix=${WINEPREFIX:-$top/build/wineprefix}
mkdir -p "$prefix/dosdevices/unc/labserver"
ln -sfn "$lab" "$prefix/dosdevices/unc/labserver/bench"
compare_exe '\\labserver\bench' "Z:${lab//\//\\}\\cli.html"
rm -f "$prefix/dosdevices/unc/labserver/bench"
