#!/usr/bin/env bash
# Installs what the Windows build needs on Debian 12 (about 1.1 GB) besides what tools/setup.sh
# installs; installs nothing already there.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh \
    g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64 \
    wine64 fonts-wine nsis googletest locales fonts-ipafont-gothic \
    tcl
