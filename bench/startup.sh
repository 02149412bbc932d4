#!/bin/bash
# Start-up as the user meets it: from exec of the program to the first paint of its mapped
# window, under Xvfb at 1920x1080, the window opened at the screen's full size.
#   bench/startup.sh [BUILD_DIR] [RUNS]     (defaults: build, 11)
# Two cases, each in a folder of its own beside a copy of the program:
#   large: range 1..999999 and a draw log of 100,000 rows;
#   small: range 100..999 and no draw log.
# Each run is a fresh process. The program writes a line to stderr at its first paint when
# TIVREL_FIRST_PAINT_MARK=1 (wall clock, its CPU time and peak memory); the time from exec is
# that clock minus the clock read just before the exec. Needs Xvfb and xdpyinfo.
set -euo pipefail

build=${1:-build}
runs=${2:-11}
program="$build/tivrel"
startfiles="$build/bench/bench_startfiles"
for f in "$program" "$startfiles"; do
    [[ -x $f ]] || { echo "missing $f: build the targets tivrel and bench_startfiles" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# A display number nobody uses.
display=91
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    xdpyinfo -display ":$display" >/dev/null 2>&1 && break
    sleep 0.1
done

# min / median / max of the numbers on stdin.
spread() {
    sort -g | awk '{ v[NR] = $1 } END { printf "%.1f / %.1f / %.1f", v[1], v[int((NR + 1) / 2)], v[NR] }'
}
median() {
    sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

# run_case NAME ROWS MIN MAX: prints the figures and leaves the CPU times in $work/NAME.cpu
run_case() {
    local name=$1 rows=$2 min=$3 max=$4
    local folder="$work/$name"
    mkdir -p "$folder"
    cp "$program" "$folder/tivrel"
    "$startfiles" "$folder" "$rows" "$min" "$max"
    : >"$work/$name.ms"
    : >"$work/$name.cpu"
    : >"$work/$name.mib"
    local fifo="$work/$name.fifo"
    for _ in $(seq "$runs"); do
        rm -f "$fifo"
        mkfifo "$fifo"
        local start=${EPOCHREALTIME/./}
        env -u QT_QPA_PLATFORM DISPLAY=":$display" TIVREL_FIRST_PAINT_MARK=1 \
            "$folder/tivrel" -geometry 1920x1080+0+0 2>"$fifo" >/dev/null &
        local pid=$!
        local line= found=
        while IFS= read -r -t 60 line; do
            if [[ $line == "tivrel first paint:"* ]]; then found=$line; break; fi
        done <"$fifo"
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        [[ -n $found ]] || { echo "$name: no paint mark within 60 s" >&2; exit 1; }
        local ns=${found#*realtime_ns=}; ns=${ns%% *}
        local cpu=${found#*cpu_ms=}; cpu=${cpu%% *}
        local kib=${found#*peak_kib=}; kib=${kib%% *}
        awk -v ns="$ns" -v us="$start" 'BEGIN { printf "%.1f\n", ns / 1e6 - us / 1e3 }' >>"$work/$name.ms"
        echo "$cpu" >>"$work/$name.cpu"
        awk -v k="$kib" 'BEGIN { printf "%.1f\n", k / 1024 }' >>"$work/$name.mib"
    done
    echo "start-up $name ($rows log rows, range $min..$max), exec to first paint:" \
        "$(spread <"$work/$name.ms") ms (min / median / max of $runs)"
    echo "  CPU time to first paint: $(spread <"$work/$name.cpu") ms"
    echo "  peak resident memory at first paint: $(spread <"$work/$name.mib") MiB"
}

run_case large 100000 1 999999
run_case small 0 100 999
awk -v a="$(median <"$work/large.cpu")" -v b="$(median <"$work/small.cpu")" \
    'BEGIN { printf "start-up CPU, large against small (medians): %.2f times\n", a / b }'
