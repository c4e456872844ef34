#!/usr/bin/env bash
# Drives the desktop program under a virtual X server through a whole consultation with the mouse
# and the keyboard, as a person would, and checks what it leaves on disk:
#
#   tools/drive_consultation.sh [OUT_DIR]      (default: docs/)
#
#   大運 › 生年月日時の入力: 太郎, 男, 1965-03-15 10時, 実行
#   命造/大運パネル: 日柱, the fourth luck pillar (乙亥), 実行
#   幸運の判断: ファイル出力, はい, ＯＫ
#     DATA.CSV holds 太郎's record in Shift-JIS; 太郎本人配偶者乙亥運.TXT is quorvel-cli's judgement
#   ファイル › データファイルを開く: the first record, 実行; a second panel judges the same again
#   ファイル › Quorvelの終了: the program ends with status 0
#
# then, over a DATA.CSV whose last line has no line feed (花子):
#
#   データの入力: 次郎, 男, 1990-05-20 at １０ typed in full-width digits: DATA.CSV gains a whole
#     line of its own with hour 10, and the hour pillar judged is 10時's 辛巳, not 0時's
#   データファイルを開く: 花子, 実行; then 次郎's panel and 花子's each judge their own person
#     (the file names and judgements are theirs)
#   データファイルを開く again: 次郎, entered in this run, is listed and opens
#
# and, in a second run over a prepared DATA.CSV of three other persons, saves PNGs cut to the
# program's own windows into OUT_DIR:
#
#   birth-data-input.png    データの入力 filled in, over the main window
#   chart-panel.png         命造/大運パネル of a 15-character name with 日柱 and 乙亥 chosen
#   data-file-dialog.png    DATA.CSV with that person (added fourth) chosen
#
# QUORVEL_PROGRAM and QUORVEL_CLI name other builds (default build/quorvel, build/quorvel-cli).
# Exits 77 when Xvfb, xdotool or ImageMagick is missing (tools/setup.sh installs them).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
me="drive_consultation"

