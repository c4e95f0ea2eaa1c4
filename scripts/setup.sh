#!/usr/bin/env bash
# Installs every Debian package in scripts/packages.txt that is missing and prepares a quiet Wine
# prefix. Safe to run again: it installs nothing that is already there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mapfile -t wanted < <(grep -v -e '^#' -e '^[[:space:]]*$' "$here/packages.txt")

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# A Wine prefix that is booted once here, so tests never pay for its creation.
"$here/wine-server.sh" init
