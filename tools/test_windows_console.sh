#!/usr/bin/env bash
# quorvel-cli.exe on a Windows console of a given code page, under Wine: text for a pipe or a file
# follows the console's code page (932: Shift-JIS, 65001: UTF-8, others converted), refusals on
# standard error too; --utf8 and JSON stay UTF-8. The reference is the tool's own UTF-8 output.
#
#   tools/test_windows_console.sh [BUILD_DIR]        (default build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(realpath -m "${1:-build-windows}")"
# shellcheck source=tools/wine_env.sh
source tools/wine_env.sh "$build"
command -v script >/dev/null || { echo "script (util-linux) is needed for a console" >&2; exit 1; }

work="$(mktemp -d "$build/console-test-XXXXXX")"
trap 'rm -rf "$work"' EXIT
cp "$build/quorvel-cli.exe" "$work/"
fail() { echo "quorvel-cli.exe on a console: $*" >&2; exit 1; }

# The tool's UTF-8 bytes: a Wine started without a terminal has no console.
(cd "$work" && "$WINE" quorvel-cli.exe judge 甲子 甲午 </dev/null >text.utf8)
(cd "$work" && "$WINE" quorvel-cli.exe judge 甲 甲午 </dev/null 2>refusal.utf8 >/dev/null) || true
(cd "$work" && "$WINE" quorvel-cli.exe chart --json --sex male 1990-05-20 10 </dev/null >json.utf8)
grep -q '天運' "$work/text.utf8" || fail "no UTF-8 reference"

# A terminal for Wine, so that cmd runs on a console whose code page chcp sets.
on_console() {
    (cd "$work" && timeout 120 script -qec "$WINE cmd /c 'chcp $1 >nul & $2'" /dev/null \
        </dev/null >/dev/null)
}

for cp in 932 65001 1252 936; do
    case $cp in
        932) charset=CP932 ;; 65001) charset=UTF-8 ;; 1252) charset=CP1252 ;; 936) charset=GBK ;;
    esac
    rm -f "$work"/out.txt "$work"/err.txt "$work"/utf8.txt "$work"/json.txt
    on_console "$cp" "quorvel-cli.exe judge 甲子 甲午 > out.txt & quorvel-cli.exe judge 甲 甲午 2> err.txt & quorvel-cli.exe judge --utf8 甲子 甲午 > utf8.txt & quorvel-cli.exe chart --json --sex male 1990-05-20 10 > json.txt"
    cmp -s "$work/utf8.txt" "$work/text.utf8" || fail "code page $cp: --utf8 is not UTF-8"
    cmp -s "$work/json.txt" "$work/json.utf8" || fail "code page $cp: JSON is not UTF-8"
    if [ "$cp" = 1252 ]; then
        # Nothing Japanese in 1252: Windows' own ? stands for each character, ASCII stays.
        [ "$(head -c 4 "$work/out.txt")" = "(??)" ] || fail "code page 1252: no ? for 天運"
    else
        cmp -s "$work/out.txt" <(iconv -f UTF-8 -t "$charset" "$work/text.utf8") ||
            fail "code page $cp: the text is not in $charset"
        cmp -s "$work/err.txt" <(iconv -f UTF-8 -t "$charset" "$work/refusal.utf8") ||
            fail "code page $cp: the refusal is not in $charset"
    fi
done
echo "quorvel-cli.exe: text follows the console's code page (932, 65001, 1252, 936); --utf8 and JSON stay UTF-8"
