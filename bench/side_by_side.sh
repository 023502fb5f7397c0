#!/usr/bin/env bash
# Runs bench_drawing beside the peer framework's drawing workloads (package `love`, which the
# project never installs: `apt-get install -y love` on your own machine), interleaved scene
# by scene over several rounds (ours, peer, ours, peer, ...), and prints the medians of the
# rounds and their ratios. The machine is shared and noisy, so only ratios of medians taken
# in one run mean anything; the load average is printed before and after.
#
#   bash bench/side_by_side.sh [build-dir] [rounds] [frames]
#
# Defaults: build, 5 rounds, 300 measured frames per run. PEER_BENCH names the folder of the
# peer's workloads (default: shared/peer-bench beside the repository).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${1:-build}"
ROUNDS="${2:-5}"
FRAMES="${3:-300}"
PEER_BENCH="${PEER_BENCH:-$(pwd)/../shared/peer-bench}"
BENCH="$BUILD_DIR/bench/bench_drawing"

if ! command -v love >/dev/null 2>&1; then
  echo "The peer (love) is not installed; install it with: apt-get install -y love" >&2
  exit 2
fi
if [ ! -f "$PEER_BENCH/main.lua" ]; then
  echo "No peer workloads in $PEER_BENCH; set PEER_BENCH" >&2
  exit 2
fi
if [ ! -x "$BENCH" ]; then
  echo "No $BENCH; build first" >&2
  exit 2
fi
# One virtual X server for the whole run.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1600x1200x24" bash "$0" "$@"
fi
export ALSOFT_DRIVERS=null LIBGL_ALWAYS_SOFTWARE=1

# Scene name in bench_drawing, the peer's workload (empty: none), the row's label.
SCENES=(
  "textured 32-pixel|BENCH=sprites N=10000 SIZE=32|10,000 textured 32-pixel sprites"
  "textured 2-pixel|BENCH=sprites N=10000 SIZE=2|10,000 textured 2-pixel sprites"
  "text actors|BENCH=textchange N=1000|1,000 text actors, strings changed each frame"
  "turning|BENCH=sprites N=10000 SIZE=32|10,000 32-pixel sprites turning, some across the edge"
)

RESULTS="$(mktemp)"
trap 'rm -f "$RESULTS"' EXIT

# Prints "ours raw" for the scene: the last two figures before the ratio on its row.
ours_and_raw() {
  "$BENCH" --frames "$FRAMES" "$1" 2>/dev/null | grep -F "$2" | awk '{print $(NF-2), $(NF-1)}'
}

# Prints the peer's median frame in milliseconds.
peer() {
  env $1 FRAMES="$FRAMES" love "$PEER_BENCH" 2>/dev/null | sed -n 's/.* med_ms=\([0-9.]*\).*/\1/p'
}

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
for round in $(seq 1 "$ROUNDS"); do
  for entry in "${SCENES[@]}"; do
    IFS='|' read -r word workload label <<<"$entry"
    read -r ours raw <<<"$(ours_and_raw "$word" "$label")"
    peer_ms="$(peer "$workload")"
    echo "$label|$ours|$raw|${peer_ms:-0}" >>"$RESULTS"
    echo "round $round: $label: ours $ours ms, raw $raw ms, peer ${peer_ms:-?} ms" >&2
  done
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"

echo
printf '%-54s %9s %9s %9s %10s %9s\n' "scene (median of $ROUNDS rounds, ms per frame)" ours raw peer ours/peer ours/raw
for entry in "${SCENES[@]}"; do
  IFS='|' read -r word workload label <<<"$entry"
  median() { grep -F "$label|" "$RESULTS" | cut -d'|' -f"$1" | sort -g | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
  ours="$(median 2)"
  raw="$(median 3)"
  peer_ms="$(median 4)"
  awk -v l="$label" -v o="$ours" -v r="$raw" -v p="$peer_ms" \
    'BEGIN {printf "%-54s %9.2f %9.2f %9.2f %10.2f %9.2f\n", l, o, r, p, (p > 0 ? o / p : 0), (r > 0 ? o / r : 0)}'
done
echo "The turning scene has no peer of its own: its peer figure is the peer's axis-aligned 32-pixel sprites."
