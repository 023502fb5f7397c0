#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for FUZZ_SECONDS
# (default 60). What a run finds is kept in build-fuzz/fuzz-corpus/<name>/: each run starts by
# merging that corpus with the seeds in fuzz/corpus/<name>/ (keeping only the inputs that add
# coverage), then fuzzes on, so later runs go on where earlier ones stopped. A crash, or an
# input that runs longer than 25 s (a hang), fails the run and prints the input that caused it.
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
# The console and text targets draw in the World's window: every target runs on a virtual X
# server of its own with Mesa, silent sound and the test run's leak suppressions, with Mesa's
# driver preloaded as scripts/test.sh does for the sanitizer build (it says why). The targets
# answer a request for memory they can't have with null on their own
# (cmake/AsanDefaultOptions.cpp).
export ALSOFT_DRIVERS=null
export LIBGL_ALWAYS_SOFTWARE=1
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp:print_suppressions=0}"
export LD_PRELOAD="/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so${LD_PRELOAD:+:$LD_PRELOAD}"
export ASAN_OPTIONS="$ASAN_OPTIONS:verify_asan_link_order=0"
on_display() { tests/support/with_display.sh "$@"; }
failed=0
# Merges the kept corpus $corpus and the seed files into the smallest set of inputs that
# covers as much, which becomes the kept corpus. A merge that fails keeps the corpus as it was.
merge_corpus() {
  rm -rf "$work/merged"
  mkdir -p "$work/merged"
  if on_display "$BUILD_DIR/fuzz/fuzz_$name" -merge=1 -timeout=25 -close_fd_mask=2 "$work/merged" "$corpus" \
       fuzz/corpus/"$name" >"$work/merge.log" 2>&1; then
    rm -rf "$corpus"
    mv "$work/merged" "$corpus"
  else
    echo "merging the kept corpus failed (log: $work/merge.log); fuzzing on the corpus as it was"
    cp -n fuzz/corpus/"$name"/* "$corpus/"
  fi
}

for name in "${targets[@]}"; do
  work="$PWD/$BUILD_DIR/fuzz-work/$name"
  corpus="$PWD/$BUILD_DIR/fuzz-corpus/$name"
  rm -rf "$work"
  mkdir -p "$work/artifacts" "$corpus"
  merge_corpus
  echo "== fuzz_$name: ${SECONDS_PER_TARGET} s from $(find "$corpus" -type f | wc -l) inputs"
  # Standard error is closed for the target itself (its warnings would flood the log);
  # the fuzzer's own report and the sanitizers' still come through. New inputs that reach
  # new code are written into the kept corpus.
  if on_display "$BUILD_DIR/fuzz/fuzz_$name" "$corpus" -max_total_time="$SECONDS_PER_TARGET" \
       -timeout=25 -close_fd_mask=2 -print_final_stats=1 -artifact_prefix="$work/artifacts/" 2>"$work/log"; then
    grep -E '^stat::number_of_executed_units|^Done ' "$work/log" || true
    echo "kept corpus: $(find "$corpus" -type f | wc -l) inputs in $corpus"
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
