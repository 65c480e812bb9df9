#!/usr/bin/env bash
# Installs what is missing, makes a Release build in build-release/ (or
# $VANTIX_PACKAGE_BUILD_DIR) and packs it as vantix_<version>_<arch>.deb there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VANTIX_PACKAGE_BUILD_DIR:-$root/build-release}
"$root/scripts/setup-deps.sh"
# Debian's hardening flags (bindnow, fortify, stack protector, PIE) as a
# package build takes them.
hardening=()
if command -v dpkg-buildflags >/dev/null; then
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  hardening=(
    "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
    "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)"
  )
fi
VANTIX_BUILD_DIR=$build "$root/scripts/build.sh" -DCMAKE_BUILD_TYPE=Release \
  -DVANTIX_BUILD_TESTS=OFF -DVANTIX_BUILD_BENCH=OFF -DVANTIX_SANITIZE=OFF "${hardening[@]}"
rm -f "$build"/vantix_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/vantix_*.deb
