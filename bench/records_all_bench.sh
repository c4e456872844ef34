#!/usr/bin/env bash
# quorvel-cli records --all over a data file of 100,000 persons, with a casebook beside it: ten
# corrected persons, ten hidden, ten with notes. Reports the best of five runs of the text and of
# the JSON listing (target: well under a second each).
set -euo pipefail
cd "$(dirname "$0")/.."
cli=$(realpath "${1:-build/quorvel-cli}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

awk 'BEGIN {
    for (i = 0; i < 100000; i++)
        printf "Yamada%d,%s,%d,%d,%d,%d,\r\n", i, (i % 2 ? "0,1" : "1,0"), 1930 + i % 80,
            1 + i % 12, 1 + i % 28, i % 24
}' > DATA.CSV
for n in $(seq 1 10); do
    "$cli" person correct $((n * 9000)) --sex male 1990-01-0$((n % 9 + 1)) 10:20 >/dev/null
    "$cli" person hide $((n * 9000 + 1))
    "$cli" person note $((n * 9000 + 2)) --set "note $n"
done

time_best() {
    local best= start ns
    for _ in 1 2 3 4 5; do
        start=$(date +%s%N)
        "$cli" records --all "$@" > out.txt
        ns=$(( $(date +%s%N) - start ))
        if [ -z "$best" ] || [ "$ns" -lt "$best" ]; then best=$ns; fi
    done
    echo "records --all $*: $(wc -l < out.txt) persons, best of 5: $(( best / 1000000 )) ms"
}
time_best
time_best --json
time_best --hidden
