#!/usr/bin/env bash
# Installs the Debian packages the build needs. As root it runs apt-get; otherwise it
# prints the exact command and fails, so nothing half-built follows.
set -eu
missing=()
for p in "$@"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
else
  echo "Missing Debian packages. Install them with:"
  echo "  sudo apt-get install -y ${missing[*]}"
  exit 1
fi
