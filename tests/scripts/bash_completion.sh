#!/usr/bin/env bash
# Tab completion for vantix-calc as bash runs it: the script the program
# writes is sourced, and each case sets COMP_WORDS the way readline would.
set -u
build=${1:?build directory}
calc=$build/vantix-calc
[ -x "$calc" ] || { echo "skip: no $calc"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; failed=1; }
failed=0

"$calc" --completion bash >"$work/vantix-calc.bash" || { echo "FAIL: --completion bash" >&2; exit 1; }
bash -n "$work/vantix-calc.bash" || { echo "FAIL: the script does not parse" >&2; exit 1; }

# Offers for a command line whose last word is being completed, one a line.
offers() {
  (cd "$work" && bash -c '
    source "$1"; shift
    COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _vantix_calc
    [ ${#COMPREPLY[@]} -eq 0 ] || printf "%s\n" "${COMPREPLY[@]}"' _ "$work/vantix-calc.bash" "$@")
}

# expect "offers, one a line" word...
expect() {
  local want=$1 got
  shift
  got=$(offers "$@")
  [ "$got" = "$want" ] || fail "vantix-calc ${*:2}: got [$(echo $got)], want [$(echo $want)]"
}

common=$'--time\n--append\n--encoding\n--json\n--help'
touch "$work/log.txt" "$work/my log.txt"
mkdir "$work/logs"

expect $'toroid\ntoroid-search\ntoroid-winding' vantix-calc to
expect $'--help\n--version' vantix-calc --
expect $'--core\n--turns\n--inductance\n'"$common" vantix-calc toroid --
expect $'T-50-41\nT-50-15\nT-50-12\nT-50-10\nT-50-6\nT-50-3\nT-50-2\nT-50-1\nT-50-0' \
  vantix-calc toroid --core T-50-
expect $'41\n43' vantix-calc toroid-search --material 4
expect $'FT-114\nFT-82\nFT-50\nFT-37\nFT-23' vantix-calc toroid-search --inductance 10 --size FT-
expect $'utf-8\ncp932' vantix-calc pi --encoding ''
expect $'log.txt\nlogs' vantix-calc pi --append lo
expect 'my log.txt' vantix-calc pi --append my
expect '' vantix-calc pi --impedance ''
expect '' vantix-calc pi --time ''
expect '' vantix-calc no-such-calculator --
# An option already given is not offered again; vantix-calc would refuse it.
expect $'--attenuation\n--time\n--encoding\n--json\n--help' \
  vantix-calc pi --impedance 50 --append log.txt --

# The designers' values: a core, the words of a choice, files for exports.
expect $'FT-82-75\nFT-82-72\nFT-82-63\nFT-82-61\nFT-82-43' vantix-calc toroid-winding --core FT-82
expect $'pi\nt\nbridged-t' vantix-calc attenuator --impedance 50 --topology ''
expect $'E12\nE192' vantix-calc attenuator --series E1
expect $'chebyshev\ncohn' vantix-calc xtal-filter --response c
expect $'log.txt\nlogs' vantix-calc xtal-filter --spice lo
expect 'my log.txt' vantix-calc xtal-filter --bandwidth 2.4 --csv my
# Gauge numbers are typed, not offered (47 bare numbers say nothing of the wire).
expect '' vantix-calc aircoil-winding --awg ''
# xtal-sort's list file: offered wherever it may stand, until it is given.
expect $'log.txt\nlogs' vantix-calc xtal-sort lo
expect $'log.txt\nlogs' vantix-calc xtal-sort --crystals 6 lo
expect $'log.txt\nlogs' vantix-calc xtal-sort --json --append my\ log.txt lo
expect $'--crystals\n'"$common" vantix-calc xtal-sort -
expect $'--crystals\n'"$common" vantix-calc xtal-sort log.txt ''
expect '' vantix-calc xtal-sort log.txt lo
expect '' vantix-calc pi lo

# Every calculator the usage lists, with every option its help lists: new
# calculators need no change here.
calculators=$("$calc" | sed -n '/^計算:/,/^$/{s/^  \([a-z][a-z0-9-]*\) .*/\1/p}')
[ -n "$calculators" ] || fail "no calculators in the usage"
expect "$calculators"$'\n--help\n--version' vantix-calc ''
for c in $calculators; do
  own=$("$calc" "$c" --help | sed -n 's/^  \(--[a-z][a-z0-9-]*\).*/\1/p')
  expect "$own"$'\n'"$common" vantix-calc "$c" --
  # An option whose value name lists its choices offers them.
  while read -r option choices; do
    expect "${choices//|/$'\n'}" vantix-calc "$c" "$option" ''
  done < <("$calc" "$c" --help | sed -n 's/^  \(--[a-z][a-z0-9-]*\) \([^ |]*|[^ ]*\).*/\1 \2/p')
  # A calculator that takes a file offers files where the options go.
  if "$calc" "$c" --help | head -n1 | grep -q ' FILE$'; then
    expect $'log.txt\nlogs' vantix-calc "$c" lo
  fi
done

[ $failed -eq 0 ] || exit 1
echo "bash completion: ok ($(echo $calculators | wc -w) calculators)"
