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
#   chart-panel.png         命造/大運パネル with 日柱 and 乙亥 chosen, beside the main window
#   data-file-dialog.png    DATA.CSV with 太郎 (added fourth) chosen, beside the main window
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
outdir="$(realpath -m "${1:-$root/docs}")"
program="$(realpath -m "${QUORVEL_PROGRAM:-$root/build/quorvel}")"
cli="$(realpath -m "${QUORVEL_CLI:-$root/build/quorvel-cli}")"

if [ -z "${QUORVEL_DRIVING:-}" ]; then
    for tool in xvfb-run Xvfb xkbcomp xdotool import convert iconv od cmp; do
        command -v "$tool" >/dev/null || {
            echo "$me: SKIP: $tool is missing (tools/setup.sh)" >&2
            exit 77
        }
    done
    for binary in "$program" "$cli"; do
        [ -x "$binary" ] || { echo "$me: $binary does not exist; build it first" >&2; exit 1; }
    done
    mkdir -p "$outdir"
    # Wide enough for a modeless dialog to stand beside the main window instead of over it.
    QUORVEL_DRIVING=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$outdir"
fi

# --- under the virtual X server -------------------------------------------------------------------

workdir="$(mktemp -d)"
pid=""

# A sanitizer build looks for leaks at the end, where fontconfig and D-Bus still hold what they
# never free.
printf 'leak:libfontconfig.so\nleak:libdbus-1.so\n' >"$workdir/leaks.supp"
export LSAN_OPTIONS="suppressions=$workdir/leaks.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$workdir"
}
trap cleanup EXIT

fail() {
    echo "$me: $*" >&2
    if [ -n "$pid" ]; then
        echo "$me: windows open:$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null |
            while read -r id; do printf ' [%s]' "$(xdotool getwindowname "$id")"; done)" >&2
        [ -s "$workdir/stderr.log" ] && sed 's/^/    /' "$workdir/stderr.log" >&2
    fi
    exit 1
}

