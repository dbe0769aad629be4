#!/usr/bin/env bash
# Prints the median time from process start to the main window shown and idle, for Benchwright
# and for a minimal dialog program built the same way, and their ratio. Runs under Wine.
#   bench/startup.sh [runs]    (default 15)
set -eu
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
runs=${1:-15}
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target benchwright minimal_dialog startup_win32 >/dev/null
if [ -z "${DISPLAY:-}" ]; then
    # Xvfb picks a free display itself and tells us its number.
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
    read -r -t 30 display <"$fifo" || { echo "startup: Xvfb did not start" >&2; exit 1; }
    rm -f "$fifo"
    export DISPLAY=":$display"
fi
scripts/wine-run --warm
cd build/windows
"$top/scripts/wine-run" ./startup_win32.exe "$runs" benchwright.exe minimal_dialog.exe
