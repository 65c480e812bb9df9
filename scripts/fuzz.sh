#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for
# SECONDS (default 60). Fails on the first finding; the crashing input is kept
# under build-fuzz/artifacts/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${VANTIX_FUZZ_BUILD_DIR:-$root/build-fuzz}
generator=()
if command -v ninja >/dev/null 2>&1 && [ ! -f "$build/Makefile" ]; then generator=(-G Ninja); fi

CC=clang CXX=clang++ cmake -S "$root" -B "$build" "${generator[@]}" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTIX_BUILD_FUZZ=ON -DVANTIX_BUILD_GUI=OFF \
  -DVANTIX_BUILD_TESTS=OFF -DVANTIX_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz_number_input fuzz_shift_jis

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$build/artifacts"
for target in number_input shift_jis; do
  # New inputs go to the work corpus in the build tree; the seeds stay as committed.
  work="$build/corpus/$target"
  mkdir -p "$work"
  echo "== fuzz_$target for ${seconds}s"
  "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$target-" "$work" "$root/fuzz/corpus/$target" \
    2>"$build/fuzz_$target.log" || {
    tail -n 40 "$build/fuzz_$target.log" >&2
    echo "fuzz_$target: finding, see $build/artifacts/" >&2
    exit 1
  }
  grep -E '^(stat::number_of_executed_units|Done)' "$build/fuzz_$target.log" || true
done
