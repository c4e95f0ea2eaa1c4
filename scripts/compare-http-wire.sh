#!/usr/bin/env bash
# Sends the fixed request script of wire_dump through libcurl (Linux) and WinINet (Wine) and
# compares what the recording server received. Fails unless the difference is exactly the one
# listed in docs/http-wire-differences.diff (explained in docs/http-differences.md).
#   compare-http-wire.sh LINUX_WIRE_DUMP WINDOWS_WIRE_DUMP_EXE
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wine-prefix}" WINEDEBUG="${WINEDEBUG:--all}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
timeout 120 "$1" | tr -d '\r' > "$work/libcurl.txt"
timeout 120 wine "$2" 2>/dev/null | tr -d '\r' > "$work/wininet.txt"
diff -a "$work/libcurl.txt" "$work/wininet.txt" > "$work/differ.diff" || true
requests=$(grep -c '^==== ' "$work/libcurl.txt")
if cmp -s "$work/differ.diff" "$root/docs/http-wire-differences.diff"; then
  echo "http wire: $requests requests compared, differences as listed"
else
  echo "http wire: $requests requests compared, unlisted differences (libcurl < > WinINet):"
  diff "$root/docs/http-wire-differences.diff" "$work/differ.diff" || true
  exit 1
fi
