#!/usr/bin/env bash
# The Windows programs: installs what is missing, cross-builds quorvel.exe, quorvel-cli.exe and
# the installer Quorvel-<version>-setup.exe into build-windows/, and runs every Windows test
# under Wine in a prefix of the build's own.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
bash tools/setup_windows.sh
bash tools/windows_sqlite.sh build-windows
# shellcheck source=tools/wine_env.sh
source tools/wine_env.sh build-windows

echo "== windows build"
cmake --preset windows >/dev/null
cmake --build --preset windows
cmake --build --preset windows --target installer

# One server for every test, warmed up once; stopped however the script ends. The build's test
# discovery may have left a server of this prefix running for a few seconds: it goes first.
"$WINESERVER" -k 2>/dev/null || true
"$WINESERVER" -p
trap '"$WINESERVER" -k 2>/dev/null || true' EXIT
"$WINE" cmd /c exit >/dev/null 2>&1 || true

echo "== windows tests (under Wine)"
if ! ctest --preset windows; then
    # Wine now and then fails to start a program at all (no output, at once): the failed tests
    # run once more, and only a second failure fails the build.
    echo "== windows tests: the failed ones once more"
    ctest --preset windows --rerun-failed
fi

echo "== windows programs"
# Nothing beside the system's own DLLs.
for exe in build-windows/quorvel.exe build-windows/quorvel-cli.exe; do
    dlls="$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | sort -u)"
    others="$(grep -viE '^(kernel32|user32|gdi32|msvcrt|comctl32|advapi32|shell32|ole32|comdlg32)\.dll$' <<<"$dlls" || true)"
    [ -z "$others" ] || { echo "$exe needs $others" >&2; exit 1; }
    echo "$(basename "$exe"): $(stat -c %s "$exe") bytes, needs $(tr '\n' ' ' <<<"$dlls")"
done
echo "installer: $(stat -c %s build-windows/Quorvel-*-setup.exe) bytes"
# Properties → 詳細: each program and the setup carry their version texts (UTF-16 in VERSIONINFO).
utf16() { sed 's/./&\\x00/g' <<<"$1"; }
for exe in build-windows/quorvel.exe build-windows/quorvel-cli.exe build-windows/Quorvel-*-setup.exe; do
    for key in FileDescription ProductName LegalCopyright "$(sed -n 's/^project(Quorvel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"; do
        LC_ALL=C grep -qaP "$(utf16 "$key")" "$exe" || { echo "$exe has no $key in its version" >&2; exit 1; }
    done
done
echo "version resources: quorvel.exe, quorvel-cli.exe and the setup"

# The Windows tool answers a batch with the Linux tool's very bytes, where that one is built.
linux_cli=build/quorvel-cli
if [ -x "$linux_cli" ]; then
    input="$(mktemp)"
    awk 'BEGIN {
        split("31 28 31 30 31 30 31 31 30 31 30 31", days, " ")
        for (y = 1901; y <= 2100; y++)
            for (m = 1; m <= 12; m++)
                for (d = 1; d <= days[m] + (m == 2 && y % 4 == 0 && y != 2100); d += 3)
                    printf "%04d-%02d-%02d %d %s\n", y, m, d, (y * 7 + d) % 24, ((y + d) % 2 ? "male" : "female")
        print "1900-12-31 5 male"; print "2101-01-01 5 male"; print "2000-02-30 1 male"
        print "2000-01-01 24 female"; print "x"; print ""; print "2000-01-01 1 other"
    }' >"$input"
    for flags in "" "--sjis"; do
        # shellcheck disable=SC2086
        cmp <("$linux_cli" chart --json --batch $flags <"$input") \
            <("$WINE" build-windows/quorvel-cli.exe chart --json --batch $flags <"$input") ||
            { echo "quorvel-cli.exe answers differently ($flags)" >&2; exit 1; }
    done
    echo "quorvel-cli.exe: $(wc -l <"$input") batch lines answered as the Linux tool does (UTF-8 and --sjis)"
    rm -f "$input"
fi

bash tools/test_windows_console.sh build-windows

# One QUORVEL.DB for both systems: each system's store test reads the file the other one wrote.
linux_store_tests=build/tests/store_tests
if [ -x "$linux_store_tests" ]; then
    exchange="$(mktemp -d)"
    only=--gtest_filter=Store.AFileWrittenOnTheOtherSystemReads
    # exchange_store WRITER READER: the test of the first system writes, that of the second reads.
    exchange_store() {
        local folder="$exchange/$1" system output
        mkdir "$folder"
        for system in "$1" "$2"; do
            if [ "$system" = linux ]; then
                output="$(QUORVEL_STORE_EXCHANGE="$folder" "$linux_store_tests" "$only")" || true
            else
                output="$(QUORVEL_STORE_EXCHANGE="Z:$folder" "$WINE" \
                    build-windows/tests/store_tests.exe "$only")" || true
            fi
            grep -q '^\[       OK \]' <<<"$output" && [ -s "$folder/QUORVEL.DB" ] || {
                echo "$output" >&2
                echo "QUORVEL.DB from $1 fails on $system" >&2
                exit 1
            }
        done
    }
    exchange_store linux windows
    exchange_store windows linux
    rm -rf "$exchange"
    echo "QUORVEL.DB: written on either system, read on the other"
fi

echo "== windows installer"
bash tools/test_windows_installer.sh build-windows
