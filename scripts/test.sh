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
mkdir -p "$BUILD_DIR/test-artifacts"
xvfb-run -a -s "-screen 0 1600x1200x24 +extension GLX +render -noreset" \
  ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$(nproc)" --timeout 600
