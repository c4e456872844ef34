#!/usr/bin/env bash
# Installs the Windows installer silently under Wine, for this user (the default) and for every
# user, checks the uninstall entry, starts both programs from where it put them, uninstalls
# silently and checks that the user's folder stayed and that nothing was written outside the build.
#
#   tools/test_windows_installer.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:-$root/build-windows}")"
# shellcheck source=tools/wine_env.sh
source "$root/tools/wine_env.sh" "$build"

setup="$(ls "$build"/Quorvel-*-setup.exe | head -1)"
drive="$WINEPREFIX/drive_c"
documents="$drive/users/$(id -un)/Documents/Quorvel"
fail() { echo "installer test: $*" >&2; exit 1; }
# Where Wine would leave traces in the home folder: nothing there may change.
home_traces=("$HOME/Quorvel" "$HOME/Documents/Quorvel" "$HOME/.local/share/applications/wine"
    "$HOME/.local/share/icons" "$HOME/.config/menus/applications-merged")
before="$(mktemp)"
trap 'rm -f "$before"' EXIT

# install_and_check MODE_OPTION FOLDER ROOT_KEY: one install, used and removed again.
install_and_check() {
    local mode="$1" installed="$2" root="$3" key entry
    # Wine waits for the silent installer; no waiting on the server, which the caller may keep.
    # shellcheck disable=SC2086
    "$WINE" "$setup" /S $mode
    for file in quorvel.exe quorvel-cli.exe Quorvel.HLP uninstall.exe; do
        [ -f "$installed/$file" ] || fail "$file was not installed in $installed ($mode)"
    done
    find "$drive" -path '*Start Menu/Programs/Quorvel.lnk' | grep -q . || fail "no Start menu entry"
    key="$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quorvel"
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

    printf 'kept\n' >"$documents/DATA.CSV"
    "$WINE" "$installed/uninstall.exe" /S $mode
    for _ in $(seq 50); do  # the uninstaller finishes from a copy of itself
        [ -e "$installed/quorvel.exe" ] || break
        sleep 0.2
    done
    [ ! -e "$installed/quorvel.exe" ] || fail "quorvel.exe is still installed in $installed"
    "$WINE" reg query "$key" >/dev/null 2>&1 && fail "the uninstall entry under $root stayed"
    [ "$(cat "$documents/DATA.CSV")" = kept ] || fail "the uninstaller touched DATA.CSV"
}

install_and_check "" "$drive/users/$(id -un)/AppData/Local/Programs/Quorvel" HKCU
install_and_check /AllUsers "$drive/Program Files/Quorvel" HKLM

changed="$(find "${home_traces[@]}" -newer "$before" 2>/dev/null || true)"
[ -z "$changed" ] || fail "written outside the build: $changed"
echo "installer: $(basename "$setup") installed for this user and for all, started and removed; DATA.CSV kept"
