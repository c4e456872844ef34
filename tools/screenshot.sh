#!/usr/bin/env bash
# Starts the desktop program under a virtual X server, optionally sends it one menu command
# (a dialog then opens as if chosen from the menu), and saves a PNG of the whole screen.
#
#   tools/screenshot.sh OUT.png [COMMAND_ID]
#   tools/screenshot.sh --windows [OUT_DIR]     (the Windows program under Wine)
#
# e.g. tools/screenshot.sh main.png; tools/screenshot.sh about.png 310
# The program runs in an empty temporary working folder, so no DATA.CSV of yours is touched.
# There is no window manager under Xvfb, hence no title bars: check titles with xprop.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

# The Windows program under Wine: tools/screenshot.sh --windows [OUT_DIR]
if [ "${1:-}" = --windows ]; then
    shift
    exec bash "$root/tools/screenshot_windows.sh" "$@"
fi

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: tools/screenshot.sh OUT.png [COMMAND_ID]" >&2
    exit 2
fi
out="$(realpath -m "$1")"
program="${QUORVEL_PROGRAM:-$root/build/quorvel}"
if [ ! -x "$program" ]; then
    echo "screenshot: $program does not exist; build it first" >&2
    exit 1
fi
for tool in xvfb-run import xwininfo; do
    command -v "$tool" >/dev/null || { echo "screenshot: $tool is missing (tools/setup.sh)" >&2; exit 1; }
done

workdir="$(mktemp -d)"
trap 'rm -rf "$workdir"' EXIT

export QUORVEL_SCREENSHOT_COMMAND="${2:-}"
export PROGRAM="$program" OUT="$out" WORKDIR="$workdir"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -euo pipefail
    cd "$WORKDIR"
    "$PROGRAM" 2>"$WORKDIR/stderr.log" &
    pid=$!
    # Wait for the main window to be mapped, then for the command (if any) to open its window.
    for _ in $(seq 100); do
        xwininfo -root -tree 2>/dev/null | grep -q "\"Quorvel\"" && break
        kill -0 "$pid" 2>/dev/null || { cat "$WORKDIR/stderr.log" >&2; exit 1; }
        sleep 0.1
    done
    sleep "$([ -n "$QUORVEL_SCREENSHOT_COMMAND" ] && echo 1.5 || echo 0.5)"
    import -window root "$OUT"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
'
echo "$out"
