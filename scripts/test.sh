#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds both targets and runs every test: the Linux tests
# under AddressSanitizer and UndefinedBehaviorSanitizer, the Windows tests under Wine, and the
# comparison of the two code-page layers.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh

cmake --preset linux
cmake --build --preset linux
ctest --preset linux

cmake --preset windows
cmake --build --preset windows
ctest --preset windows

scripts/compare-codepages.sh build/linux/tools/cpdump build/windows/tools/cpdump.exe
scripts/compare-http-wire.sh build/linux/http/tests/wire_dump build/windows/http/tests/wire_dump.exe
