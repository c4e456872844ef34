#!/usr/bin/env bash
# Drives the desktop program under a virtual X server from the person list (人物一覧) to a 相性
# written to its file, with the mouse and the keyboard:
#
#   tools/drive_compatibility.sh [OUT_DIR]      (default: docs/)
#
#   DATA.CSV: 山田太郎, 山田花子 and a few others
#   ファイル › 人物一覧: 山田太郎 chosen, 相性
#   相性の相手を選ぶ: 1992 (検索), 山田花子 chosen by Enter
#   相性: both charts, the years and the findings                         compatibility.png
#   ファイル出力, はい: 山田太郎・山田花子相性.TXT, byte for byte quorvel-cli compat --sjis
#   ファイル › Quorvelの終了: the program ends with status 0
#
# QUORVEL_PROGRAM and QUORVEL_CLI name other builds. Exits 77 when Xvfb, xdotool or ImageMagick
# is missing (tools/setup.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
me="drive_compatibility"

if [ $# -gt 1 ]; then
    echo "usage: tools/drive_compatibility.sh [OUT_DIR]" >&2
    exit 2
fi
outdir="${1:-}"

# shellcheck source=tools/drive_lib.sh
source "$root/tools/drive_lib.sh"

folder="$workdir/pair"
mkdir "$folder"
printf '%s\n' 山田太郎,1,0,1990,5,20,10, 佐藤一郎,1,0,1975,11,3,6, 山田花子,0,1,1992,3,1,8, \
    鈴木美咲,0,1,1988,7,14,21, | iconv -f UTF-8 -t CP932 >"$folder/DATA.CSV"

start "$folder"
xdotool windowfocus --sync "$main"
key alt+f   # ファイル
key l       # 人物一覧
list=$(window 人物一覧)
click "$list" 7 35 346 8      # the first row: 山田太郎
click "$list" 147 226 46 14   # 相性

choice=$(window 相性の相手を選ぶ)
expectSize "$choice" 321 246
click "$choice" 52 18 100 12   # 氏名か生年
typeText 1992
key Return                     # 検索, the default button
click "$choice" 7 47 307 8     # the one row: 山田花子
key Return                     # chooses her
gone "$choice" 相性の相手を選ぶ

pair=$(window 相性)
expectSize "$pair" 392 312
xdotool windowraise "$pair"
shotWindow "$pair" compatibility.png

click "$pair" 262 292 62 14   # ファイル出力
question=$(window TXTファイルに出力)
xdotool windowfocus --sync "$question"
key y   # はい(&Y)
gone "$question" TXTファイルに出力
file="$folder/山田太郎・山田花子相性.TXT"
[ -f "$file" ] || fail "no 山田太郎・山田花子相性.TXT; the folder holds: $(ls "$folder")"
(cd "$folder" && "$cli" compat 1 3 --sjis) | sed 's/$/\r/' >"$workdir/expected.txt"
cmp "$workdir/expected.txt" "$file" >&2 ||
    fail "山田太郎・山田花子相性.TXT is not quorvel-cli compat 1 3 --sjis with CR LF"

xdotool windowfocus --sync "$pair"
key Escape
gone "$pair" 相性
quit
echo "$me: two persons chosen from the person list, their 相性 shown and written"
