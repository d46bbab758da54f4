#!/usr/bin/env bash
# Renders the PNG sizes of the program's icon from data/icons/vexilo.svg (Debian package
# librsvg2-bin). Run after changing the drawing; the PNGs are kept in the repository.
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
for size in 16 24 32 48 64 128 256; do
  mkdir -p "${size}x${size}"
  rsvg-convert -w "$size" -h "$size" vexilo.svg -o "${size}x${size}/vexilo.png"
done
