#!/usr/bin/env bash
# The whole-session check (all six calculators into one saved log) in real
# windows on an X server, as a user sees them. Argument 1: the build folder.
set -uo pipefail
build=${1:?build folder}
tests=$build/tests/vantix_gui_tests
command -v xvfb-run >/dev/null || { echo "xvfb-run missing"; exit 77; }
[ -x "$tests" ] || { echo "no GUI tests built"; exit 77; }
# The X platform's D-Bus client keeps a buffer to the end; leaks of our own
# code are checked by the offscreen suite.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb \
    "$tests" --gtest_filter='AllCalculatorsSession.*' --gtest_brief=1
