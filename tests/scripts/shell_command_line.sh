#!/usr/bin/env bash
# Drives the vantix binary from the command line: version, printing a log to
# PDF (read back with pdftotext), and the failures that must end start-up
# with a message and a non-zero status. Argument 1: the build folder.
set -uo pipefail
build=${1:?build folder}
vantix=$build/vantix
command -v pdftotext >/dev/null || { echo "pdftotext missing"; exit 77; }
command -v iconv >/dev/null || { echo "iconv missing"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config
export QT_QPA_PLATFORM=offscreen
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

[ "$("$vantix" --version)" = "Vantix 1.3.0.1" ] || fail "--version"

printf '     ***** π型アッテネータ *****\r\n     2026/12/08 10:30\r\n　　インピーダンス  50.0Ω\r\n　　減衰量  10.0dB\r\n\r\n' |
    iconv -f UTF-8 -t CP932 >"$work/log.txt"

"$vantix" --print-to-pdf "$work/log.pdf" "$work/log.txt" || fail "--print-to-pdf exit status $?"
text=$(pdftotext -enc UTF-8 "$work/log.pdf" - 2>/dev/null)
for needle in "π型アッテネータ" "インピーダンス" "50.0Ω" "減衰量"; do
    grep -qF "$needle" <<<"$text" || fail "PDF lacks $needle"
done

# Without any display server printing must still work.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "$vantix" --print-to-pdf "$work/log2.pdf" "$work/log.txt" || fail "print without display"
[ -s "$work/log2.pdf" ] || fail "no PDF without display"

expect_failure() { # description, command...
    local what=$1
    shift
    local err
    err=$("$@" 2>&1 >/dev/null)
    local status=$?
    [ $status -ne 0 ] || fail "$what: exit status 0"
    [ -n "$err" ] || fail "$what: no message"
}

expect_failure "missing file" "$vantix" "$work/nothing.txt"
expect_failure "missing file to PDF" "$vantix" --print-to-pdf "$work/x.pdf" "$work/nothing.txt"
printf 'ab\0cd' >"$work/nul.txt"
expect_failure "NUL file" "$vantix" "$work/nul.txt"
expect_failure "PDF into a missing folder" "$vantix" --print-to-pdf "$work/no/dir/x.pdf" "$work/log.txt"
expect_failure "unknown option" "$vantix" --frobnicate

# No display: one clear line that says how to run without a desktop.
nodisplay=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$vantix" 2>&1)
status=$?
[ $status -ne 0 ] || fail "no display: exit status 0"
[ "$(wc -l <<<"$nodisplay")" -eq 1 ] || fail "no display: not one line: $nodisplay"
grep -qF "xvfb-run -a $vantix" <<<"$nodisplay" || fail "no display: no xvfb-run hint: $nodisplay"
grep -qF "画面が見つかりません" <<<"$nodisplay" || fail "no display: not in Japanese: $nodisplay"
# --print is -p: it needs no display either.
printed=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$vantix" --print "$work/log.txt" 2>&1)
grep -qF "画面が見つかりません" <<<"$printed" && fail "--print asks for a display: $printed"
if [ -z "$(lpstat -d 2>/dev/null | grep -v 'no system default')" ]; then
    expect_failure "-p without a printer" "$vantix" -p "$work/log.txt"
fi
[ -e "$work/config/Local AppWizard-Generated Applications/Vantix.conf" ] &&
    fail "printing wrote the recent-file list"

# Installation brings both programs, the menu entry and the icon.
if cmake --install "$build" --prefix "$work/inst" >/dev/null 2>&1; then
    for f in bin/vantix bin/vantix-calc share/applications/org.vantix.Vantix.desktop \
        share/icons/hicolor/scalable/apps/vantix.svg share/doc/vantix/user-guide.md; do
        [ -e "$work/inst/$f" ] || fail "install lacks $f"
    done
    desktop=$work/inst/share/applications/org.vantix.Vantix.desktop
    grep -q '^Comment=Calculator for hand-built radio-frequency circuits$' "$desktop" ||
        fail "desktop file comment"
    grep -q '^Comment\[ja\]=自作支援計算ツール$' "$desktop" || fail "desktop file Japanese comment"
    grep -q '^Keywords=' "$desktop" || fail "desktop file keywords"
    grep -q '^Exec=vantix %f$' "$desktop" || fail "desktop file Exec"
else
    fail "cmake --install"
fi

exit $((failures > 0))
