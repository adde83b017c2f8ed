#!/usr/bin/env bash
# Builds the Debian package of Corvale in a fresh build-package/: a Release build without tests,
# with Debian's hardening flags, packed by cpack. Prints where the package is and how to
# install it.
#   scripts/package.sh           build the package
#   scripts/package.sh --check   also check it: lintian (no error allowed), the launcher with
#                                desktop-file-validate, the AppStream metadata with appstreamcli
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --packaging

dir=build-package
rm -rf "$dir"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DCORVALE_TESTS=OFF -DCORVALE_BENCH=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)"
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/corvale_*.deb)

if [ "${1:-}" = "--check" ]; then
    tree=$(mktemp -d)
    trap 'rm -rf "$tree"' EXIT
    dpkg-deb -x "$deb" "$tree"
    echo "== desktop-file-validate"
    desktop-file-validate "$tree"/usr/share/applications/*.desktop
    echo "== appstreamcli validate"
    appstreamcli validate --no-net "$tree"/usr/share/metainfo/*.metainfo.xml
    echo "== lintian"
    # Warnings are shown; an error fails.
    lintian --fail-on error "$deb"
fi

echo "The package is $PWD/$deb"
echo "Install it with:  sudo apt install ./$deb"
