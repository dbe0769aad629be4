#!/usr/bin/env bash
# Prints the CPU time Benchwright uses per second of a game run while its worker waits and the
# progress window ticks (the launch itself apart). Runs under Wine, about a minute.
set -eu
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target run_wait_cpu_win32 >/dev/null
. "$top/scripts/display.sh"
start_display
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true' EXIT
scripts/wine-run --warm
cd build/windows
"$top/scripts/wine-run" ./run_wait_cpu_win32.exe
