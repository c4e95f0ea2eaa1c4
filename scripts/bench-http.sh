#!/usr/bin/env bash
# HttpRequest against curl on a 64 MiB answer from a local nginx, in the same run: the median
# wall time of 9 alternating runs of each (whole processes), and HttpRequest's peak memory
# against the body size. curl writes to /dev/null; HttpRequest must hold the body, so the time
# of merely holding 64 MiB in memory is measured in the same run as well.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake --preset bench >/dev/null && cmake --build --preset bench --target http_fetch >/dev/null
work=$(mktemp -d)
source "$root/scripts/bench-lib.sh"
trap 'stop_static_nginx "$work"; rm -rf "$work"' EXIT
mkdir -p "$work/www"
head -c $((64 << 20)) /dev/urandom > "$work/www/body.bin"
port=$(free_port)
start_static_nginx "$work" "$port"
url="http://127.0.0.1:$port/body.bin"
for _ in 1 2 3; do curl -s -o /dev/null "$url"; done  # warm the page cache

seconds() { local s e; s=$(date +%s.%N); "$@" > "$work/out"; e=$(date +%s.%N); echo "$e - $s" | bc -l; }
ours=(); theirs=(); hold=()
for _ in $(seq 9); do
  ours+=("$(seconds "$root/build/bench/bench/http_fetch" "$url")")
  theirs+=("$(seconds curl -s -o /dev/null "$url")")
  hold+=("$(seconds "$root/build/bench/bench/http_fetch" --hold $((64 << 20)))")
done
read -r size rss < <("$root/build/bench/bench/http_fetch" "$url")
median() { printf '%s\n' "$@" | sort -g | sed -n 5p; }
m1=$(median "${ours[@]}"); m2=$(median "${theirs[@]}"); m3=$(median "${hold[@]}")
printf 'body: %d bytes\n' "$size"
printf 'HttpRequest: %.3f s   curl: %.3f s   ratio: %.2fx (target at most 1.25x)\n' "$m1" "$m2" "$(echo "$m1 / $m2" | bc -l)"
printf 'holding 64 MiB in memory alone (no network): %.3f s = %.2fx curl\n' "$m3" "$(echo "$m3 / $m2" | bc -l)"
printf 'peak memory: %.1f MiB = %.2fx the body (target at most 2.5x)\n' "$(echo "$rss / 1024" | bc -l)" "$(echo "$rss * 1024 / $size" | bc -l)"
