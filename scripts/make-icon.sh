#!/usr/bin/env bash
# Renders app/zicha.svg (with Qt's SVG plugin) into the PNGs the Qt window uses (app/qt/icons,
# so the program loads no SVG code at start-up) and the Windows .ico (packed by ImageMagick).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake --build --preset linux --target render_icon >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$root/build/linux/tools/render_icon" "$root/app/zicha.svg" "$work/icon-" 16 32 48 64 128
for size in 16 32 48 64 128; do cp "$work/icon-$size.png" "$root/app/qt/icons/zicha-$size.png"; done
convert "$work/icon-16.png" "$work/icon-32.png" "$work/icon-48.png" "$work/icon-64.png" "$root/app/win/zicha.ico"
