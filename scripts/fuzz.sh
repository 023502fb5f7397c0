#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for FUZZ_SECONDS
# (default 60), starting from its seeds in fuzz/corpus/<name>/. A crash, or an input that
# runs longer than 25 s (a hang), fails the run and prints the input that caused it.
#   bash scripts/fuzz.sh            every target
#   bash scripts/fuzz.sh bindings   one target
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_PER_TARGET="${FUZZ_SECONDS:-60}"
BUILD_DIR=build-fuzz

CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARVO_FUZZ=ON \
  -DZARVO_BUILD_TESTS=OFF -DZARVO_BUILD_BENCH=OFF >/dev/null

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for source in fuzz/*_fuzz.cpp; do
    name=$(basename "$source" _fuzz.cpp)
    targets+=("$name")
  done
fi
cmake --build "$BUILD_DIR" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
failed=0
for name in "${targets[@]}"; do
  work="$PWD/$BUILD_DIR/fuzz-work/$name"
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/artifacts"
  cp fuzz/corpus/"$name"/* "$work/corpus/"
  echo "== fuzz_$name: ${SECONDS_PER_TARGET} s"
  # Standard error is closed for the target itself (its warnings would flood the log);
  # the fuzzer's own report and the sanitizers' still come through.
  if "$BUILD_DIR/fuzz/fuzz_$name" "$work/corpus" -max_total_time="$SECONDS_PER_TARGET" \
       -timeout=25 -close_fd_mask=2 -print_final_stats=1 -artifact_prefix="$work/artifacts/" 2>"$work/log"; then
    grep -E '^stat::number_of_executed_units|^Done ' "$work/log" || true
  else
    failed=1
    tail -n 60 "$work/log"
    for input in "$work"/artifacts/*; do
      [ -e "$input" ] || continue
      echo "-- input that failed fuzz_$name ($input), as bytes:"
      od -A d -c "$input" | head -n 40
    done
  fi
done
exit $failed
