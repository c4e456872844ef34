#!/usr/bin/env bash
# Builds the Debian package, installs it with apt, checks that both programs and their files are
# in place, and removes it again, checking that nothing is left. Needs root (or sudo).
set -euo pipefail
cd "$(dirname "$0")/.."

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

bash tools/setup.sh lintian
cmake --preset default >/dev/null
cmake --build --preset default
rm -f build/quorvel_*.deb
(cd build && cpack -G DEB >/dev/null)
package=$(ls build/quorvel_*.deb)
echo "== $package"
dpkg-deb --field "$package" Package Version Depends Installed-Size
echo "package size: $(stat -c %s "$package") bytes"

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# Debian's own checker: an error fails, and so does a warning, since every one we had is mended.
findings=$(lintian --pedantic "$package" 2>&1 | grep -v 'running with root privileges' || true)
[ -z "$findings" ] || echo "$findings"
if grep -qE '^[EW]: ' <<<"$findings"; then
    fail "lintian finds errors or warnings"
fi

export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get install -y -qq "./$package" >/dev/null
files=(/usr/bin/quorvel /usr/bin/quorvel-cli /usr/bin/quorvel-start /usr/share/quorvel/Quorvel.HLP
       /usr/share/applications/quorvel.desktop /usr/share/icons/hicolor/scalable/apps/quorvel.svg
       /usr/share/metainfo/quorvel.metainfo.xml /usr/share/doc/quorvel/copyright
       /usr/share/doc/quorvel/changelog.gz)
for size in 16 22 24 32 48 64 128 256; do
    files+=("/usr/share/icons/hicolor/${size}x${size}/apps/quorvel.png")
done
for program in quorvel quorvel-cli quorvel-start; do
    files+=("/usr/share/man/man1/$program.1.gz")
done
for f in "${files[@]}"; do
    [ -e "$f" ] || fail "$f is not installed"
done
version=$(cd / && quorvel-cli --version) || fail "quorvel-cli --version does not run from the PATH"
echo "installed: $version"
(cd / && quorvel-cli judge 甲子 乙丑 >/dev/null) || fail "quorvel-cli judge does not run"
man -l /usr/share/man/man1/quorvel-cli.1.gz 2>/dev/null | grep -q 'quorvel-cli chart' ||
    fail "the manual page of quorvel-cli lacks its commands"

"${sudo_cmd[@]}" apt-get remove -y -qq quorvel >/dev/null
for f in "${files[@]}"; do
    [ ! -e "$f" ] || fail "$f is left after removal"
done
dpkg-query -W -f='${Status}' quorvel 2>/dev/null | grep -q "install ok installed" &&
    fail "the package is still installed"
echo "package installs, runs and uninstalls cleanly"
