#!/usr/bin/env bash
# Keeps one Wine server alive for a test run. Started detached from the caller's terminal and pipes:
# Wine's background services inherit open descriptors, and CTest would otherwise wait on them.
# When DISPLAY names a local display that is not running, a virtual one (Xvfb) is started for the
# window tests and stopped with the server.
#   init   create and boot the prefix if it does not exist yet
#   start  start a persistent server (and the display) and boot the prefix
#   stop   stop the server (and the display this script started)
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
xvfb_pid="$WINEPREFIX.xvfb.pid"
start_display() {
  local n="${DISPLAY:-}"
  n="${n#:}"; n="${n%%.*}"
  [[ "$n" =~ ^[0-9]+$ ]] || return 0
  [ -e "/tmp/.X11-unix/X$n" ] && return 0
  setsid Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  echo $! > "$xvfb_pid"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
}
stop_display() {
  [ -f "$xvfb_pid" ] && kill "$(cat "$xvfb_pid")" 2>/dev/null || true
  rm -f "$xvfb_pid"
}
# Like a Chinese Windows, link the default dialog fonts to a CJK font (fonts-wqy-zenhei), so
# the window's labels render in the prefix. Done once per prefix.
configure_fonts() {
  [ -f "$WINEPREFIX/.zicha-fonts" ] && return 0
  local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
  for face in Tahoma "Microsoft Sans Serif" "MS Shell Dlg" "MS Shell Dlg 2" "Segoe UI"; do
    wine reg add "$key" /v "$face" /t REG_MULTI_SZ /d 'wqy-zenhei.ttc,WenQuanYi Zen Hei' /f </dev/null >/dev/null 2>&1 || true
  done
  touch "$WINEPREFIX/.zicha-fonts"
}
case "${1:-}" in
  init)  [ -f "$WINEPREFIX/system.reg" ] || boot; configure_fonts; wineserver -k </dev/null >/dev/null 2>&1 || true ;;
  start) start_display; boot; configure_fonts ;;
  stop)  wineserver -k </dev/null >/dev/null 2>&1 || true; stop_display ;;
  *) echo "usage: $0 init|start|stop" >&2; exit 2 ;;
esac
