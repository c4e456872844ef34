#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a while (default 30 s).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
for target in build-fuzz/fuzzers/*; do
    echo "== $target"
    "$target" -max_total_time="$seconds" -max_len=64 2>&1 | tail -n 2
done
