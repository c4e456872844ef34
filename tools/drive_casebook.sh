#!/usr/bin/env bash
# Drives the desktop program under a virtual X server through the casebook with the mouse and the
# keyboard:
#
#   tools/drive_casebook.sh [OUT_DIR]      (default: docs/)
#
#   ファイル › 人物一覧, 山田太郎 › 訂正: the 20th becomes the 21st; DATA.CSV keeps both lines
#   メモと鑑定履歴: a note typed and saved
#   開く: two luck pillars judged from the corrected person's panel
#   the program ended and started again: the list shows the corrected person with the note mark
#                                                                     casebook-list.png
#   メモと鑑定履歴: the note and both judgements, newest first       casebook.png
#   内容を表示: the older judgement shown again as it was            casebook-past-result.png
#   quorvel-cli person show 3 --json agrees: the note, both entries, supersedes 1
#
# QUORVEL_PROGRAM and QUORVEL_CLI name other builds. Exits 77 when Xvfb, xdotool or ImageMagick
# is missing (tools/setup.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
me="drive_casebook"

if [ $# -gt 1 ]; then
    echo "usage: tools/drive_casebook.sh [OUT_DIR]" >&2
    exit 2
fi
outdir="${1:-}"
note="転職の相談。来春また"
extraKeys="$note"

# shellcheck source=tools/drive_lib.sh
source "$root/tools/drive_lib.sh"

folder="$workdir/casebook"
mkdir "$folder"
sjis $'山田太郎,1,0,1990,5,20,10,\n花子,0,1,2000,1,19,12,\n' >"$folder/DATA.CSV"

# Opens the person list and puts the keyboard on row $1 (0 the first) of its table.
openListAt() {
    xdotool windowfocus --sync "$main"
    key alt+f   # ファイル
    key l       # 人物一覧
    list=$(window 人物一覧)
    expectSize "$list" 360 246
    click "$list" 52 6 100 12   # 氏名か生年
    key Tab Tab Tab Tab         # past 検索, 年 and 年運一覧 into the table, on its first row
    for _ in $(seq "$1"); do key Down; done
}

# The person list's menu of the chosen row, then the item of mnemonic $1.
listMenu() {
    key Menu
    key "$1"
}

start "$folder"
openListAt 0
listMenu e   # 訂正
birth=$(window データの入力)
click "$birth" 60 50 30 14   # 日
key ctrl+a
typeText 21
key Return   # 実行
told=$(window 訂正)
xdotool windowfocus --sync "$told"
key Return
gone "$told" 訂正
sjis $'山田太郎,1,0,1990,5,20,10,\n花子,0,1,2000,1,19,12,\n山田太郎,1,0,1990,5,21,10,\n' \
    >"$workdir/expected.csv"
cmp "$workdir/expected.csv" "$folder/DATA.CSV" >&2 ||
    fail "DATA.CSV is not the two lines and the corrected one: $(od -c "$folder/DATA.CSV" | head)"

xdotool windowfocus --sync "$list"
click "$list" 52 6 100 12
key Tab Tab Tab Tab Down   # the corrected person, now second
listMenu m                 # メモと鑑定履歴
casebook=$(window メモと鑑定履歴)
expectSize "$casebook" 320 240
click "$casebook" 7 16 306 64
typeText "$note"
click "$casebook" 259 83 54 14   # メモを保存
told=$(window メモ)
xdotool windowfocus --sync "$told"
key Return
gone "$told" メモ
click "$casebook" 259 220 54 14   # 閉じる
gone "$casebook" メモと鑑定履歴

xdotool windowfocus --sync "$list"
click "$list" 52 6 100 12
key Tab Tab Tab Tab Down   # the list read afresh after the note: the row chosen again
key Return                 # 開く
panel=$(window 命造/大運パネル)
for luck in "110 119" "171 33"; do
    xdotool windowfocus --sync "$panel"
    click "$panel" 35 78 40 14   # 日柱
    # shellcheck disable=SC2086
    click "$panel" $luck 44 14
    click "$panel" 55 155 50 14   # 実行
    result=$(window 幸運の判断)
    click "$result" 85 160 50 14   # ＯＫ
    gone "$result" 幸運の判断
done
quit

start "$folder"
openListAt 1
shotWindow "$list" casebook-list.png
listMenu m
casebook=$(window メモと鑑定履歴)
shotWindow "$casebook" casebook.png
click "$casebook" 7 102 306 112   # into the history, its newest entry chosen
key Down                          # the older one
key alt+v                         # 内容を表示
result=$(window 幸運の判断)
shot casebook-past-result.png
click "$result" 85 160 50 14
gone "$result" 幸運の判断
xdotool windowfocus --sync "$casebook"
key Escape
gone "$casebook" メモと鑑定履歴
quit

json=$(cd "$folder" && "$cli" person show 3 --json)
for expected in "\"note\":\"$note\"" '"supersedes":1' '"kind":"judgement"'; do
    [[ "$json" == *"$expected"* ]] || fail "person show 3 lacks $expected: $json"
done
entries=$(grep -o '"kind":"judgement"' <<<"$json" | wc -l)
((entries == 2)) || fail "person show 3 has $entries judgements, not 2: $json"
echo "$me: a person corrected, noted and judged twice, all there after a restart"
