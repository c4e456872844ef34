#!/usr/bin/env bash
# Draws the program icon (resources/images/quorvel.svg) at every size the desktop's icon theme
# asks for, into resources/images/hicolor/; run it after changing the drawing.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh librsvg2-bin
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" resources/images/quorvel.svg \
        --output "resources/images/hicolor/quorvel-$size.png"
done
