#!/usr/bin/env bash
# Renders the application icon's PNG sizes from zqremote.svg into icons/.
# Run after changing the SVG and commit the PNGs (the build does not need
# an SVG renderer). Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "icons/${size}x${size}"
    rsvg-convert -w "$size" -h "$size" zqremote.svg -o "icons/${size}x${size}/zqremote.png"
done
