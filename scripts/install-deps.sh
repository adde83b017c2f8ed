#!/usr/bin/env bash
# Installs the Debian 12 packages Corvale needs to build, test and run, if any are missing.
# Works as root, or as a user with sudo.
#   scripts/install-deps.sh              what building, testing and running need
#   scripts/install-deps.sh --packaging  also what building and checking the Debian package need
set -euo pipefail

packages=(build-essential cmake qt6-base-dev qt6-charts-dev qt6-svg-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-dejavu-core time
          libespeak-ng-dev espeak-ng-data libhyphen-dev hyphen-en-us)
if [ "${1:-}" = "--packaging" ]; then
    packages+=(dpkg-dev file git lintian desktop-file-utils appstream)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
