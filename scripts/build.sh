#!/usr/bin/env bash
# Configures and builds Vantix into build/ (or $VANTIX_BUILD_DIR).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VANTIX_BUILD_DIR:-$root/build}
generator=()
if command -v ninja >/dev/null 2>&1 && [ ! -f "$build/Makefile" ]; then generator=(-G Ninja); fi
cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
