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
#   windows-chart-rules.png   命式の流儀 with 精密 chosen
#   windows-full-chart-precise.png   命式の流儀 set to 精密, a birth at 10:20 in 福岡県: its 命式表
#
# QUORVEL_WINE_DPI=144 takes them at 150 % (a prefix whose LogPixels is 144, a larger screen),
# as windows-main-menu-150.png and so on.
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
screen=1024x768
SUFFIX=""
if [ -n "${QUORVEL_WINE_DPI:-}" ]; then
    screen=1920x1200
    SUFFIX="-$((QUORVEL_WINE_DPI * 100 / 96))"
fi
export ROOT="$root" BUILD="$build" OUTDIR="$outdir" WORKDIR="$workdir" SUFFIX
export QUORVEL_WINE_DESKTOP="$screen"
xvfb-run -a -s "-screen 0 ${screen}x24" bash -c '
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
        convert "$WORKDIR/full.png" -trim +repage "$OUTDIR/${1%.png}$SUFFIX.png"
        echo "$OUTDIR/${1%.png}$SUFFIX.png"
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
    "$WINESERVER" -k 2>/dev/null || true
    sleep 2

    # Another start in a folder of its own: 精密 from 命式の流儀, a birth at 10:20 in 福岡県, and
    # its 命式表 from the panel'"'"'s context menu.
    mkdir "$WORKDIR/precise"
    cd "$WORKDIR/precise"
    "$WINE" "$BUILD/quorvel.exe" &
    sleep 8
    desktop=$(xdotool search --name "Wine" | head -1)
    xdotool windowfocus "$desktop" || true
    key alt+f
    key r       # 命式の流儀
    sleep 1
    key Right   # 精密
    shot windows-chart-rules.png
    key Return
    sleep 1
    xdotool windowfocus "$desktop" || true
    key alt+i
    key b
    sleep 1
    typeText "Yamada"
    key Tab
    key space
    for number in 1990 5 20 10:20; do
        key Tab
        typeText "$number"
    done
    key Tab Tab
    # 福岡県 is the fortieth prefecture after 指定なし.
    for _ in $(seq 40); do
        xdotool key --clearmodifiers Down
        sleep 0.05
    done
    key Return
    sleep 1
    key shift+F10
    key m       # 命式表
    sleep 1
    shot windows-full-chart-precise.png
'
