#!/usr/bin/env bash
# The vantix-calc program itself: exit statuses, which stream gets what, and a
# standard output that cannot be written.
set -u
build=${1:?build directory}
calc=$build/vantix-calc
[ -x "$calc" ] || { echo "skip: no $calc"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$calc" >"$work/out" 2>"$work/err"; rc=$?
[ $rc -eq 0 ] || fail "no arguments: exit $rc"
grep -q -- '--append' "$work/out" || fail "no arguments: usage missing from stdout"
[ -s "$work/err" ] && fail "no arguments: stderr not empty"

[ "$("$calc" --version)" = "vantix-calc 1.3.0.1" ] || fail "--version"

"$calc" no-such-calculator >"$work/out" 2>"$work/err"; rc=$?
[ $rc -eq 2 ] || fail "unknown calculator: exit $rc"
[ -s "$work/out" ] && fail "unknown calculator: stdout not empty"
grep -q 'no-such-calculator' "$work/err" || fail "unknown calculator: not named on stderr"

if [ -w /dev/full ]; then
  "$calc" --version >/dev/full 2>"$work/err"; rc=$?
  [ $rc -eq 1 ] || fail "writing to a full device: exit $rc"
  [ -s "$work/err" ] || fail "writing to a full device: no message"
fi
echo "vantix-calc: ok"
