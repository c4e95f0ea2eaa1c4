#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the program and the lookup service, imports the demo
# data, starts the service on 127.0.0.1:80 (the program's endpoint has no port), runs the program
# and stops the service when the window closes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release

build=build/release
sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"  # port 80 needs root
"$build/server/zicha-server" import --db "$build/demo-leaks.db" server/data/demo-leaks.csv
$sudo "$build/server/zicha-server" --db "$build/demo-leaks.db" --listen 127.0.0.1:80 &
service=$!
trap '$sudo kill -TERM $service 2>/dev/null || true; wait $service 2>/dev/null || true' EXIT
for _ in $(seq 50); do (exec 3<>/dev/tcp/127.0.0.1/80) 2>/dev/null && break; sleep 0.1; done

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display; showing the window on a virtual one (xvfb-run)" >&2
  xvfb-run -a "$build/app/qt/zicha"
else
  "$build/app/qt/zicha"
fi
