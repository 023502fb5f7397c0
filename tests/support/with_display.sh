#!/usr/bin/env bash
# Runs one test program on an X server of its own, so tests that open windows, send keys
# or read pixels back never see each other's windows, even when ctest runs them in parallel.
set -u
fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1600x1200x24 +extension GLX +render -nolisten tcp -noreset \
  3>"$fdfile" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 1 200); do
  [ -s "$fdfile" ] && break
  sleep 0.05
done
display=$(head -n1 "$fdfile")
rm -f "$fdfile"
if [ -z "$display" ]; then
  echo "with_display: Xvfb did not start" >&2
  kill "$xvfb_pid" 2>/dev/null
  exit 1
fi
export DISPLAY=":$display"
"$@"
status=$?
kill "$xvfb_pid" 2>/dev/null
wait "$xvfb_pid" 2>/dev/null
exit $status
