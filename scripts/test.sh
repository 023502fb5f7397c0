#!/usr/bin/env bash
# Runs every test headless: a virtual X server with Mesa, and OpenAL's silent output.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${1:-build}"

export ALSOFT_DRIVERS=null
export LIBGL_ALWAYS_SOFTWARE=1
# For the sanitizer build: undefined behaviour ends the test, and leaks are reported except
# for the libraries named in the suppressions file. (The engine's singletons live until the
# process ends by design; they stay reachable, so they are not leaks.)
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
run_ctest -j"$(nproc)" -E '^TechRaceRoundTripTest[.]'
run_ctest -R '^TechRaceRoundTripTest[.]'

# Each test program also passes as one process, its tests in a random order: nothing may
# depend on another test having run or not. One program at a time, so the end-to-end tests
# keep their pace; the seed is in each program's log.
# Leaks were checked test by test above. Here the engine is reset between tests, which leaves
# what a test made and never gave the engine unreachable, so the sanitizer build checks no leaks.
export ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0"
ROOT="$(pwd)"
BUILD_PATH="$(cd "$BUILD_DIR" && pwd)"
# Runs the program $name shuffled, its output in $log.
run_shuffled() { (cd "$BUILD_PATH/tests" && "$ROOT/tests/support/with_display.sh" "./$name" --gtest_shuffle "$@" >"$log" 2>&1); }
failed=0
for program in "$BUILD_PATH"/tests/*_tests; do
  [ -x "$program" ] || continue
  name="$(basename "$program")"
  log="$BUILD_PATH/test-artifacts/$name-shuffled.log"
  if ! run_shuffled; then
    # Like ctest above, a failure gets one more run, in the same order, before it counts.
    seed="$(grep -oE "seed of [0-9]+" "$log" | grep -oE "[0-9]+" || true)"
    cp "$log" "$log.first"
    echo "Run again in the same order (seed ${seed:-unknown}): $name (first log: $log.first)"
    if [ -z "$seed" ] || ! run_shuffled --gtest_random_seed="$seed"; then
      echo "FAILED as one shuffled process: $name (log: $log)"
      grep -E "Randomizing|^\[  FAILED" "$log" || true
      failed=1
    fi
  fi
done
[ "$failed" -eq 0 ] && echo "Every test program passed as one shuffled process."
exit "$failed"
