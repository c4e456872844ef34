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
dpkg-deb --field "$package" Package Version Depends

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get install -y -qq "./$package" >/dev/null
files=(/usr/bin/quorvel /usr/bin/quorvel-cli /usr/bin/quorvel-start /usr/share/quorvel/Quorvel.HLP
       /usr/share/applications/quorvel.desktop /usr/share/icons/hicolor/scalable/apps/quorvel.svg
       /usr/share/icons/hicolor/32x32/apps/quorvel.png)
for f in "${files[@]}"; do
    [ -e "$f" ] || fail "$f is not installed"
done
version=$(cd / && quorvel-cli --version) || fail "quorvel-cli --version does not run from the PATH"
echo "installed: $version"
(cd / && quorvel-cli judge 甲子 乙丑 >/dev/null) || fail "quorvel-cli judge does not run"

"${sudo_cmd[@]}" apt-get remove -y -qq quorvel >/dev/null
for f in "${files[@]}"; do
    [ ! -e "$f" ] || fail "$f is left after removal"
done
dpkg-query -W -f='${Status}' quorvel 2>/dev/null | grep -q "install ok installed" &&
    fail "the package is still installed"
echo "package installs, runs and uninstalls cleanly"
