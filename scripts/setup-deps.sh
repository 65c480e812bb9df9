#!/usr/bin/env bash
# Installs the Debian 12 packages Vantix needs to build, run and test.
# Idempotent: packages already present are left alone, and apt is only
# consulted when something is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-translations-l10n
  qt6-charts-dev libqt6charts6 libqt6opengl6-dev
  qt6-qpa-plugins libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-ipafont-gothic
  clang clang-format libclang-rt-14-dev
  xvfb xauth xdotool x11-utils imagemagick poppler-utils twm
  locales
  # the crystal filter's netlist export is checked by simulating it
  ngspice
  # the Debian package test: dpkg-shlibdeps, the metadata validators, man page lint
  dpkg-dev file desktop-file-utils libglib2.0-bin appstream groff-base
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

# A German locale proves that report numbers never take a decimal comma; a
# Japanese one that the fonts are found under a Japanese desktop's names.
locales_wanted=(de_DE.UTF-8 ja_JP.UTF-8)
locales_missing=()
for wanted in "${locales_wanted[@]}"; do
  if ! locale -a 2>/dev/null | grep -qix "${wanted/UTF-8/utf8}"; then locales_missing+=("$wanted"); fi
done
need_locale=0
if [ ${#locales_missing[@]} -ne 0 ]; then need_locale=1; fi

if [ ${#missing[@]} -eq 0 ] && [ $need_locale -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then SUDO="sudo"; else
    echo "setup: need root (or sudo) to install: ${missing[*]}$([ $need_locale -eq 1 ] && echo " locales ${locales_missing[*]}")" >&2; exit 1
  fi
fi

if [ ${#missing[@]} -ne 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if [ $need_locale -eq 1 ]; then
  echo "setup: generating the locales ${locales_missing[*]}"
  for wanted in "${locales_missing[@]}"; do
    if grep -q "^# *$wanted UTF-8" /etc/locale.gen; then
      $SUDO sed -i "s/^# *\($wanted UTF-8\)/\1/" /etc/locale.gen
    elif ! grep -q "^$wanted UTF-8" /etc/locale.gen; then
      echo "$wanted UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
    fi
  done
  $SUDO locale-gen >/dev/null
fi
