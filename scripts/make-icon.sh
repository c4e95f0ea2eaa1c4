#!/usr/bin/env bash
# Makes app/win/zicha.ico from app/zicha.svg (rendered by Qt's SVG plugin, packed by ImageMagick).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake --build --preset linux --target render_icon >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$root/build/linux/tools/render_icon" "$root/app/zicha.svg" "$work/icon-" 16 32 48 64
convert "$work/icon-16.png" "$work/icon-32.png" "$work/icon-48.png" "$work/icon-64.png" "$root/app/win/zicha.ico"
