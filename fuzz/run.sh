#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a while (default 30 s), starting from its
# seed corpus; new inputs go to build-fuzz/corpus/, crashes to build-fuzz/artifacts/.
# usage: fuzz/run.sh [SECONDS] [TARGET...]   JOBS=n runs n targets at a time (default 1).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
jobs=${JOBS:-1}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

targets=("$@")
if ((${#targets[@]} == 0)); then
    for binary in build-fuzz/fuzzers/*; do
        targets+=("$(basename "$binary")")
    done
fi

# The data file reader sees up to 8 KiB; the other inputs are a line or a field.
max_len() {
    case "$1" in
        fuzz_record_list) echo 8192 ;;
        fuzz_batch_line) echo 256 ;;
        *) echo 64 ;;
    esac
}

run_one() {
    local name=$1
    mkdir -p "build-fuzz/corpus/$name" build-fuzz/artifacts build-fuzz/logs
    local log="build-fuzz/logs/$name.log"
    local status=0
    "build-fuzz/fuzzers/$name" -max_total_time="$seconds" -max_len="$(max_len "$name")" \
        -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$name-" \
        "build-fuzz/corpus/$name" "fuzz/corpus/$name" >"$log" 2>&1 || status=$?
    local runs
    runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
    if ((status == 0)); then
        echo "$name: $runs executions in $seconds s, no findings"
    else
        echo "$name: FAILED (status $status), see $log:"
        grep -E 'ERROR|SUMMARY|Test unit written' "$log" || tail -n 20 "$log"
    fi
    echo "$status" >"build-fuzz/logs/$name.status"
}

for name in "${targets[@]}"; do
    while (($(jobs -rp | wc -l) >= jobs)); do
        wait -n || true
    done
    run_one "$name" &
done
wait
failed=0
for name in "${targets[@]}"; do
    [ "$(cat "build-fuzz/logs/$name.status")" = 0 ] || failed=1
done
exit $failed
