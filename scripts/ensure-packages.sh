#!/usr/bin/env bash
# Installs the Debian packages of scripts/packages.list that are missing.
# Usage: ensure-packages.sh [--fuzz]
# As root it runs apt-get; otherwise it prints the one apt-get line and fails.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
want_fuzz=0
[ "${1:-}" = "--fuzz" ] && want_fuzz=1

wanted=()
while IFS= read -r line; do
  line=${line%%#*}
  line=$(echo "$line" | xargs)
  [ -z "$line" ] && continue
  if [[ $line == fuzz:* ]]; then
    [ $want_fuzz = 1 ] || continue
    line=$(echo "${line#fuzz:}" | xargs)
  fi
  wanted+=("$line")
done < "$here/packages.list"

missing=()
for pkg in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing Debian packages. Install them with:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
