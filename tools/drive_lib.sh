# What the drive scripts share: source it after setting `root`, `me` and `outdir` (the first
# argument, if any). Outside the virtual X server it checks the tools and the two programs and
# starts the script again under one; inside it makes the working folder, its clean-up and the
# functions that drive the program.

# Before the virtual X server: checks what the drive needs and starts the script again under it.
outdir="$(realpath -m "${outdir:-$root/docs}")"
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
    giveKeys "太郎${extraKeys:-}"
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

# Window $1 alone, cut from the screen into $outdir/$2.
shotWindow() {
    sleep 0.4
    import -window root "$workdir/screen.png"
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    convert "$workdir/screen.png" -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage "$outdir/$2"
    echo "$outdir/$2"
}

sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
