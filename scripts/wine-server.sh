#!/usr/bin/env bash
# Keeps one Wine server alive for a test run. Started detached from the caller's terminal and pipes:
# Wine's background services inherit open descriptors, and CTest would otherwise wait on them.
#   init   create and boot the prefix if it does not exist yet
#   start  start a persistent server and boot the prefix
#   stop   stop the server
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wine-prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win64
mkdir -p "$(dirname "$WINEPREFIX")"

boot() {
  setsid wineserver -p </dev/null >/dev/null 2>&1 || true
  setsid wineboot -i </dev/null >/dev/null 2>&1 || true
}
case "${1:-}" in
  init)  [ -f "$WINEPREFIX/system.reg" ] || { boot; wineserver -k </dev/null >/dev/null 2>&1 || true; } ;;
  start) boot ;;
  stop)  wineserver -k </dev/null >/dev/null 2>&1 || true ;;
  *) echo "usage: $0 init|start|stop" >&2; exit 2 ;;
esac
