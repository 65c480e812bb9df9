#!/usr/bin/env bash
# Installs what is missing, makes a Release build in build-release/ (or
# $VANTIX_PACKAGE_BUILD_DIR) and packs it as vantix_<version>_<arch>.deb there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VANTIX_PACKAGE_BUILD_DIR:-$root/build-release}
"$root/scripts/setup-deps.sh"
VANTIX_BUILD_DIR=$build "$root/scripts/build.sh" -DCMAKE_BUILD_TYPE=Release \
  -DVANTIX_BUILD_TESTS=OFF -DVANTIX_BUILD_BENCH=OFF -DVANTIX_SANITIZE=OFF
rm -f "$build"/vantix_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/vantix_*.deb
