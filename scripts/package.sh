#!/usr/bin/env bash
# Builds a release of Tessaly and its Debian package, tessaly_<version>_amd64.deb,
# in build-package/ (or the folder given), then checks it as check-package.sh
# does: contents, the unpacked program, its menu entry, metadata and manual
# page, and lintian.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-package}
"$root/scripts/install-deps.sh" --package
# Debian's hardening flags, as a package built by its own tools gets them.
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS
"$root/scripts/build.sh" "$build" -DCMAKE_BUILD_TYPE=Release -DTESSALY_BUILD_TESTS=OFF -DTESSALY_BUILD_BENCH=OFF
rm -f "$build"/tessaly_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/tessaly_*_amd64.deb)
"$root/scripts/check-package.sh" "$deb"
echo "package.sh: $deb"
