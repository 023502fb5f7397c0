#!/usr/bin/env bash
# Runs every test headless: a virtual X server with Mesa, and OpenAL's silent output.
#   bash scripts/test.sh                          every test of build/, then each test program
#                                                 as one process in an order of its own seed
#   bash scripts/test.sh build-asan               the same for the sanitizer build
#   bash scripts/test.sh build-asan 18483 [NAME]  replays an order: only the single-process
#                                                 runs, with that seed, of every program or of
#                                                 the program NAME (e.g. game_tests)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${1:-build}"
REPLAY_SEED="${2:-}"
ONLY_PROGRAM="${3:-}"
if [ -n "$REPLAY_SEED" ] && ! [[ "$REPLAY_SEED" =~ ^[0-9]+$ && "$REPLAY_SEED" -ge 1 && "$REPLAY_SEED" -le 99999 ]]; then
  echo "test.sh: the seed must be a number from 1 to 99999, not '$REPLAY_SEED'" >&2
  exit 2
fi

export ALSOFT_DRIVERS=null
export LIBGL_ALWAYS_SOFTWARE=1
# For the sanitizer build: undefined behaviour ends the test, and leaks are reported except
# for the libraries named in the suppressions file. (The engine's singletons live until the
# process ends by design; they stay reachable, so they are not leaks.)
# The sanitizer build's programs answer a request for memory they can't have with null on
# their own (cmake/AsanDefaultOptions.cpp); the options set here come on top of that.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
# Mesa unloads its driver when a program closes the X display at exit, and the blocks the
# driver's globals held would then be reported as leaks (scripts/lsan.supp says why they
# can't be suppressed): preloaded, the driver stays. ASan then no longer comes first.
if grep -q '^ZARVO_SANITIZE:BOOL=ON' "$BUILD_DIR/CMakeCache.txt" 2>/dev/null; then
  export LD_PRELOAD="/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so${LD_PRELOAD:+:$LD_PRELOAD}"
  export ASAN_OPTIONS="$ASAN_OPTIONS:verify_asan_link_order=0"
fi
mkdir -p "$BUILD_DIR/test-artifacts"
# The end-to-end game runs drop frames longer than a sixth of a second, so on a machine busy
# with the rest of the suite a battle can stall: a failed test is run once more before it
# counts, and the full battle round trip runs on its own once the rest is done.
run_ctest() {
  xvfb-run -a -s "-screen 0 1600x1200x24 +extension GLX +render -noreset" \
    ctest --test-dir "$BUILD_DIR" --output-on-failure --timeout 600 --repeat until-pass:2 "$@"
}
if [ -z "$REPLAY_SEED" ]; then
  run_ctest -j"$(nproc)" -E '^TechRaceRoundTripTest[.]'
  run_ctest -R '^TechRaceRoundTripTest[.]'
fi

# Each test program also passes as one process, its tests in a random order: nothing may
# depend on another test having run or not. One program at a time, so the end-to-end tests
# keep their pace. Each order's seed is printed, so a failing order can be replayed.
# Leaks were checked test by test above. Here the engine is reset between tests, which leaves
# what a test made and never gave the engine unreachable, so the sanitizer build checks no leaks.
export ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0"
ROOT="$(pwd)"
BUILD_PATH="$(cd "$BUILD_DIR" && pwd)"
# Runs the program $name shuffled, its output in $log.
run_shuffled() { (cd "$BUILD_PATH/tests" && "$ROOT/tests/support/with_display.sh" "./$name" --gtest_shuffle "$@" >"$log" 2>&1); }
failed=0
ran=0
for program in "$BUILD_PATH"/tests/*_tests; do
  [ -x "$program" ] || continue
  name="$(basename "$program")"
  [ -z "$ONLY_PROGRAM" ] || [ "$name" = "$ONLY_PROGRAM" ] || continue
  ran=1
  log="$BUILD_PATH/test-artifacts/$name-shuffled.log"
  seed="${REPLAY_SEED:-$(( (RANDOM * 32768 + RANDOM) % 99999 + 1 ))}"
  echo "$name as one process, shuffled with seed $seed"
  if ! run_shuffled --gtest_random_seed="$seed"; then
    # Like ctest above, a failure gets one more run, in the same order, before it counts.
    cp "$log" "$log.first"
    echo "Run again in the same order: $name (first log: $log.first)"
    if ! run_shuffled --gtest_random_seed="$seed"; then
      echo "FAILED as one shuffled process: $name (log: $log); replay: bash scripts/test.sh $BUILD_DIR $seed $name"
      grep -E "^\[  FAILED" "$log" || true
      failed=1
    fi
  fi
done
if [ "$ran" -eq 0 ]; then
  echo "test.sh: no test program ${ONLY_PROGRAM:-at all} in $BUILD_PATH/tests" >&2
  exit 2
fi
[ "$failed" -eq 0 ] && echo "Every test program passed as one shuffled process."
exit "$failed"
