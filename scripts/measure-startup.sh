#!/usr/bin/env bash
# Start-up of the installed program on the desktop of the desktop tests (Xvfb with openbox
# and xcompmgr): the time from starting it to its first mapped window and its resident
# memory (VmRSS) two seconds later, as medians of RUNS runs (10 unless given), beside a bare
# Qt widget program. Reports figures; it checks no goal, as machines differ.
#   scripts/measure-startup.sh BUILD [RUNS] [WIDTHxHEIGHT]
# BUILD is a build folder with ravo_first_window and ravo_bare_window built and the program
# installed into BUILD/desktop-install (cmake --install BUILD --prefix BUILD/desktop-install).
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
runs=${2:-10}
screen=${3:-1920x1080}
install=$build/desktop-install
probe=$build/bench/ravo_first_window
bare=$build/bench/ravo_bare_window
for f in "$install/Ravo" "$probe" "$bare"; do
    [ -x "$f" ] || { echo "missing: $f" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The server names its free display on the descriptor it is given.
Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$work/display")
openbox >/dev/null 2>&1 &
pids+=($!)
xcompmgr >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
sleep 0.3

export XDG_DATA_HOME=$work/data QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_DATA_HOME/Tervaso/Ravo"
printf '[Common]\nINSTALLFOLDER=%s/\n' "$install" >"$XDG_DATA_HOME/Tervaso/Ravo/Ravo.ini"

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# measure NAME PROGRAM: RUNS runs, then "NAME: first window MS ms, VmRSS MIB MiB".
measure() {
    local name=$1 program=$2 out=$work/$1.txt i
    : >"$out"
    for ((i = 0; i < runs; i++)); do
        "$probe" 2000 "$program" >>"$out" 2>/dev/null || echo "$name: run $i showed no window" >&2
        sleep 0.3
    done
    [ -s "$out" ] || { echo "$name: no run showed a window" >&2; return 1; }
    local ms kib
    ms=$(cut -d' ' -f1 "$out" | median)
    kib=$(cut -d' ' -f2 "$out" | median)
    awk -v n="$name" -v s="$screen" -v r="$(wc -l <"$out")" -v ms="$ms" -v kib="$kib" \
        'BEGIN {printf "%s (%s, %d runs): first window %.1f ms, VmRSS %.1f MiB\n", n, s, r, ms, kib / 1024}'

}

measure bare-qt "$bare"
measure Ravo "$install/Ravo"
