#!/usr/bin/env bash
# zicha-server with 1,000,000 imported records: the import time; lookups per second and p99
# latency at 64 connections on loopback (wrk), against nginx serving a static answer of the same
# size in the same run; and the service's peak memory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake --preset release >/dev/null && cmake --build --preset release >/dev/null
server="$root/build/release/server/zicha-server"
work=$(mktemp -d)
source "$root/scripts/bench-lib.sh"
cleanup() {
  [ -n "${service:-}" ] && kill "$service" 2>/dev/null || true
  stop_static_nginx "$work"
  rm -rf "$work"
}
trap cleanup EXIT

awk 'BEGIN { print "address,leak name,date,data kinds";
  split("星光商城 云端相册 在线课堂 健康打卡 Example_Forum", leak, " ");
  for (i = 0; i < 1000000; i++)
    printf "user%d@example.com,%s,20%02d-%02d-%02d,邮箱、密码\n", i % 400000, leak[i % 5 + 1], 15 + i % 10, 1 + i % 12, 1 + i % 28 }' \
  > "$work/leaks.csv"
start=$(date +%s.%N)
"$server" import --db "$work/leaks.db" "$work/leaks.csv" >/dev/null
end=$(date +%s.%N)
printf 'import of 1,000,000 records: %.1f s (%d records stored)\n' "$(echo "$end - $start" | bc -l)" \
  "$(sqlite3 "$work/leaks.db" 'SELECT COUNT(*) FROM leaks')"

port=$(free_port)
"$server" --db "$work/leaks.db" --listen "127.0.0.1:$port" --rate 0 >/dev/null &
service=$!
for _ in $(seq 50); do (exec 3<>/dev/tcp/127.0.0.1/$port) 2>/dev/null && break; sleep 0.1; done
body="data=$(printf 'user12345@example.com' | base64 -w0 | base64 -w0)"
curl -s -X POST --data-binary "$body" "http://127.0.0.1:$port/index.php" > "$work/answer.txt"
cat > "$work/post.lua" <<LUA
wrk.method = "POST"
wrk.body = "$body"
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
LUA

mkdir -p "$work/www"
cp "$work/answer.txt" "$work/www/answer.txt"
nport=$(free_port)
start_static_nginx "$work" "$nport"

run_wrk() { wrk -t2 -c64 -d10s --latency "$@" 2>/dev/null; }
ours=$(run_wrk -s "$work/post.lua" "http://127.0.0.1:$port/index.php")
theirs=$(run_wrk "http://127.0.0.1:$nport/answer.txt")
rate() { awk '/Requests\/sec/ { print $2 }' <<< "$1"; }
p99() { awk '$1 == "99%" { print $2 }' <<< "$1"; }
r1=$(rate "$ours"); r2=$(rate "$theirs")
printf 'answer size: %d bytes\n' "$(wc -c < "$work/answer.txt")"
printf 'zicha-server: %s lookups/s, p99 %s\n' "$r1" "$(p99 "$ours")"
printf 'nginx static: %s requests/s, p99 %s\n' "$r2" "$(p99 "$theirs")"
printf 'zicha-server / nginx: %.0f%% (target at least 30%%)\n' "$(echo "100 * $r1 / $r2" | bc -l)"
printf 'service peak memory: %s\n' "$(awk '/VmHWM/ { print $2, $3 }' "/proc/$service/status")"
