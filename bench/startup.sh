#!/usr/bin/env bash
# Start-up of the desktop program: from process start to the main window shown and idle, and the
# resident memory at that moment, offscreen and under Xvfb. Reports the median of several runs
# against the targets (under 300 ms, under 60 MB).
#
#   bench/startup.sh [RUNS]        (default 7; the program is build/quorvel or $QUORVEL_PROGRAM)
#
# The program itself prints "quorvel-startup-ms=… rss-kb=… clock-ns=…" when QUORVEL_STARTUP_PROBE=1
# and closes its window. Two start-up figures are reported: "launch" is measured here, from just
# before the program is started to the wall-clock time it printed (nanoseconds); "kernel" is the
# program's own reckoning from the start time the kernel recorded (10 ms resolution).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

# Runs the program $runs times in the current display setting; one line per run:
# "<launch ms> <kernel ms> <rss kb>".
measure() {
    local i start line clock
    for ((i = 0; i < runs; i++)); do
        start=$(date +%s%N)
        line=$(cd "$workdir" && QUORVEL_STARTUP_PROBE=1 "$program" 2>&1 >/dev/null |
            grep -m1 '^quorvel-startup-ms=') || { echo "startup: no probe line" >&2; return 1; }
        clock=$(sed -E 's/.*clock-ns=([0-9]+).*/\1/' <<<"$line")
        echo "$(( (clock - start) / 1000000 )) $(sed -E 's/quorvel-startup-ms=([0-9-]+) rss-kb=([0-9-]+).*/\1 \2/' <<<"$line")"
    done
}
# Inside the X server started below: measure and hand the lines back.
if [ "${1:-}" = "--measure-here" ]; then
    runs=$2 program=$3 workdir=$4
    measure
    exit
fi

runs="${1:-7}"
program="${QUORVEL_PROGRAM:-$root/build/quorvel}"
if [ ! -x "$program" ]; then
    echo "startup: $program does not exist; build it first" >&2
    exit 1
fi
workdir="$(mktemp -d)"
trap 'rm -rf "$workdir"' EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

report() {
    local name=$1 results=$2 launch kernel rss verdict
    launch=$(cut -d' ' -f1 <<<"$results" | median)
    kernel=$(cut -d' ' -f2 <<<"$results" | median)
    rss=$(cut -d' ' -f3 <<<"$results" | median)
    verdict=ok
    if [ "$launch" -ge 300 ] || [ "$rss" -ge $((60 * 1024)) ]; then verdict="OVER TARGET"; fi
    printf '%-10s median of %d: launch %4d ms, kernel %4d ms, resident %5.1f MB  (%s)\n' \
        "$name" "$runs" "$launch" "$kernel" "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')" "$verdict"
}

offscreen=$(QT_QPA_PLATFORM=offscreen measure)
report offscreen "$offscreen"

if command -v xvfb-run >/dev/null; then
    # One X server for all runs, so its own start-up is not counted.
    xvfb=$(env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1024x768x24" \
        bash "$0" --measure-here "$runs" "$program" "$workdir")
    report xvfb "$xvfb"
else
    echo "xvfb       skipped: xvfb-run is not installed"
fi
