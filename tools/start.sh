#!/usr/bin/env bash
# Sets up, builds and starts Quorvel.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default
if [ -x build/quorvel ]; then
    exec build/quorvel "$@"
fi
# Built without the desktop (no Qt): a sample chart from the command-line tool.
exec build/quorvel-cli chart --sex male 1990-05-20 10
