#!/usr/bin/env bash
# Prints the CPU time Benchwright spends in one launch-and-wait while the stand-in game sleeps
# 3 s, and the wall-clock time a launch adds beyond the game's own run. Runs under Wine.
set -eu
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target launch_wait_win32 >/dev/null
if [ -z "${DISPLAY:-}" ]; then
    export DISPLAY=:98
    Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi
scripts/wine-run --warm
cd build/windows
"$top/scripts/wine-run" ./launch_wait_win32.exe
