#!/usr/bin/env bash
# Installs the Windows installer under Wine, silently and then page by page from the keyboard
# (under Xvfb, tools/installer_walk.sh), for this user (the default) and for every user, checks
# the uninstall entry and the Start menu shortcut (no working folder fixed at install time),
# starts both programs from where it put them, lets a second user (a prefix of its own)
# start the program installed for every user, uninstalls the same way and checks that the user's
# folder stayed and that nothing was written outside the build.
#
#   tools/test_windows_installer.sh [BUILD_DIR]
#
# The walks are skipped, saying so, without xvfb-run, xdotool or ImageMagick (tools/setup.sh).
set -euo pipefail
interactive=""
if [ "${1:-}" = --interactive ]; then  # the walks, started again by this script under Xvfb
    interactive=1
    shift
fi
root="$(cd "$(dirname "$0")/.." && pwd)"
repo="$root"  # install_and_check names its registry root "root"
build="$(realpath -m "${1:-$root/build-windows}")"
# shellcheck source=tools/wine_env.sh
source "$root/tools/wine_env.sh" "$build"

setup="$(ls "$build"/Quorvel-*-setup.exe | head -1)"
drive="$WINEPREFIX/drive_c"
documents="$drive/users/$(id -un)/Documents/Quorvel"
fail() { echo "installer test: $*" >&2; exit 1; }
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel'
# shellcheck source=tools/installer_walk.sh
source "$root/tools/installer_walk.sh"
# Where Wine would leave traces in the home folder: nothing there may change.
home_traces=("$HOME/Quorvel" "$HOME/Documents/Quorvel" "$HOME/.local/share/applications/wine"
    "$HOME/.local/share/icons" "$HOME/.config/menus/applications-merged")
if [ -z "$interactive" ]; then
    before="$(mktemp)"
    trap 'rm -f "$before"' EXIT
else
    rm -f "$build/installer-stuck.png"  # a picture left by an earlier walk that stuck
    # Nothing of this prefix may outlive the X server it draws on.
    trap '"$WINESERVER" -k 2>/dev/null; "$WINESERVER" -w 2>/dev/null || true' EXIT
fi

# The setup starts as the user who runs it: the default install, for this user, asks for no
# administrator (Wine's users are administrators anyway, so the manifest is what can be checked).
levels="$(grep -ao 'requestedExecutionLevel level="[a-zA-Z]*"' "$setup" | sort -u)"
[ "$levels" = 'requestedExecutionLevel level="asInvoker"' ] ||
    fail "the setup asks to start as: ${levels:-nothing}"

# A shell link's working folder (its StringData after the ID list and the link info, as the
# shell link format lays them out); empty when it has none.
shortcut_working_folder() {
    python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
flags = struct.unpack_from("<I", data, 20)[0]
at = 76
if flags & 0x01:  # HasLinkTargetIDList
    at += 2 + struct.unpack_from("<H", data, at)[0]
if flags & 0x02:  # HasLinkInfo
    at += struct.unpack_from("<I", data, at)[0]
width = 2 if flags & 0x80 else 1  # IsUnicode
for bit in (0x04, 0x08, 0x10):  # the name, the relative path, the working folder
    if flags & bit:
        count = struct.unpack_from("<H", data, at)[0]
        text = data[at + 2:at + 2 + count * width]
        at += 2 + count * width
        if bit == 0x10:
            print(text.decode("utf-16-le" if width == 2 else "mbcs", "replace").strip("\0"))
PY
}

