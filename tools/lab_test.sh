#!/usr/bin/env bash
# A simulated lab under Wine (ctest Lab.ThreeMachinesOneShare, given the Windows build's folder):
# three prefixes, each under its own host name (a UTS namespace) and mapping one Linux folder as
# \\labserver\bench, run a CPU Benchmark there with a label in the same second; one --compare over
# the share names them all; then the share goes away mid-run. "[  SKIPPED ]" where it cannot run.
set -eu
build=$(cd "${1:?usage: lab_test.sh WINDOWS_BUILD_FOLDER}" && pwd)
lab=$build/lab
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
unset WINEPREFIX

fail() { echo "lab: $*" >&2 && exit 1; }
skip() { echo "[  SKIPPED ] $*" && exit 0; }
[ -n "${DISPLAY:-}" ] || skip "no display for the progress windows"
unshare -u true 2>/dev/null || skip "unshare -u is not allowed here"

# As machine $1 (its host name) in its own prefix: the rest of the command line; then Benchwright.
# shellcheck disable=SC2016  # expanded by that sh
as_machine() { WINEPREFIX=$lab/$1 unshare -u sh -c 'hostname "$0"; exec "$@"' "$@"; }
bw() { as_machine "$1" wine 'C:\Benchwright\benchwright.exe' "${@:2}" </dev/null; }

# One prefix made once and kept; each machine is a fresh copy of it, made in a moment.
base=$build/lab-base
if [ ! -f "$base/system.reg" ]; then
    rm -rf "$base"
    WINEPREFIX=$base wineboot -i </dev/null >/dev/null 2>&1 || true
    WINEPREFIX=$base wineserver -w
fi
[ -f "$base/system.reg" ] || fail "cannot make a Wine prefix in $base"

machines="LAB-1 LAB-2 LAB-3"
stop_servers() { for m in $machines; do WINEPREFIX=$lab/$m wineserver -k 2>/dev/null || true; done; }
trap stop_servers EXIT
stop_servers
rm -rf "$lab"
mkdir -p "$lab/share"
for m in $machines; do
    p=$lab/$m
    game=$p/drive_c/UT2003
    stuff=$game/Benchmark/Stuff
    # Hard links: 1.3 GB of Wine's own DLLs are shared, never written. The registry and the ini
    # files Wine may rewrite in place are copies of their own.
    cp -al "$base" "$p"
    for f in "$p"/*.reg "$p"/drive_c/windows/*.ini; do cp --remove-destination "$base${f#"$p"}" "$f"; done
    mkdir -p "$p/drive_c/Benchwright" "$game/System" "$stuff" "$p/dosdevices/unc/labserver"
    cp "$build/benchwright.exe" "$p/drive_c/Benchwright/"
    cp "$build/standin_game.exe" "$game/System/ut2003.exe"
    for f in flybyexec.txt MinDetailUser.ini MaxDetailUser.ini; do printf '%s\r\n' "$f" >"$stuff/$f"; done
    ln -s "$lab/share" "$p/dosdevices/unc/labserver/bench"
    # Wine's server and services start here, under the machine's name, their output elsewhere.
    as_machine "$m" wineserver -p 120 </dev/null >/dev/null 2>&1
    as_machine "$m" wine reg add 'HKLM\SOFTWARE\Unreal Technology\Installed Apps\UT2003' \
        /v Folder /t REG_SZ /d 'C:\UT2003' /f /reg:32 </dev/null >/dev/null 2>&1 ||
        fail "$m: cannot register the game"
done

# The three runs, started together.
declare -A pid
for m in $machines; do
    bw "$m" --preset cpu --resolutions 640x480,800x600 --results '\\labserver\bench' \
        --label "driver \"$m\", <b>" >"$lab/$m.out" 2>"$lab/$m.err" &
    pid[$m]=$!
done

for m in $machines; do
    wait "${pid[$m]}" || fail "$m exited with $?: $(cat "$lab/$m.out" "$lab/$m.err")"
    folder=$(find "$lab/share" -mindepth 1 -maxdepth 1 -type d -name "* $m CPU Benchmark")
    csv=$folder/results.csv
    # The header and one row a launch, every row this machine's with its label, quoted.
    own="^[0-9T:-]*,$m,CPU Benchmark,.*,recorded,.*,\"driver \"\"$m\"\", <b>\"\\s*$"
    [ "$(grep -c . "$csv") $(grep -c "$own" "$csv")" = "3 2" ] ||
        fail "$m: not one run folder of its own rows: $(ls "$lab/share"; cat "$csv")"
done
[ "$(find "$lab/share" -mindepth 1 -maxdepth 1 | wc -l)" = 3 ] ||
    fail "not three run folders: $(ls "$lab/share")"
echo "lab: three machines, three run folders:" && ls -1 "$lab/share"

bw LAB-1 --compare '\\labserver\bench' --out 'C:\compare.html' >"$lab/compare.out" 2>&1 ||
    fail "the comparison exited with $?: $(cat "$lab/compare.out")"
for m in $machines; do grep -q "$m" "$lab/LAB-1/drive_c/compare.html" || fail "no $m in compare.html"; done

# The share goes away in the middle of a run (each game takes 3 s): the run goes on, says once
# that its results cannot be saved, writes results.html beside the exe, and exits with 1.
printf 'sleep 3000\r\n' >"$lab/LAB-1/drive_c/UT2003/System/standin_control.txt"
rm -f "$lab/LAB-1/drive_c/Benchwright/results.html"
bw LAB-1 --preset cpu --resolutions 640x480,800x600 --results '\\labserver\bench\later' \
    >"$lab/gone.out" 2>"$lab/gone.err" &
for _ in $(seq 100); do compgen -G "$lab/share/later/*/results.csv" >/dev/null && break; sleep 0.1; done
rm "$lab/LAB-1/dosdevices/unc/labserver/bench"
rc=0
wait $! || rc=$?
[ "$rc" = 1 ] || fail "the run without its share exited with $rc: $(cat "$lab/gone.out" "$lab/gone.err")"
[ "$(grep -c . "$lab/gone.err")" = 1 ] || fail "not said once: $(cat "$lab/gone.err")"
[ "$(grep -c "^run [12] of 2: dm-inferno .*: avg" "$lab/gone.out")" = 2 ] ||
    fail "the run did not go on: $(cat "$lab/gone.out")"
grep -q "dm-inferno" "$lab/LAB-1/drive_c/Benchwright/results.html" || fail "no results.html"
echo "lab: a share gone mid-run: $(cat "$lab/gone.err")"
