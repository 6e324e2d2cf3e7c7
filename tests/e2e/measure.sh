#!/usr/bin/env bash
# Start-up time to the first drawn frame and idle CPU on the start screen, on the real program
# under Xvfb: medians of several runs.
# Usage: measure.sh PROGRAM [RUNS=5] [IDLE_SECONDS=10]
set -euo pipefail
program=$(realpath "$1")
runs=${2:-5}
idle=${3:-10}
here=$(dirname "$(realpath "$0")")
WORK=$(mktemp -d /tmp/pestrol-measure.XXXXXX)
. "$here/xsession.sh"

XVFB_PID= PROGRAM_PID=
cleanup() {
    stop_pid "$PROGRAM_PID"
    stop_pid "$XVFB_PID"
    rm -rf "$WORK"
}
trap cleanup EXIT

cpu_ticks() {
    # utime and stime, fields 14 and 15; the name in field 2 has no spaces here.
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

hz=$(getconf CLK_TCK)
start_xvfb
black=$(screen_hash)
: >"$WORK/startup" ; : >"$WORK/cpu"
for run in $(seq "$runs"); do
    t0=$(date +%s%N)
    start_program "$program"
    wait_first_frame "$black" 1000
    t1=$(date +%s%N)
    sleep 3
    c0=$(cpu_ticks "$PROGRAM_PID")
    sleep "$idle"
    c1=$(cpu_ticks "$PROGRAM_PID")
    stop_pid "$PROGRAM_PID"
    PROGRAM_PID=
    ms=$(( (t1 - t0) / 1000000 ))
    cpu=$(awk -v d=$((c1 - c0)) -v hz="$hz" -v s="$idle" 'BEGIN { printf "%.1f", 100 * d / hz / s }')
    echo "run $run: first frame after $ms ms, idle CPU $cpu %"
    echo "$ms" >>"$WORK/startup"
    echo "$cpu" >>"$WORK/cpu"
    # The next run starts from the black root again.
    for _ in $(seq 100); do [ "$(screen_hash)" = "$black" ] && break; sleep 0.05; done
    [ "$(screen_hash)" = "$black" ] || { echo "the screen stays drawn after the program ended" >&2; exit 1; }
done
echo "median of $runs runs: first frame after $(median <"$WORK/startup") ms," \
    "idle CPU on the start screen $(median <"$WORK/cpu") % of one core"
