#!/usr/bin/env bash
# On a Japanese desktop (ja_JP.UTF-8, where the font database names the
# families in Japanese) the log, its printout and the dialogs use the same
# fonts as under C.UTF-8: the font tests and the dialog layout tests pass
# there too, and a printed log embeds the same families in both.
# Argument 1: the build folder.
set -uo pipefail
build=${1:?build folder}
tests=$build/tests/vantix_gui_tests
vantix=$build/vantix
[ -x "$tests" ] && [ -x "$vantix" ] || { echo "no GUI built"; exit 77; }
locale -a 2>/dev/null | grep -qix 'ja_JP.utf8' ||
    { echo "no ja_JP.UTF-8 locale (scripts/setup-deps.sh makes it)"; exit 77; }
command -v pdffonts >/dev/null || { echo "pdffonts missing"; exit 77; }
command -v iconv >/dev/null || { echo "iconv missing"; exit 77; }
export QT_QPA_PLATFORM=offscreen
status=0
fail() { echo "FAIL: $*"; status=1; }

LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$tests" --gtest_brief=1 \
    --gtest_filter='ShellFonts.*:DialogUnits.*:*CalculatorLayout*' || fail "tests under ja_JP"
# At 200 % the main window still opens within the screen.
QT_SCALE_FACTOR=2 "$tests" --gtest_brief=1 --gtest_filter='*OpensWithinTheScreen*' ||
    fail "the main window at 200 %"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '　　　　　***** π型アッテネータの計算 *****\r\n　　　　　R1= 109.57Ω（１本）\r\n' |
    iconv -f UTF-8 -t CP932 >"$work/log.txt"
for loc in C.UTF-8 ja_JP.UTF-8; do
    LANG=$loc LC_ALL=$loc "$vantix" --print-to-pdf "$work/$loc.pdf" "$work/log.txt" ||
        fail "--print-to-pdf under $loc"
    pdffonts "$work/$loc.pdf" | awk 'NR > 2 { print $1 }' | sed 's/^[A-Z]\{6\}+//' |
        sort -u >"$work/$loc.fonts"
done
cmp -s "$work/C.UTF-8.fonts" "$work/ja_JP.UTF-8.fonts" ||
    fail "the PDFs embed different fonts: $(tr '\n' ' ' <"$work/C.UTF-8.fonts") / $(tr '\n' ' ' <"$work/ja_JP.UTF-8.fonts")"
grep -qx 'IPAGothic' "$work/ja_JP.UTF-8.fonts" ||
    fail "the log is not printed in IPAGothic under ja_JP: $(tr '\n' ' ' <"$work/ja_JP.UTF-8.fonts")"
exit $status
