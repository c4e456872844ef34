#!/usr/bin/env bash
# Drives the desktop program under a virtual X server through a birth read under named rules, with
# the mouse and the keyboard, and checks what it leaves on disk:
#
#   tools/drive_birth_time.sh [OUT_DIR]      (default: docs/)
#
#   ファイル › 命式の流儀: 精密, ＯＫ                                       chart-rules.png
#   データの入力: 山田, 男, 1990-05-20 10:20, 出生地 福岡県                  birth-minutes-place.png
#     DATA.CSV holds 山田,1,0,1990,5,20,10:20, and quorvel-cli --record 1 finds 福岡県 in
#     QUORVEL.DB: the local mean time 10:01
#   命造/大運パネル with the rules and the corrected times                  chart-panel-precise.png
#   its 命式表                                                               full-chart-precise.png
#   データの入力: 花子, 女, 1985-03-03, 時刻不明: three pillars             chart-panel-unknown-hour.png
#   the program ended and started again: 命式の流儀 still 精密, 山田 chosen from DATA.CSV gives
#     the same corrected panel
#
# QUORVEL_PROGRAM and QUORVEL_CLI name other builds (default build/quorvel, build/quorvel-cli).
# Exits 77 when Xvfb, xdotool or ImageMagick is missing (tools/setup.sh installs them).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
me="drive_birth_time"

if [ $# -gt 1 ]; then
    echo "usage: tools/drive_birth_time.sh [OUT_DIR]" >&2
    exit 2
fi
outdir="${1:-}"
extraKeys="山田花子"

# shellcheck source=tools/drive_lib.sh
source "$root/tools/drive_lib.sh"

# The pixel colour at dialog units x y of window $1, as ImageMagick names it.
colourAt() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    import -window root -crop "1x1+$((X + $2 * unit))+$((Y + $3 * unit))" +repage txt:- |
        sed -n 2p | awk '{print $3}'
}

# Opens 命式の流儀 from the menu and waits for it.
openRules() {
    xdotool windowfocus --sync "$main"
    key alt+f
    key r   # 命式の流儀(&R)
    window 命式の流儀
}

# Types a person into the birth data dialog: name, 男 or 女 (x 120 or 147), year, month, day.
typePerson() {
    local birth=$1
    xdotool windowfocus --sync "$birth"
    typeText "$2"
    click "$birth" "$3" 6 23 10
    for number in "$4" "$5" "$6"; do
        key Tab
        typeText "$number"
    done
}

folder="$workdir/birth"
mkdir "$folder"
start "$folder"

rules=$(openRules)
expectSize "$rules" 190 178
click "$rules" 80 8 34 10   # 精密
shotWindow "$rules" chart-rules.png
click "$rules" 40 156 50 14   # ＯＫ
gone "$rules" 命式の流儀

xdotool windowfocus --sync "$main"
key alt+i   # 大運
key b       # 生年月日時の入力
birth=$(window データの入力)
expectSize "$birth" 187 126
typePerson "$birth" 山田 120 1990 5 20
key Tab
typeText 10:20
click "$birth" 60 84 56 14   # 出生地: the list opens on 指定なし
xdotool key --repeat 40 --delay 30 Down   # 福岡県, the 40th prefecture
key Return
shot birth-minutes-place.png
key Return   # 実行
gone "$birth" データの入力
panel=$(window 命造/大運パネル)
expectSize "$panel" 232 220

sjis $'山田,1,0,1990,5,20,10:20,\n' >"$workdir/expected.csv"
cmp "$workdir/expected.csv" "$folder/DATA.CSV" >&2 ||
    fail "DATA.CSV does not hold 山田,1,0,1990,5,20,10:20: $(od -c "$folder/DATA.CSV" | head -3)"
[ -f "$folder/QUORVEL.DB" ] || fail "no QUORVEL.DB beside DATA.CSV"
json=$(cd "$folder" && "$cli" chart --record 1 --rules precise --json)
[[ "$json" == *'"solar":"1990-05-20T10:01"'* ]] ||
    fail "quorvel-cli does not read 山田's birthplace from QUORVEL.DB: $json"

shotWindow "$panel" chart-panel-precise.png
# A right click on an empty part of the panel, then 命式表(&M).
eval "$(xdotool getwindowgeometry --shell "$panel")"
xdotool mousemove --sync $((X + 200 * unit)) $((Y + 8 * unit))
xdotool click 3
sleep 0.3
key m
chart=$(window 命式表)
expectSize "$chart" 300 321
shotWindow "$chart" full-chart-precise.png
xdotool windowfocus --sync "$chart"
key Escape
gone "$chart" 命式表
click "$panel" 125 155 50 14   # ｷｬﾝｾﾙ
gone "$panel" 命造/大運パネル

xdotool windowfocus --sync "$main"
key alt+i
key b
birth=$(window データの入力)
typePerson "$birth" 花子 147 1985 3 3
click "$birth" 120 67 52 10   # 時刻不明
click "$birth" 60 84 56 14    # 出生地 back to 指定なし
xdotool key --repeat 40 --delay 30 Up
key Return
key Return   # 実行
gone "$birth" データの入力
panel=$(window 命造/大運パネル)
shotWindow "$panel" chart-panel-unknown-hour.png
sjis $'山田,1,0,1990,5,20,10:20,\n花子,0,1,1985,3,3,不明,\n' >"$workdir/expected.csv"
cmp "$workdir/expected.csv" "$folder/DATA.CSV" >&2 ||
    fail "DATA.CSV did not gain 花子 with an unknown hour: $(od -c "$folder/DATA.CSV" | head -4)"
click "$panel" 35 100 40 14   # 時柱, 不明: a box says there is none
box=$(window エラー)
xdotool windowfocus --sync "$box"
key Return
gone "$box" エラー
quit
echo "$me: a birth with minutes and a birthplace, and one without its hour"

# --- started again in the same folder -----------------------------------------------------------

start "$folder"
rules=$(openRules)
# 精密 is still chosen: its radio button's mark is drawn, 古典's is not.
[ "$(colourAt "$rules" 44 13)" != "$(colourAt "$rules" 84 13)" ] ||
    fail "命式の流儀 shows the same mark for 古典 and 精密 after the restart"
xdotool windowfocus --sync "$rules"
key Escape
gone "$rules" 命式の流儀

xdotool windowfocus --sync "$main"
key alt+f
key d   # データファイルを開く
records=$(window DATA.CSV)
click "$records" 7 27 283 14   # 山田
click "$records" 95 213 50 14   # 実行
gone "$records" DATA.CSV
window 命造/大運パネル >/dev/null
quit
echo "$me: the rules and the birthplace outlived the run"
