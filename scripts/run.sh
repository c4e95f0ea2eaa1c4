#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the program and runs it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh
cmake --preset linux
cmake --build --preset linux
echo "zicha: the window is not built yet; the toolkit and codecs are (see scripts/test.sh)."
