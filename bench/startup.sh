#!/usr/bin/env bash
# Prints the median time from process start to the main window shown and idle, for Benchwright
# and two yardsticks built the same way, and each one's ratio to the minimal dialog program:
# once for the x86_64 test build, once for the shipped i686 release exe (under WoW64 Wine).
# main_template_dialog.exe shows Benchwright's main window template (menu and controls) with none
# of its code: its ratio is what the larger window costs the window system, Benchwright's own
# ratio what it costs with our code. Runs under Wine.
#   bench/startup.sh [runs]    (default 31)
set -eu
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
runs=${1:-31}
programs="minimal_dialog main_template_dialog benchwright"
cmake --preset windows >/dev/null
# shellcheck disable=SC2086
cmake --build --preset windows -j2 --target $programs startup_win32 >/dev/null
cmake --preset windows-x86 >/dev/null
# shellcheck disable=SC2086
cmake --build --preset windows-x86 -j2 --target $programs >/dev/null
. "$top/scripts/display.sh"
start_display
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true' EXIT
scripts/wine-run --warm
cd build/windows
for build in windows windows-x86; do
    [ "$build" = windows ] && echo "x86_64 test build (build/windows):" ||
        echo "i686 release build (build/windows-x86):"
    exes=()
    for program in $programs; do exes+=("..\\$build\\$program.exe"); done
    "$top/scripts/wine-run" ./startup_win32.exe "$runs" "${exes[@]}"
done
echo "goal: benchwright.exe's ratio at most 1.2"
