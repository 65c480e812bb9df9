# Runs a filter of the GUI tests on an X server (Xvfb) with real message
# boxes, every key and click going through the server: once without a
# window manager, once with twm. Sourced by the *_real_display.sh checks.
# With VANTIX_SHOT_DIR set, tests save their screens in its no-wm/ and twm/
# folders.
# run_real_display BUILD FILTER: exit status 77 when nothing can be run.
run_real_display() {
    local build=$1 filter=$2
    local tests=$build/tests/vantix_gui_tests
    command -v xvfb-run >/dev/null || { echo "xvfb-run missing"; return 77; }
    command -v xdotool >/dev/null || { echo "xdotool missing"; return 77; }
    [ -x "$tests" ] || { echo "no GUI tests built"; return 77; }
    # The X platform's D-Bus client keeps a buffer to the end; leaks of our
    # own code are checked by the offscreen suite.
    export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
    export QT_QPA_PLATFORM=xcb
    local screen=(-s "-screen 0 1280x1024x24")
    local status=0 shots=${VANTIX_SHOT_DIR:-}

    echo "== no window manager"
    VANTIX_SHOT_DIR=${shots:+$shots/no-wm} xvfb-run -a "${screen[@]}" "$tests" \
        --gtest_filter="$filter" --gtest_brief=1 || status=1

    if ! command -v twm >/dev/null; then
        echo "== with a window manager: skipped, twm is not installed (scripts/setup-deps.sh installs it)"
        return $status
    fi
    echo "== twm"
    local twmrc
    twmrc=$(mktemp)
    # Windows go where the program puts them, without asking the user; the
    # server's built-in font, since Xvfb may have no other.
    printf '%s\n' 'RandomPlacement' 'UsePPosition "on"' 'NoGrabServer' 'TitleFont "fixed"' \
        'ResizeFont "fixed"' 'MenuFont "fixed"' 'IconFont "fixed"' 'IconManagerFont "fixed"' >"$twmrc"
    # shellcheck disable=SC2016
    xvfb-run -a "${screen[@]}" bash -c '
        # In the C locale twm asks for one plain font, not a Unicode font set.
        LC_ALL=C twm -f "$1" & wm=$!
        sleep 1
        kill -0 $wm 2>/dev/null || { echo "twm did not start"; exit 1; }
        VANTIX_SHOT_DIR=${4:+$4/twm} VANTIX_WINDOW_MANAGER=twm "$2" --gtest_filter="$3" \
            --gtest_brief=1; rc=$?
        kill $wm
        exit $rc' _ "$twmrc" "$tests" "$filter" "$shots" || status=1
    rm -f "$twmrc"
    return $status
}