# Gives each character of $1 a key of its own (keycodes 255 down), as a Japanese keyboard layout
# would. Left to itself, xdotool binds a missing keysym to a spare key only for the moment of the
# press, and Qt, reading the keymap a little later, now and then drops the character. The server
# puts its keymap back when its last client goes, so this follows the program's start.
giveKeys() {
    local code=255 point keysym keysyms=() edits=()
    xkbcomp -xkb "$DISPLAY" - 2>/dev/null >"$workdir/current.xkb"
    for point in $(printf '%s' "$1" | iconv -f UTF-8 -t UTF-32LE | od -An -v -tx4); do
        keysym=U$(printf %04X $((16#$point)))
        keysyms+=("$keysym")
        # Not every keycode has a key in the server's map (I248 has none).
        while ! grep -q "key <I$code>" "$workdir/current.xkb"; do
            code=$((code - 1))
        done
        edits+=(-e "s/^\( *key <I$code> *{\).*/\1 [ $keysym ] };/")
        code=$((code - 1))
    done
    sed "${edits[@]}" "$workdir/current.xkb" >"$workdir/keymap.xkb"
    xkbcomp -w 0 "$workdir/keymap.xkb" "$DISPLAY" || fail "xkbcomp could not load the keymap"
    xkbcomp -xkb "$DISPLAY" - 2>/dev/null >"$workdir/loaded.xkb"
    for keysym in "${keysyms[@]}"; do
        grep -q "\[ *$keysym *\]" "$workdir/loaded.xkb" || fail "no key types $keysym"
    done
}

# Starts the program in folder $1 and waits for its main window.
start() {
    cd "$1"
    "$program" 2>"$workdir/stderr.log" &
    pid=$!
    main=$(window Quorvel 200)
    giveKeys "${longName}次郎１０"
    sleep 0.3
}

# Ends the program from its menu and checks its exit status.
quit() {
    xdotool windowfocus --sync "$main"
    key alt+f
    key x
    local status=0
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "ファイル › Quorvelの終了 left the program running"
    wait "$pid" || status=$?
    ((status == 0)) || fail "the program ended with status $status"
    pid=""
}

# The id of a mapped window of the program titled exactly $1 (not one of the ids in $3), waiting up
# to $2 tenths of a second.
window() {
    local id
    for _ in $(seq "${2:-100}"); do
        for id in $(xdotool search --all --onlyvisible --pid "$pid" --name "^$1\$" 2>/dev/null); do
            [[ " ${3:-} " == *" $id "* ]] || { echo "$id"; return; }
        done
        kill -0 "$pid" 2>/dev/null || fail "the program ended while waiting for \"$1\""
        sleep 0.1
    done
    fail "no window \"$1\" appeared"
}

# Waits for window $1, titled $2, to close.
gone() {
    for _ in $(seq 100); do
        xdotool search --all --onlyvisible --pid "$pid" --name "^$2\$" 2>/dev/null |
            grep -qx "$1" || return 0
        sleep 0.1
    done
    fail "\"$2\" stayed open"
}

key() { xdotool key --clearmodifiers "$@"; sleep 0.2; }
typeText() { xdotool type --delay 60 "$1"; sleep 0.1; }

# Every dialog here uses a 16-pixel Gothic, so one dialog unit is 2 pixels either way; a window of
# another size means the clicks below would miss.
unit=2
expectSize() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    ((WIDTH == $2 * unit && HEIGHT == $3 * unit)) || fail "\"$(xdotool getwindowname "$1")\"" \
        "is ${WIDTH}x$HEIGHT, not $(($2 * unit))x$(($3 * unit))"
}

# Clicks the middle of the control at dialog units x y width height of window $1. Without a window
# manager a top-level window has no frame, so its position is that of its client area.
click() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove --sync $((X + ($2 + $4 / 2) * unit)) $((Y + ($3 + $5 / 2) * unit))
    xdotool click 1
    sleep 0.2
}

# The program's mapped windows taken from the screen onto a transparent canvas that just holds them
# (no window manager: top-level windows are children of the root, at root coordinates). Not xwd:
# it draws modal dialogs black.
shot() {
    sleep 0.4
    import -window root "$workdir/screen.png"
    local left=100000 top=100000 right=0 bottom=0 X Y WIDTH HEIGHT SCREEN WINDOW id
    local ids pieces=()
    ids=$(xdotool search --onlyvisible --pid "$pid")
    for id in $ids; do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        ((X < left)) && left=$X
        ((Y < top)) && top=$Y
        ((X + WIDTH > right)) && right=$((X + WIDTH))
        ((Y + HEIGHT > bottom)) && bottom=$((Y + HEIGHT))
    done
    ((right > left)) || fail "no window to cut $1 to"
    for id in $ids; do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        pieces+=("(" "$workdir/screen.png" -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage ")"
            -geometry "+$((X - left))+$((Y - top))" -composite)
    done
    convert -size "$((right - left))x$((bottom - top))" xc:none "${pieces[@]}" "$outdir/$1"
    echo "$outdir/$1"
}

# Chooses 日柱 and the fourth luck pillar on panel $1, judges, and writes the judgement to a file.
judgeDayPillarInFourthLuck() {
    judgeInFourthLuck "$1" 78 "${2:-}"
}

# The same with the chart pillar button at dialog unit y $2 (33 年柱, 55 月柱, 78 日柱, 100 時柱).
judgeInFourthLuck() {
    expectSize "$1" 232 176
    xdotool windowraise "$1"   # panels open one over another
    sleep 0.2
    click "$1" 35 "$2" 40 14
    click "$1" 110 97 44 14   # the fourth luck pillar
    set -- "$1" "${3:-}"
    [ -n "${2:-}" ] && shot "$2"
    click "$1" 55 155 50 14   # 実行
    local result question
    result=$(window 幸運の判断)
    expectSize "$result" 223 181
    click "$result" 166 160 50 14   # ファイル出力
    question=$(window TXTファイルに出力)
    xdotool windowfocus --sync "$question"
    key y   # はい(&Y)
    gone "$question" TXTファイルに出力
    click "$result" 85 160 50 14    # ＯＫ
    gone "$result" 幸運の判断
}

sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }

checkJudgementFile() {
    local file="$road/太郎本人配偶者乙亥運.TXT"
    [ -f "$file" ] || fail "$1: no file 太郎本人配偶者乙亥運.TXT; the folder holds: $(ls "$road")"
    "$cli" judge --period luck --sjis 戊辰 乙亥 | head -c -1 >"$workdir/expected.txt"
    cmp "$workdir/expected.txt" "$file" >&2 ||
        fail "$1: 太郎本人配偶者乙亥運.TXT is not quorvel-cli's judgement of 戊辰 in 乙亥"
}

# Fifteen full-width characters, the most a name holds (30 bytes); it includes 太郎.
longName=東四条院太郎左衛門尉藤原之助守

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
expectSize "$birth" 187 93
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
expectSize "$records" 192 237
click "$records" 22 27 151 14   # the first record
click "$records" 41 213 50 14   # 実行
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
click "$records" 22 27 151 14   # 花子
click "$records" 41 213 50 14   # 実行
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
click "$records" 22 45 151 14   # the second record: 次郎, entered in this run
click "$records" 41 213 50 14
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
click "$records" 22 82 151 14   # the fourth record, added above
shot data-file-dialog.png
click "$records" 100 213 50 14  # ｷｬﾝｾﾙ
gone "$records" DATA.CSV
quit
