#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VANTIX_BUILD_DIR:-$root/build}
"$root/scripts/setup-deps.sh"
"$root/scripts/build.sh" "$@"
cd "$build"
ctest --output-on-failure -j"$(nproc)" --timeout 300
