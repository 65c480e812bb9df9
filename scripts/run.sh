#!/usr/bin/env bash
# Installs what is missing, builds, and starts Vantix with any arguments given.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-deps.sh"
"$root/scripts/build.sh"
exec "${VANTIX_BUILD_DIR:-$root/build}/vantix" "$@"