if [ $# -gt 1 ]; then
    echo "usage: tools/drive_consultation.sh [OUT_DIR]" >&2
    exit 2
fi
outdir="${1:-}"

# Fifteen full-width characters, the most a name holds (30 bytes).
longName=東四条院太郎左衛門尉藤原之助守
extraKeys="${longName}次郎１０"

# shellcheck source=tools/drive_lib.sh
source "$root/tools/drive_lib.sh"

# Chooses 日柱 and the fourth luck pillar on panel $1, judges, and writes the judgement to a file.
judgeDayPillarInFourthLuck() {
    judgeInFourthLuck "$1" 78 "${2:-}"
}

# The same with the chart pillar button at dialog unit y $2 (33 年柱, 55 月柱, 78 日柱, 100 時柱).
judgeInFourthLuck() {
    expectSize "$1" 232 220
    xdotool windowraise "$1"   # panels open one over another
    sleep 0.2
    click "$1" 35 "$2" 40 14
    click "$1" 110 97 44 14   # the fourth luck pillar
    [ -n "${3:-}" ] && shot "$3"
    click "$1" 55 155 50 14   # 実行
    local result question
    result=$(window 幸運の判断)
    expectSize "$result" 223 181
    click "$result" 154 160 62 14   # ファイル出力
    question=$(window TXTファイルに出力)
    xdotool windowfocus --sync "$question"
    key y   # はい(&Y)
    gone "$question" TXTファイルに出力
    click "$result" 85 160 50 14    # ＯＫ
    gone "$result" 幸運の判断
}

checkJudgementFile() {
    local file="$road/太郎本人配偶者乙亥運.TXT"
    [ -f "$file" ] || fail "$1: no file 太郎本人配偶者乙亥運.TXT; the folder holds: $(ls "$road")"
    "$cli" judge --period luck --sjis 戊辰 乙亥 | head -c -1 >"$workdir/expected.txt"
    cmp "$workdir/expected.txt" "$file" >&2 ||
        fail "$1: 太郎本人配偶者乙亥運.TXT is not quorvel-cli's judgement of 戊辰 in 乙亥"
}

# Checks that file $1 of the road holds quorvel-cli's luck judgement of $2 in $3.
checkJudgement() {
    [ -f "$road/$1" ] || fail "no file $1; the folder holds: $(ls "$road")"
    "$cli" judge --period luck --sjis "$2" "$3" | head -c -1 >"$workdir/expected.txt"
    cmp "$workdir/expected.txt" "$road/$1" >&2 || fail "$1 is not the judgement of $2 in $3"
}

# --- the consultation, in an empty folder ---------------------------------------------------------

road="$workdir/road"
mkdir "$road"
start "$road"

xdotool windowfocus --sync "$main"
key alt+i   # 大運
key b       # 生年月日時の入力
birth=$(window データの入力)
expectSize "$birth" 187 126
xdotool windowfocus --sync "$birth"
typeText 太郎                # the name box has the focus
click "$birth" 120 6 23 10   # 男
key Tab                      # on to the year, its 0 selected
typeText 1965
key Tab
typeText 3
key Tab
typeText 15
key Tab
typeText 10
key Return
gone "$birth" データの入力

panel=$(window 命造/大運パネル)
sjis $'太郎,1,0,1965,3,15,10,\n' >"$workdir/expected.csv"
cmp "$workdir/expected.csv" "$road/DATA.CSV" >&2 ||
    fail "DATA.CSV does not hold 太郎,1,0,1965,3,15,10 in Shift-JIS:" \
        "$(od -c "$road/DATA.CSV" | head -3)"

judgeDayPillarInFourthLuck "$panel"
checkJudgementFile "the first panel"

# The record read back must give the same chart: the same judgement again, into the same file.
rm "$road/太郎本人配偶者乙亥運.TXT"
xdotool windowfocus --sync "$main"
key alt+f   # ファイル
key d       # データファイルを開く
records=$(window DATA.CSV)
expectSize "$records" 297 237
click "$records" 7 27 283 14   # the first record
click "$records" 95 213 50 14   # 実行
gone "$records" DATA.CSV
second=$(window 命造/大運パネル 100 "$panel")
judgeDayPillarInFourthLuck "$second"
checkJudgementFile "the panel opened from DATA.CSV"
quit
echo "$me: the consultation went through"

# --- the person on screen, over a DATA.CSV without a final line feed ----------------------------

road="$workdir/person"
mkdir "$road"
sjis '花子,0,1,1972,5,7,23,' >"$road/DATA.CSV"
start "$road"
xdotool windowfocus --sync "$main"
key alt+i
key b
birth=$(window データの入力)
xdotool windowfocus --sync "$birth"
typeText 次郎
click "$birth" 120 6 23 10   # 男
for number in 1990 5 20 １０; do
    key Tab
    typeText "$number"
done
key Return
gone "$birth" データの入力
jiro=$(window 命造/大運パネル)
sjis $'花子,0,1,1972,5,7,23,\n次郎,1,0,1990,5,20,10,\n' >"$workdir/expected.csv"
cmp "$workdir/expected.csv" "$road/DATA.CSV" >&2 ||
    fail "DATA.CSV did not gain 次郎's line of its own at hour 10: $(od -c "$road/DATA.CSV" | head -4)"

xdotool windowfocus --sync "$main"
key alt+f
key d
records=$(window DATA.CSV)
click "$records" 7 27 283 14   # 花子
click "$records" 95 213 50 14   # 実行
gone "$records" DATA.CSV
hanako=$(window 命造/大運パネル 100 "$jiro")

# 次郎 1990-05-20 at 10: 乙酉 day, 辛巳 hour (0時 would give 丙子), luck 4 乙酉.
judgeInFourthLuck "$jiro" 100
checkJudgement 次郎子女乙酉運.TXT 辛巳 乙酉
judgeDayPillarInFourthLuck "$jiro"
checkJudgement 次郎本人配偶者乙酉運.TXT 乙酉 乙酉
# 花子 1972-05-07 at 23: 戊戌 day, luck 4 辛丑.
judgeDayPillarInFourthLuck "$hanako"
checkJudgement 花子本人配偶者辛丑運.TXT 戊戌 辛丑

rm "$road/次郎本人配偶者乙酉運.TXT"
xdotool windowfocus --sync "$main"
key alt+f
key d
records=$(window DATA.CSV)
click "$records" 7 45 283 14   # the second record: 次郎, entered in this run
click "$records" 95 213 50 14
gone "$records" DATA.CSV
third=$(window 命造/大運パネル 100 "$jiro $hanako")
judgeDayPillarInFourthLuck "$third"
checkJudgement 次郎本人配偶者乙酉運.TXT 乙酉 乙酉
quit
echo "$me: each panel judged its own person"

# --- the pictures, over three persons already on file -------------------------------------------

pictures="$workdir/pictures"
mkdir "$pictures"
sjis $'花子,0,1,1972,5,7,23,\n次郎,1,0,1990,5,20,10,\n春子,0,1,1948,8,12,6,\n' >"$pictures/DATA.CSV"
start "$pictures"

xdotool windowfocus --sync "$main"
key alt+i
key b
birth=$(window データの入力)
xdotool windowfocus --sync "$birth"
typeText "$longName"
click "$birth" 120 6 23 10
for number in 1965 3 15 10; do
    key Tab
    typeText "$number"
done
shot birth-data-input.png
key Return
panel=$(window 命造/大運パネル)
judgeDayPillarInFourthLuck "$panel" chart-panel.png
click "$panel" 125 155 50 14   # ｷｬﾝｾﾙ
gone "$panel" 命造/大運パネル

xdotool windowfocus --sync "$main"
key alt+f
key d
records=$(window DATA.CSV)
click "$records" 7 82 283 14   # the fourth record, added above
shot data-file-dialog.png
click "$records" 154 213 50 14  # ｷｬﾝｾﾙ
gone "$records" DATA.CSV
quit