# install_and_check MODE_OPTION FOLDER ROOT_KEY: one install, used and removed again.
install_and_check() {
    local mode="$1" installed="$2" root="$3" key entry shortcut folder
    rm -rf "$documents"
    if [ -n "$interactive" ]; then
        walk_setup "$mode"
        # The finish page started Quorvel from its folder: it made Documents\Quorvel.
        for _ in $(seq 50); do
            [ -d "$documents" ] && break
            sleep 0.2
        done
        [ -d "$documents" ] || fail "the program started by the finish page made no Documents\\Quorvel ($mode)"
        "$WINESERVER" -k 2>/dev/null || true
    else
        # Wine waits for the silent installer; no waiting on the server, which the caller may keep.
        # shellcheck disable=SC2086
        "$WINE" "$setup" /S $mode
    fi
    for file in quorvel.exe quorvel-cli.exe Quorvel.HLP uninstall.exe; do
        [ -f "$installed/$file" ] || fail "$file was not installed in $installed ($mode)"
    done
    shortcut="$(find "$drive" -path '*Start Menu/Programs/Quorvel.lnk' | head -1)"
    [ -n "$shortcut" ] || fail "no Start menu entry"
    folder="$(shortcut_working_folder "$shortcut")"
    [ -z "$folder" ] || fail "the shortcut fixes the working folder $folder ($mode)"
    key="$root\\$uninstall_key"
    entry="$("$WINE" reg query "$key" 2>/dev/null | tr -d '\r')"
    for value in DisplayName DisplayVersion DisplayIcon InstallLocation EstimatedSize \
        UninstallString QuietUninstallString; do
        grep -q "^ *$value " <<<"$entry" || fail "the uninstall entry under $root has no $value"
    done

    version="$("$WINE" "$installed/quorvel-cli.exe" --version)"
    [[ "$version" == "quorvel-cli "* ]] || fail "the installed quorvel-cli answered '$version'"
    # Started in its own folder, as from the Start menu: it makes and uses Documents\Quorvel.
    rm -rf "$documents"
    (cd "$installed" && timeout 10 "$WINE" "$installed/quorvel.exe") && fail "quorvel.exe ended at once"
    [ -d "$documents" ] || fail "the program did not make Documents\\Quorvel"
    chart="$(cd "$documents" && "$WINE" "$installed/quorvel-cli.exe" chart --json --sex male 1990-05-20 10)"
    [[ "$chart" == '{"year":"庚午",'* ]] || fail "the installed quorvel-cli answered '$chart'"

    [ -z "$mode" ] || second_user_starts "$installed"

    printf 'kept\n' >"$documents/DATA.CSV"
    if [ -n "$interactive" ]; then
        walk_uninstaller "$root" "$installed"
    else
        # shellcheck disable=SC2086
        "$WINE" "$installed/uninstall.exe" /S $mode
    fi
    for _ in $(seq 50); do  # the uninstaller finishes from a copy of itself
        [ -e "$installed/quorvel.exe" ] || break
        sleep 0.2
    done
    [ ! -e "$installed/quorvel.exe" ] || fail "quorvel.exe is still installed in $installed"
    "$WINE" reg query "$key" >/dev/null 2>&1 && fail "the uninstall entry under $root stayed"
    [ "$(cat "$documents/DATA.CSV")" = kept ] || fail "the uninstaller touched DATA.CSV"
}

# second_user_starts FOLDER: another user of the PC (a prefix of its own) starts the program
# installed for every user, from its folder as the Start menu does: it makes that user's own
# Documents\Quorvel, and leaves the first user's alone.
second_user_starts() {
    local theirs mine_before
    mine_before="$(ls "$documents" 2>/dev/null | wc -l)"
    (
        export QUORVEL_WINE_PREFIX_NAME=wineprefix-second-user
        unset QUORVEL_WINE_X11
        # shellcheck source=tools/wine_env.sh
        source "$repo/tools/wine_env.sh" "$build"
        theirs="$WINEPREFIX/drive_c/users/$(id -un)/Documents/Quorvel"
        rm -rf "$theirs"
        (cd "$1" && timeout 10 "$WINE" "$1/quorvel.exe") && fail "quorvel.exe ended at once for the second user"
        "$WINESERVER" -k 2>/dev/null || true
        [ -d "$theirs" ] || fail "the second user got no Documents\\Quorvel of their own"
    )
    [ "$(ls "$documents" 2>/dev/null | wc -l)" = "$mine_before" ] || fail "the second user wrote in the first user's folder"
}

install_and_check "" "$drive/users/$(id -un)/AppData/Local/Programs/Quorvel" HKCU
install_and_check /AllUsers "$drive/Program Files/Quorvel" HKLM
[ -z "$interactive" ] || exit 0

walks="and page by page"
if command -v xvfb-run >/dev/null && command -v xdotool >/dev/null && command -v import >/dev/null; then
    QUORVEL_WINE_X11=1 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --interactive "$build"
else
    walks="(the walks page by page skipped: xvfb-run, xdotool or ImageMagick is missing)"
fi

changed="$(find "${home_traces[@]}" -newer "$before" 2>/dev/null || true)"
[ -z "$changed" ] || fail "written outside the build: $changed"
echo "installer: $(basename "$setup") installed silently $walks for this user (no administrator asked) and for all, its shortcut without a fixed working folder, started by a second user into their own Documents\\Quorvel, removed; DATA.CSV kept"
