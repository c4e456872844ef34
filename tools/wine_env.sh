#!/usr/bin/env bash
# Sourced by the Windows scripts: a Wine prefix of the project's own under build-windows/, with
# a Japanese locale and the templates' fonts mapped to the IPA gothics. Made once, then reused.
#
#   source tools/wine_env.sh [BUILD_DIR]      then: "$WINE" program.exe ...
wine_build="$(realpath -m "${1:-$(dirname "${BASH_SOURCE[0]}")/../build-windows}")"
# QUORVEL_WINE_DESKTOP=WIDTHxHEIGHT: a prefix of its own that draws on the X display inside a
# virtual desktop of that size, title bars included (for pictures); otherwise headless.
# QUORVEL_WINE_X11=1: a prefix of its own whose every window is a window of the X display, with
# its title (for driving a program with xdotool).
# QUORVEL_WINE_PREFIX_NAME=NAME: a headless prefix of that name instead (another user of the PC).
# QUORVEL_WINE_DPI=N: a prefix of its own at N pixels per inch (144 is 150 %), as Windows sets
# the scale for the user (HKCU\Control Panel\Desktop LogPixels).
wine_dpi="${QUORVEL_WINE_DPI:-}"
wine_dpi_suffix="${wine_dpi:+-dpi$wine_dpi}"
wine_dpi_entry=""
if [ -n "$wine_dpi" ]; then
    wine_dpi_entry="[HKEY_CURRENT_USER\\Control Panel\\Desktop]
\"LogPixels\"=dword:$(printf '%08x' "$wine_dpi")"
fi
if [ -n "${QUORVEL_WINE_DESKTOP:-}" ]; then
    export WINEPREFIX="$wine_build/wineprefix-desktop$wine_dpi_suffix"
    wine_graphics='"Graphics"="x11"'
    wine_desktop="[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
\"Desktop\"=\"Default\"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
\"Default\"=\"$QUORVEL_WINE_DESKTOP\""
elif [ -n "${QUORVEL_WINE_X11:-}" ]; then
    export WINEPREFIX="$wine_build/wineprefix-x11$wine_dpi_suffix"
    wine_graphics='"Graphics"="x11"'
    wine_desktop=""
else
    export WINEPREFIX="$wine_build/${QUORVEL_WINE_PREFIX_NAME:-wineprefix}$wine_dpi_suffix"
    wine_graphics='"Graphics"="null"'
    wine_desktop=""
fi
export WINEDEBUG=-all
# No prompts to download the .NET and HTML engines; no menu entries or icons in the user's home
# from the programs' shortcuts.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Whatever Wine or a program looks up in the user's XDG folders stays in the build.
export XDG_CONFIG_HOME="$wine_build/xdg/config" XDG_DATA_HOME="$wine_build/xdg/data"
export XDG_CACHE_HOME="$wine_build/xdg/cache" XDG_STATE_HOME="$wine_build/xdg/state"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_STATE_HOME"
export LOCPATH="$wine_build/locale"
WINE="$(command -v wine64 || true)"
[ -n "$WINE" ] || WINE=/usr/lib/wine/wine64
WINESERVER="$(command -v wineserver || true)"
[ -n "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver
export WINE WINESERVER

if [ ! -d "$LOCPATH/ja_JP.UTF-8" ]; then
    mkdir -p "$LOCPATH"
    localedef -f UTF-8 -i ja_JP "$LOCPATH/ja_JP.UTF-8" >/dev/null 2>&1 || true
fi
export LANG=ja_JP.UTF-8

if [ ! -f "$WINEPREFIX/.quorvel-ready" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    "$WINESERVER" -w
    # The templates' fonts under their Japanese names; regedit reads the file as UTF-16.
    reg_utf8="$(mktemp)"
    cat >"$reg_utf8" <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]
$wine_graphics

$wine_desktop

$wine_dpi_entry

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"ＭＳ ゴシック"="IPAGothic"
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS Gothic"="IPAGothic"
"MS PGothic"="IPAPGothic"
"MS UI Gothic"="IPAPGothic"
"MS Shell Dlg"="IPAPGothic"
"MS Shell Dlg 2"="IPAPGothic"
REG
    reg_file="$WINEPREFIX/drive_c/quorvel.reg"
    { printf '\xff\xfe'; sed 's/$/\r/' "$reg_utf8" | iconv -f UTF-8 -t UTF-16LE; } >"$reg_file"
    "$WINE" regedit 'C:\quorvel.reg' >/dev/null 2>&1 || true
    "$WINESERVER" -w
    rm -f "$reg_utf8" "$reg_file"
    for font in /usr/share/wine/fonts/marlett.ttf; do
        [ -f "$font" ] && cp "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
    done
    touch "$WINEPREFIX/.quorvel-ready"
fi

# Wine links the user's Documents, Desktop and the like to the home folder: here they are
# folders of the prefix, so that nothing a test installs or writes lands in the home folder.
for folder in "$WINEPREFIX/drive_c/users/$(id -un)"/*; do
    if [ -L "$folder" ]; then
        rm -f "$folder"
        mkdir -p "$folder"
    fi
done

# The first program of a new server starts Wine's own services, which would hold that program's
# output open for good (a test would never end): they are started here, with nothing to hold.
wine_server_socket="/tmp/.wine-$(id -u)/server-$(printf '%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))/socket"
if [ ! -S "$wine_server_socket" ]; then
    "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
fi
