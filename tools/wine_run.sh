#!/usr/bin/env bash
# Runs a cross-built program under Wine in the build's own prefix (CMake's cross-compiling
# emulator: tests and their discovery).
#
#   tools/wine_run.sh BUILD_DIR PROGRAM.exe [ARGS...]
set -euo pipefail
build="$1"
shift
# shellcheck source=tools/wine_env.sh
source "$(dirname "$0")/wine_env.sh" "$build"
exec "$WINE" "$@"
