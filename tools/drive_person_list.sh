#!/usr/bin/env bash
# Drives the desktop program under a virtual X server through the person list (人物一覧) with the
# mouse and the keyboard:
#
#   tools/drive_person_list.sh [OUT_DIR]      (default: docs/)
#
#   DATA.CSV: 50 persons and a line cut short
#   ファイル › 人物一覧: all 50, the cut line told; a click on 生年月日 sorts them by birth,
#     oldest first                                                        person-list.png
#   氏名か生年 1985, Enter (検索): 伊藤さくら alone; Tab into the table chooses her row, Enter
#     opens her chart panel
#   鑑定書: 伊藤さくら鑑定書.html written and handed to the browser
#   ファイル › Quorvelの終了: the program ends with status 0
#
# The browser is a stand-in that notes the file it was given. QUORVEL_PROGRAM and QUORVEL_CLI name
# other builds. Exits 77 when Xvfb, xdotool or ImageMagick is missing (tools/setup.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
me="drive_person_list"

if [ $# -gt 1 ]; then
    echo "usage: tools/drive_person_list.sh [OUT_DIR]" >&2
    exit 2
fi
outdir="${1:-}"

# shellcheck source=tools/drive_lib.sh
source "$root/tools/drive_lib.sh"

folder="$workdir/persons"
mkdir "$folder"
names=(山田太郎 佐藤花子 鈴木一郎 高橋美咲 田中健 伊藤さくら 渡辺翔 山本陽子 中村大輔 小林真理)
{
    for i in $(seq 0 49); do
        name=${names[i % 10]}
        ((i < 10)) || name+=$((i / 10 + 1))
        printf '%s,%d,%d,%d,%d,%d,%d,\n' "$name" $((1 - i % 2)) $((i % 2)) \
            $((1950 + i * 7 % 60)) $((1 + i % 12)) $((1 + i * 3 % 28)) $((i * 5 % 24))
        ((i != 6)) || printf '途中で切れた行,1,0,1980\n'
    done
} | iconv -f UTF-8 -t CP932 >"$folder/DATA.CSV"

# Qt hands an HTML file to xdg-open; here that is a stand-in of our own, first on the PATH, that
# only notes what it was given, so the test needs no desktop tools on the machine.
mkdir -p "$workdir/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s/opened"\n' "$workdir" >"$workdir/bin/xdg-open"
chmod +x "$workdir/bin/xdg-open"
export PATH="$workdir/bin:$PATH"

start "$folder"
xdotool windowfocus --sync "$main"
key alt+f   # ファイル
key l       # 人物一覧
list=$(window 人物一覧)
expectSize "$list" 360 246
click "$list" 130 24 30 8   # the heading 生年月日
shotWindow "$list" person-list.png

click "$list" 52 6 100 12   # 氏名か生年
typeText 1985
key Return                  # 検索, the default button
key Tab Tab Tab Tab         # past 検索, 年 and 年運一覧 into the table
key Return                  # opens the row Tab chose
panel=$(window 命造/大運パネル)

click "$list" 251 226 46 14   # 鑑定書
file="$folder/伊藤さくら鑑定書.html"
for _ in $(seq 50); do
    [ -s "$workdir/opened" ] && break
    sleep 0.1
done
[ -f "$file" ] || fail "no 伊藤さくら鑑定書.html; the folder holds: $(ls "$folder")"
grep -q '<dd id="name">伊藤さくら</dd>' "$file" || fail "the report is not 伊藤さくら's"
grep -q '<dd id="birth">1985年6月16日1時生まれ</dd>' "$file" || fail "the report has another birth"
# Whole, as a URL: the browser does not start in the working folder.
grep -qx "$file\|file://$folder/%[0-9A-F%]*\.html" "$workdir/opened" 2>/dev/null ||
    fail "the browser was given $(cat "$workdir/opened" 2>/dev/null || echo nothing)"
xdotool windowfocus --sync "$panel"
key Escape
gone "$panel" 命造/大運パネル

quit
echo "$me: 50 persons, a search, a person opened and her report"
