#!/usr/bin/env bash
# Prints the CPU time Benchwright uses per second of a game run while its worker waits and the
# progress window ticks (the launch itself apart). Runs under Wine, about a minute.
set -eu
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target run_wait_cpu_win32 >/dev/null
if [ -z "${DISPLAY:-}" ]; then
    # Xvfb picks a free display itself and tells us its number.
    fifo=$(mktemp -u); mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
    read -r -t 30 display <"$fifo" || { echo "run_wait_cpu: Xvfb did not start" >&2; exit 1; }
    rm -f "$fifo"
    export DISPLAY=":$display"
fi
scripts/wine-run --warm
cd build/windows
"$top/scripts/wine-run" ./run_wait_cpu_win32.exe
