#!/usr/bin/env bash
# Drives the desktop program under a virtual X server from a chart panel to the 命式表 and the
# 運勢暦 with the mouse and the keyboard, judges a year of the calendar and checks the file it
# writes:
#
#   tools/drive_reading.sh [OUT_DIR]      (default: docs/)
#
#   ファイル › データファイルを開く: 山田 (男, 1965-03-15 10時: years of ☆● and of ★★), 実行
#   命造/大運パネル, right click › 命式表: the panel's person's chart     full-chart.png
#   Escape; right click › 運勢暦: the years of 山田's life               fortune-calendar.png
#   Alt+M (月の一覧): the months of this year                  fortune-calendar-months.png
#   Alt+D (日の一覧): the days of its first month                fortune-calendar-days.png
#   Alt+Y (年の一覧): the years again
#   the first year (1965, 乙巳), Enter: 幸運の判断; ファイル出力, はい, ＯＫ
#     山田乙巳運.TXT is quorvel-cli's judgement of 戊辰 in the year 乙巳
#   大運 › 命式表 opens the same person's chart from the menu
#   ファイル › Quorvelの終了: the program ends with status 0
#
# The pictures are cut to the one window each shows. QUORVEL_PROGRAM and QUORVEL_CLI name other
# builds (default build/quorvel, build/quorvel-cli). Exits 77 when Xvfb, xdotool or ImageMagick
# is missing (tools/setup.sh installs them).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
me="drive_reading"

if [ $# -gt 1 ]; then
    echo "usage: tools/drive_reading.sh [OUT_DIR]" >&2
    exit 2
fi
outdir="${1:-}"

# shellcheck source=tools/drive_lib.sh
source "$root/tools/drive_lib.sh"

# A right click on an empty part of the panel, then the context menu's command by its key.
panelMenu() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$panel")"
    xdotool mousemove --sync $((X + 200 * unit)) $((Y + 8 * unit))
    xdotool click 3
    sleep 0.4
    key "$1"
}

folder="$workdir/reading"
mkdir "$folder"
sjis $'山田,1,0,1965,3,15,10,\n' >"$folder/DATA.CSV"
start "$folder"

xdotool windowfocus --sync "$main"
key alt+f   # ファイル
key d       # データファイルを開く
records=$(window DATA.CSV)
click "$records" 7 27 283 14   # 山田
click "$records" 95 213 50 14   # 実行
gone "$records" DATA.CSV
panel=$(window 命造/大運パネル)

panelMenu m   # 命式表(&M)
chart=$(window 命式表)
expectSize "$chart" 300 321
shotWindow "$chart" full-chart.png
xdotool windowfocus --sync "$chart"
key Escape
gone "$chart" 命式表

panelMenu r   # 運勢暦(&R)
calendar=$(window 運勢暦)
expectSize "$calendar" 320 244
shotWindow "$calendar" fortune-calendar.png
xdotool windowfocus --sync "$calendar"
key alt+m   # 月の一覧(&M): the months of this year
shotWindow "$calendar" fortune-calendar-months.png
key alt+d   # 日の一覧(&D): the days of its first month
shotWindow "$calendar" fortune-calendar-days.png
key alt+y   # 年の一覧(&Y)
click "$calendar" 7 60 306 10   # into the table
key ctrl+Home                   # the year of birth
key Return
result=$(window 幸運の判断)
click "$result" 154 160 62 14   # ファイル出力
question=$(window TXTファイルに出力)
xdotool windowfocus --sync "$question"
key y
gone "$question" TXTファイルに出力
click "$result" 85 160 50 14    # ＯＫ
gone "$result" 幸運の判断

file="$folder/山田乙巳運.TXT"
[ -f "$file" ] || fail "no file 山田乙巳運.TXT; the folder holds: $(ls "$folder")"
"$cli" judge --period calendar --sjis 戊辰 乙巳 | head -c -1 >"$workdir/expected.txt"
cmp "$workdir/expected.txt" "$file" >&2 ||
    fail "山田乙巳運.TXT is not quorvel-cli's judgement of 戊辰 in 乙巳"

xdotool windowfocus --sync "$main"
key alt+i   # 大運
key m       # 命式表
window 命式表 >/dev/null
quit
echo "$me: from the panel to the calendar's judgement and its file"
