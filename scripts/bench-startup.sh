#!/usr/bin/env bash
# Time from process start to the window shown (mapped on a virtual display), zicha against a
# minimal Qt 6 window program, 11 alternating runs each, medians; then the 4 MiB answer timing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake --preset bench >/dev/null && cmake --build --preset bench >/dev/null
display=:$((80 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 0.5

# Seconds until a window named $1 is viewable, for the program $2.
shown() {
  local name=$1 start end pid
  start=$(date +%s.%N)
  "$2" >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 2000); do
    xdotool search --onlyvisible --name "$name" >/dev/null 2>&1 && break
    sleep 0.002
  done
  end=$(date +%s.%N)
  kill $pid; wait $pid 2>/dev/null || true
  echo "$end - $start" | bc -l
}
ours=(); theirs=()
for _ in $(seq 11); do
  ours+=("$(shown '数据泄露自查' "$root/build/bench/app/qt/zicha")")
  theirs+=("$(shown 'minimal-qt-window' "$root/build/bench/bench/minimal_qt_window")")
done
median() { printf '%s\n' "$@" | sort -g | sed -n 6p; }
m1=$(median "${ours[@]}"); m2=$(median "${theirs[@]}")
printf 'window shown: zicha %.3f s, minimal Qt window %.3f s, ratio %.2fx (target at most 1.5x)\n' "$m1" "$m2" "$(echo "$m1 / $m2" | bc -l)"
"$root/build/bench/bench/set_text_bench" 2>/dev/null
