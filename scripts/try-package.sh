#!/usr/bin/env bash
# Builds the Debian package in a clean clone of the committed tree (scripts/package.sh --check),
# installs it with apt, tries the installed programs as a user would, and removes it again.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --packaging
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

# Always the same folder, so that ccache knows the compilations of the last run.
clone="${TMPDIR:-/tmp}/corvale-package-clone"
rm -rf "$clone"
git clone -q . "$clone"
bash "$clone/scripts/package.sh" --check
deb=$(ls "$clone"/build-package/corvale_*.deb)

work=$(mktemp -d)
remove() {
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get remove -y -qq corvale >/dev/null
}
trap 'remove 2>/dev/null || true; rm -rf "$work" "$clone"' EXIT
echo "== installing $(basename "$deb")"
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "$deb" >/dev/null

echo "== corvale --version"
version=$(corvale --version)
echo "$version"
[ "$version" = "corvale $(dpkg-deb -f "$deb" Version)" ]

echo "== a folder that is not there"
status=0
corvale "$work/missing" 2>/dev/null || status=$?
[ "$status" -eq 2 ]

echo "== corvale-scan on a sample poem"
corvale-scan --version
mkdir "$work/scanned"
corvale-scan -o "$work/scanned" /usr/share/corvale/samples/sonnet18/sonnet18-poem.txt
test -s "$work/scanned/sonnet18-poem.scansion.txt"
test -s "$work/scanned/sonnet18-poem.scansion.meter.txt"

echo "== corvale-export of the scan"
corvale-export --version
corvale-export --format tei "$work/scanned/sonnet18-poem.scansion.txt"
test -s "$work/scanned/sonnet18-poem.scansion.tei.xml"

echo "== corvale-profile of the scan"
corvale-profile --version
corvale-profile "$work/scanned/sonnet18-poem.scansion.txt" | grep -q '^verse lines'

echo "== corvale --check-start on a new home"
home="$work/home"
mkdir "$home"
HOME="$home" QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" timeout 60 corvale --check-start
for file in sonnet18.txt meter.txt RememberEarlierRun.txt; do
    cmp "$home/Corvale/$file" "/usr/share/corvale/samples/sonnet18/$file"
done
# The second start finds its folder and its memory file.
HOME="$home" QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" timeout 60 corvale --check-start

echo "== removing the package"
remove
if dpkg-query -W -f='${Status}' corvale 2>/dev/null | grep -q "ok installed" || [ -e /usr/bin/corvale ]; then
    echo "corvale is still installed" >&2
    exit 1
fi
echo "package: built, installed, tried and removed"
