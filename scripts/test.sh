#!/usr/bin/env bash
# Runs every test headless: a virtual X server with Mesa, and OpenAL's silent output.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${1:-build}"

export ALSOFT_DRIVERS=null
export LIBGL_ALWAYS_SOFTWARE=1
# The engine's singletons live until the process ends by design; the sanitizer build
# checks memory errors, not those.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
mkdir -p "$BUILD_DIR/test-artifacts"
xvfb-run -a -s "-screen 0 1600x1200x24 +extension GLX +render -noreset" \
  ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$(nproc)" --timeout 600
