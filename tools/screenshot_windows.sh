#!/usr/bin/env bash
# Pictures of the Windows program under Wine's virtual desktop on a virtual X server, title bars
# drawn by Wine, each cut to the program's windows:
#
#   tools/screenshot.sh --windows [OUT_DIR]      (default: docs/)
#
#   windows-main-menu.png     the main window with its 大運 menu open
#   windows-birth-data.png    データの入力 filled in
#   windows-chart-panel.png   the chart panel with the chart of that birth
#   windows-judgement-result.png   幸運の判断 for the day pillar and the fourth luck pillar
#   windows-fortune-calendar.png   運勢暦 of that person, its years in a list view
#   windows-full-chart.png    命式表 of that person, its pillars and luck pillars in list views
#
# Needs the Windows build (tools/windows.sh) and xdotool; the program runs in an empty temporary
# working folder.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
outdir="$(realpath -m "${1:-$root/docs}")"
mkdir -p "$outdir"
build="$root/build-windows"
[ -f "$build/quorvel.exe" ] || { echo "screenshot: $build/quorvel.exe is missing (tools/windows.sh)" >&2; exit 1; }
for tool in xvfb-run import convert xdotool; do
    command -v "$tool" >/dev/null || { echo "screenshot: $tool is missing (tools/setup.sh)" >&2; exit 1; }
done

workdir="$(mktemp -d)"
trap 'rm -rf "$workdir"' EXIT
export ROOT="$root" BUILD="$build" OUTDIR="$outdir" WORKDIR="$workdir"
export QUORVEL_WINE_DESKTOP=1024x768
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -euo pipefail
    source "$ROOT/tools/wine_env.sh" "$BUILD"
    trap "\"\$WINESERVER\" -k 2>/dev/null || true" EXIT
    cd "$WORKDIR"

    key() { xdotool key --clearmodifiers "$@"; sleep 0.4; }
    typeText() { xdotool type --delay 80 "$1"; sleep 0.3; }
    # The desktop without its empty background: the program'"'"'s windows with their title bars.
    shot() {
        sleep 1
        import -window root "$WORKDIR/full.png"
        convert "$WORKDIR/full.png" -trim +repage "$OUTDIR/$1"
        echo "$OUTDIR/$1"
    }

    "$WINE" "$BUILD/quorvel.exe" &
    sleep 8
    desktop=$(xdotool search --name "Wine" | head -1)
    xdotool windowfocus "$desktop" || true
    key alt+i
    shot windows-main-menu.png
    key b
    sleep 1
    # Wine without an input method takes no keys beyond Latin-1: the name is typed in letters.
    typeText "Yamada Taro"
    key Tab
    key space
    key Tab
    typeText 1965
    key Tab
    typeText 3
    key Tab
    typeText 15
    key Tab
    typeText 10
    shot windows-birth-data.png
    key Return
    shot windows-chart-panel.png
    # The day pillar against the fourth luck pillar, then 実行, all from the keyboard.
    key Tab Tab space
    key Tab Tab Tab Tab Tab space
    key Tab Tab Tab Tab Tab Tab Tab Tab Tab space
    shot windows-judgement-result.png
    key Return
    xdotool windowfocus "$desktop" || true
    key alt+i
    key r
    sleep 1
    shot windows-fortune-calendar.png
    key Escape
    xdotool windowfocus "$desktop" || true
    key alt+i
    key m
    sleep 1
    shot windows-full-chart.png
'
