#!/usr/bin/env bash
# A bad value in every calculator dialog and wizard, then Enter, Tab or a
# click on OK, with real message boxes and every key and click going through
# an X server (Xvfb): once without a window manager, once with twm. The
# dialogs are the list in tests/dialogs/CalculatorDialogs.h.
# Argument 1: the build folder; argument 2 (optional): one dialog's name
# from that list, e.g. PiAttenuator. With VANTIX_SHOT_DIR set, the screen
# after each refused value is saved in its no-wm/ and twm/ folders.
set -uo pipefail
# shellcheck source=lib/real_display.sh
source "$(dirname "$0")/lib/real_display.sh"
run_real_display "${1:?build folder}" "Calculators/RealDisplayKeyboard.*/${2:-*}_*"
