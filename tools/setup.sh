#!/usr/bin/env bash
# Installs what Quorvel needs to build, test and run on Debian 12, and any packages named as
# arguments (tools/test_package.sh asks for lintian); installs nothing already there.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev liberfa-dev libxml2-dev libsqlite3-dev
    clang libclang-rt-14-dev
    qt6-base-dev qt6-translations-l10n fonts-ipafont-gothic
    xvfb x11-apps x11-utils imagemagick xauth xdotool
    strace help2man
    # The desktop hands reports to xdg-open; the report's test prints it with the browser.
    xdg-utils chromium
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    # Without --no-install-recommends apt pulls in GTK and Mesa upgrades Quorvel does not need,
    # and for Wine the 32-bit Wine and a desktop integration the build does not use.
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
