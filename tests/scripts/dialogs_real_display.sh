#!/usr/bin/env bash
# Runs the dialog checks that need a real X server (a real message box, the
# window as the X server shows it, a dialog opened from a dialog) under Xvfb.
# Argument 1: the build folder.
set -uo pipefail
build=${1:?build folder}
tests=$build/tests/vantix_gui_tests
command -v xvfb-run >/dev/null || { echo "xvfb-run missing"; exit 77; }
[ -x "$tests" ] || { echo "no GUI tests built"; exit 77; }
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
# The X platform's D-Bus client keeps a buffer to the end; leaks of our own
# code are checked by the offscreen suite.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb VANTIX_SHOT_DIR="$shots" \
    "$tests" --gtest_filter='RealMessageBox.*:Calculators/CalculatorLayout.*:XtalFilterDlgTest.*' --gtest_brief=1
