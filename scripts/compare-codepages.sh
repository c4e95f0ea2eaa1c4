#!/usr/bin/env bash
# Compares the code-page tables of the Linux build with kernel32's under Wine. Fails on any
# difference that docs/codepage-differences.md does not list.
#   compare-codepages.sh LINUX_CPDUMP WINDOWS_CPDUMP_EXE
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wine-prefix}" WINEDEBUG="${WINEDEBUG:--all}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$1" > "$work/linux.txt"
wine "$2" > "$work/windows.txt" 2>/dev/null
# Keys whose values differ.
join -t'|' -j1 <(sed 's/: /|/' "$work/linux.txt" | sort -t'|' -k1,1) <(sed 's/: /|/' "$work/windows.txt" | sort -t'|' -k1,1) |
  awk -F'|' '$2 != $3 { print $1 }' | sort > "$work/differ.txt"
sed -n '/^```$/,/^```$/p' "$root/docs/codepage-differences.md" | grep -v '^```$' | sort > "$work/listed.txt"
unlisted=$(comm -23 "$work/differ.txt" "$work/listed.txt")
gone=$(comm -13 "$work/differ.txt" "$work/listed.txt")
echo "code pages: $(wc -l < "$work/linux.txt") entries compared, $(wc -l < "$work/differ.txt") differ, all listed: $([ -z "$unlisted" ] && echo yes || echo no)"
[ -z "$gone" ] || echo "code pages: listed but no longer different: $gone"
if [ -n "$unlisted" ]; then
  echo "code pages: unlisted differences (Linux | Windows):"
  while IFS= read -r k; do
    echo "  $(grep -F -x -m1 "$k: $(sed -n "s/^$k: //p" "$work/linux.txt")" "$work/linux.txt") | $(sed -n "s/^$k: //p" "$work/windows.txt")"
  done <<< "$unlisted"
  exit 1
fi
