#!/usr/bin/env bash
# Writes a report (鑑定書) with quorvel-cli, opens it in headless Chromium, prints it to PDF (A4)
# and takes a picture of it as the browser shows it. Exits 77 when Chromium is missing
# (`bash tools/setup.sh` installs it).
#
#   tools/report_pictures.sh OUT_FOLDER
#
# OUT_FOLDER receives report.html, report.pdf and report.png.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

if [ $# -ne 1 ]; then
    echo "usage: tools/report_pictures.sh OUT_FOLDER" >&2
    exit 2
fi
out="$(realpath -m "$1")"
cli="${QUORVEL_CLI:-$root/build/quorvel-cli}"
[ -x "$cli" ] || { echo "report_pictures: $cli does not exist; build it first" >&2; exit 1; }
browser="$(command -v chromium || true)"
[ -n "$browser" ] || { echo "report_pictures: chromium is missing (tools/setup.sh installs it)" >&2; exit 77; }
mkdir -p "$out"

profile="$(mktemp -d)"
trap 'rm -rf "$profile"' EXIT

"$cli" report --sex male 1990-05-20 10 --name 山田太郎 --date 2028-06-01 -o "$out/report.html" >/dev/null

# Headless and offline: a profile of its own, no sandbox when run as root, nothing fetched.
run_browser() {
    local sandbox=()
    [ "$(id -u)" -ne 0 ] || sandbox=(--no-sandbox)
    timeout 60 "$browser" --headless --disable-gpu "${sandbox[@]}" --user-data-dir="$profile" \
        --no-first-run --disable-extensions --disable-background-networking \
        --hide-scrollbars --run-all-compositor-stages-before-draw "$@" \
        "file://$out/report.html" 2>>"$profile/browser.log" || {
        cat "$profile/browser.log" >&2
        return 1
    }
}

rm -f "$out/report.pdf" "$out/report.png"
run_browser --no-pdf-header-footer --print-to-pdf="$out/report.pdf"
run_browser --window-size=900,2300 --screenshot="$out/report.png"

# A PDF of A4 pages, and a picture that is not blank.
head -c 5 "$out/report.pdf" | grep -q '%PDF-' || { echo "report_pictures: no PDF written" >&2; exit 1; }
if ! grep -aq 'MediaBox \[0 0 594.9[0-9]* 841.9' "$out/report.pdf"; then
    echo "report_pictures: the PDF's pages are not A4" >&2
    exit 1
fi
if command -v identify >/dev/null; then
    colours="$(identify -format '%k' "$out/report.png")"
    [ "$colours" -gt 50 ] || { echo "report_pictures: the picture is blank ($colours colours)" >&2; exit 1; }
fi
pages="$(grep -ao '/Count [0-9]*' "$out/report.pdf" | head -n 1 | cut -d' ' -f2)"
echo "$out/report.pdf (${pages:-?} A4 pages)"
echo "$out/report.png"
