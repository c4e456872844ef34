#!/usr/bin/env bash
# Walks the desktop program through a stem-branch judgement and a hexagram reading under a
# virtual X server, choosing menu items and typing as a person would, and saves one PNG per step,
# cut to the program's own windows:
#
#   tools/screenshot_dialogs.sh [OUT_DIR]      (default: docs/)
#
#   stem-branch-input.png   干支入力 with 甲子 and 丙午 typed in, over the main window
#   judgement-result.png    幸運の判断 after 実行
#   hexagram-reading.png    人運判断 for 甲子 and 乙丑
#
# Needs xdotool (tools/setup.sh). The program runs in an empty temporary working folder.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

if [ $# -gt 1 ]; then
    echo "usage: tools/screenshot_dialogs.sh [OUT_DIR]" >&2
    exit 2
fi
outdir="$(realpath -m "${1:-$root/docs}")"
mkdir -p "$outdir"
program="${QUORVEL_PROGRAM:-$root/build/quorvel}"
if [ ! -x "$program" ]; then
    echo "screenshot_dialogs: $program does not exist; build it first" >&2
    exit 1
fi
for tool in xvfb-run import convert xdotool; do
    command -v "$tool" >/dev/null || {
        echo "screenshot_dialogs: $tool is missing (tools/setup.sh)" >&2
        exit 1
    }
done

workdir="$(mktemp -d)"
trap 'rm -rf "$workdir"' EXIT

export PROGRAM="$program" OUTDIR="$outdir" WORKDIR="$workdir"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -euo pipefail
    cd "$WORKDIR"
    "$PROGRAM" 2>"$WORKDIR/stderr.log" &
    pid=$!
    trap "kill $pid 2>/dev/null || true" EXIT

    # The window titled exactly $1, once it is mapped.
    window() {
        for _ in $(seq 100); do
            if id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) &&
                [ -n "$id" ]; then
                echo "$id"
                return
            fi
            kill -0 "$pid" 2>/dev/null || { cat "$WORKDIR/stderr.log" >&2; exit 1; }
            sleep 0.1
        done
        echo "screenshot_dialogs: no window \"$1\"" >&2
        exit 1
    }
    gone() {
        for _ in $(seq 100); do
            [ -z "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)" ] && return
            sleep 0.1
        done
        echo "screenshot_dialogs: \"$1\" stayed open" >&2
        exit 1
    }
    # The whole screen cut to the union of the mapped windows of the program (no window manager:
    # every top-level window is a child of the root, at root coordinates).
    shot() {
        sleep 0.5
        import -window root "$WORKDIR/screen.png"
        local left=100000 top=100000 right=0 bottom=0 X Y WIDTH HEIGHT
        for id in $(xdotool search --onlyvisible --pid "$pid"); do
            eval "$(xdotool getwindowgeometry --shell "$id")"
            ((X < left)) && left=$X
            ((Y < top)) && top=$Y
            ((X + WIDTH > right)) && right=$((X + WIDTH))
            ((Y + HEIGHT > bottom)) && bottom=$((Y + HEIGHT))
        done
        ((right > left)) || { echo "screenshot_dialogs: no window to cut to" >&2; exit 1; }
        convert "$WORKDIR/screen.png" -crop "$((right - left))x$((bottom - top))+$left+$top" \
            +repage "$OUTDIR/$1"
        echo "$OUTDIR/$1"
    }
    key() { xdotool key --clearmodifiers "$@"; sleep 0.3; }
    typeText() { xdotool type --delay 80 "$1"; }

    main=$(window Quorvel)
    sleep 0.5

    # 年/月/日運 > 干支入力
    xdotool windowfocus --sync "$main"
    key alt+n
    key k
    input=$(window "干支の入力\\(年月日運用\\)")
    xdotool windowfocus --sync "$input"
    typeText 甲子
    key Tab
    typeText 丙午
    shot stem-branch-input.png

    key Return
    window 幸運の判断 >/dev/null
    shot judgement-result.png
    key Return
    gone 幸運の判断

    # 奥義：人運の判断; the fields open with the last pillars, the running one is replaced.
    xdotool windowfocus --sync "$main"
    key alt+j
    hexagram=$(window Quorvel挨星法の入力)
    xdotool windowfocus --sync "$hexagram"
    key Tab Tab
    typeText 乙丑
    key Return
    window 人運判断 >/dev/null
    shot hexagram-reading.png
    key Return
'
