#!/usr/bin/env bash
# Installs the Windows installer silently under Wine, starts both programs from where it put
# them, uninstalls silently and checks that the user's folder stayed.
#
#   tools/test_windows_installer.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:-$root/build-windows}")"
# shellcheck source=tools/wine_env.sh
source "$root/tools/wine_env.sh" "$build"

setup="$(ls "$build"/Quorvel-*-setup.exe | head -1)"
drive="$WINEPREFIX/drive_c"
installed="$drive/Program Files/Quorvel"
documents="$drive/users/$(id -un)/Documents/Quorvel"
fail() { echo "installer test: $*" >&2; exit 1; }
# Where Wine would leave traces in the home folder: nothing there may change.
home_traces=("$HOME/Quorvel" "$HOME/Documents/Quorvel" "$HOME/.local/share/applications/wine"
    "$HOME/.local/share/icons" "$HOME/.config/menus/applications-merged")
before="$(mktemp)"
trap 'rm -f "$before"' EXIT

# Wine waits for the silent installer; no waiting on the server, which the caller may keep.
"$WINE" "$setup" /S
for file in quorvel.exe quorvel-cli.exe Quorvel.HLP uninstall.exe; do
    [ -f "$installed/$file" ] || fail "$file was not installed"
done
[ -d "$documents" ] || fail "Documents\\Quorvel was not made"
find "$drive" -path '*Start Menu*' -name 'Quorvel.lnk' | grep -q . || fail "no Start menu entry"

version="$("$WINE" "$installed/quorvel-cli.exe" --version)"
[[ "$version" == "quorvel-cli "* ]] || fail "the installed quorvel-cli answered '$version'"
chart="$(cd "$documents" && "$WINE" "$installed/quorvel-cli.exe" chart --json --sex male 1990-05-20 10)"
[[ "$chart" == '{"year":"庚午",'* ]] || fail "the installed quorvel-cli answered '$chart'"
# The program starts and keeps running until it is stopped.
(cd "$documents" && timeout 10 "$WINE" "$installed/quorvel.exe") && fail "quorvel.exe ended at once"

printf 'kept\n' >"$documents/DATA.CSV"
"$WINE" "$installed/uninstall.exe" /S
for _ in $(seq 50); do  # the uninstaller finishes from a copy of itself
    [ -e "$installed/quorvel.exe" ] || break
    sleep 0.2
done
[ ! -e "$installed/quorvel.exe" ] || fail "quorvel.exe is still installed"
[ "$(cat "$documents/DATA.CSV")" = kept ] || fail "the uninstaller touched DATA.CSV"
changed="$(find "${home_traces[@]}" -newer "$before" 2>/dev/null || true)"
[ -z "$changed" ] || fail "written outside the build: $changed"
echo "installer: $(basename "$setup") installed, started and removed; DATA.CSV kept"
