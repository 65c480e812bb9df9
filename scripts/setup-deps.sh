#!/usr/bin/env bash
# Installs the Debian 12 packages Vantix needs to build, run and test.
# Idempotent: packages already present are left alone, and apt is only
# consulted when something is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-translations-l10n
  qt6-qpa-plugins libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-ipafont-gothic
  clang clang-format libclang-rt-14-dev
  xvfb xauth xdotool x11-utils imagemagick poppler-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then SUDO="sudo"; else
    echo "setup: need root (or sudo) to install: ${missing[*]}" >&2; exit 1
  fi
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
