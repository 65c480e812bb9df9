#!/usr/bin/env bash
# The log changed on disk while the user types, and the save that follows,
# with real message boxes and every key going through an X server (Xvfb):
# once without a window manager, once with twm.
# Argument 1: the build folder.
set -uo pipefail
# shellcheck source=lib/real_display.sh
source "$(dirname "$0")/lib/real_display.sh"
run_real_display "${1:?build folder}" "RealDisplayLogChange.*"
