#!/usr/bin/env bash
# Prints the median time from process start to the main window shown and idle, for Benchwright
# and for a minimal dialog program built the same way, and their ratio: once for the x86_64 test
# build, once for the shipped i686 release exe (under WoW64 Wine) against an i686 minimal dialog.
# Runs under Wine.
#   bench/startup.sh [runs]    (default 15)
set -eu
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
runs=${1:-15}
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target benchwright minimal_dialog startup_win32 >/dev/null
cmake --preset windows-x86 >/dev/null
cmake --build --preset windows-x86 -j2 --target benchwright minimal_dialog >/dev/null
. "$top/scripts/display.sh"
start_display
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true' EXIT
scripts/wine-run --warm
cd build/windows
echo "x86_64 test build (build/windows):"
"$top/scripts/wine-run" ./startup_win32.exe "$runs" benchwright.exe minimal_dialog.exe
echo "i686 release build (build/windows-x86):"
"$top/scripts/wine-run" ./startup_win32.exe "$runs" ..\\windows-x86\\benchwright.exe \
    ..\\windows-x86\\minimal_dialog.exe
