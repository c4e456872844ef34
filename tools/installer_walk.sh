# $build, $setup and $uninstall_key come from the caller.
# shellcheck shell=bash disable=SC2154
# Sourced by tools/test_windows_installer.sh under Xvfb with a Wine prefix whose windows are X
# windows (QUORVEL_WINE_X11): walks the setup and the uninstaller page by page with the keys a
# user would press. Every page shows the same title, so a key counts as taken only once the
# window's picture changed; the welcome and finish pages are told by their side picture. A walk
# that sticks fails naming the page, with a picture of the screen in the build folder.
#
# Needs: $WINE, $WINESERVER, $setup, $build and fail() from the caller.

walk_timeout_steps=150  # of 0.2 s: the slowest page, the files being written, within 30 s

# stuck PAGE WHAT: the walk went no further than PAGE.
stuck() {
    local picture="$build/installer-stuck.png"
    import -window root "$picture" 2>/dev/null || picture="(no picture)"
    fail "the interactive $walk_name stuck on the $1 page: $2; the screen: $picture"
}

# window_titled REGEX: the first X window whose title matches, or nothing.
window_titled() {
    xdotool search --name "$1" 2>/dev/null | head -1
}

# wait_window REGEX PAGE: polls for the window and prints its id.
wait_window() {
    local id
    for _ in $(seq "$walk_timeout_steps"); do
        id="$(window_titled "$1")"
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.2
    done
    stuck "$2" "no window titled '$1' appeared"
}

# wait_gone REGEX PAGE: polls until no window has that title.
wait_gone() {
    for _ in $(seq "$walk_timeout_steps"); do
        [ -z "$(window_titled "$1")" ] && return
        sleep 0.2
    done
    stuck "$2" "the window stayed open"
}

window_picture() {
    import -window "$1" rgb:- 2>/dev/null | md5sum
}

# side_picture WINDOW: whether the page shows the wizard's dark blue side picture, as only the
# welcome and finish pages do.
side_picture() {
    local colour
    colour="$(import -window "$1" -crop 150x250+8+30 +repage -resize '1x1!' -depth 8 txt:- 2>/dev/null |
        sed -n 's/.*(\([0-9.]*\),\([0-9.]*\),\([0-9.]*\)).*/\1 \3/p')"
    [ -n "$colour" ] && awk -v c="$colour" 'BEGIN { split(c, v, " "); exit !(v[2] > v[1] + 60) }'
}

# wait_side_picture WINDOW PAGE
wait_side_picture() {
    for _ in $(seq "$walk_timeout_steps"); do
        side_picture "$1" && return
        sleep 0.2
    done
    stuck "$2" "the page with the side picture did not come"
}

# press WINDOW PAGE KEY: the key, taken once the window looks different.
press() {
    local before
    before="$(window_picture "$1")"
    xdotool key --clearmodifiers "$3"
    for _ in $(seq "$walk_timeout_steps"); do
        [ "$(window_picture "$1")" != "$before" ] && { sleep 0.3; return; }
        sleep 0.2
    done
    stuck "$2" "nothing changed after $3"
}

# close_with REGEX PAGE KEY: presses the key once a second until the window is gone; the key's
# button may come alive a moment after the work it waits for ends.
close_with() {
    for _ in $(seq 30); do
        [ -z "$(window_titled "$1")" ] && return
        xdotool key --clearmodifiers "$3"
        for _ in $(seq 5); do
            [ -z "$(window_titled "$1")" ] && return
            sleep 0.2
        done
    done
    stuck "$2" "the window stayed open after $3"
}

# walk_setup MODE: the setup from its welcome page to its finish page, which starts Quorvel.
# MODE /AllUsers picks the first choice of the install mode page, for every user; otherwise the
# default, for this user only, stays.
walk_setup() {
    local title win
    walk_name="install ($([ -n "$1" ] && echo "for all users" || echo "for this user"))"
    title="^Quorvel .* セットアップ"
    "$WINE" "$setup" &
    win="$(wait_window "$title" welcome)"
    xdotool windowfocus --sync "$win"
    wait_side_picture "$win" welcome
    press "$win" welcome Return
    if [ "$1" = /AllUsers ]; then
        # From 次へ: キャンセル, then the chosen mode (for this user), then up to every user.
        press "$win" "install mode" Tab
        press "$win" "install mode" Tab
        press "$win" "install mode" Up
    fi
    press "$win" "install mode" Return
    press "$win" "install folder" Return
    wait_side_picture "$win" "install progress"
    # 完了 with Quorvel's start ticked, as the finish page offers it.
    xdotool key --clearmodifiers Return
    wait_gone "$title" finish
    wait
}

# walk_uninstaller ROOT FOLDER: the uninstall as Windows starts it from the entry under ROOT,
# until FOLDER is gone.
walk_uninstaller() {
    local command program options title win
    walk_name="uninstall ($1)"
    command="$("$WINE" reg query "$1\\$uninstall_key" /v UninstallString | tr -d '\r' |
        sed -n 's/^ *UninstallString *REG_SZ *//p')"
    program="$(sed -n 's/^"\([^"]*\)".*/\1/p' <<<"$command")"
    options="${command#\""$program"\"}"
    [ -n "$program" ] || fail "the uninstall entry under $1 names no program: '$command'"
    title="^Quorvel .* アンインストール"
    # shellcheck disable=SC2086
    "$WINE" "$program" $options &
    win="$(wait_window "$title" "uninstall confirm")"
    xdotool windowfocus --sync "$win"
    press "$win" "uninstall confirm" Return
    for _ in $(seq "$walk_timeout_steps"); do
        [ -e "$2" ] || break
        sleep 0.2
    done
    [ ! -e "$2" ] || stuck "uninstall progress" "$2 stayed"
    close_with "$title" "uninstall finish" Return
    wait
}
