#!/usr/bin/env bash
# Plays the real game on a virtual X server and keeps three pictures of it for the README:
#   docs/skarrow_start_screen.png  the start screen
#   docs/skarrow_shipyard.png      the shipyard of a tech race, after one upgrade
#   docs/skarrow_battle.png        the battle that follows, a broadside under way
# Usage: bash tools/make_screenshots.sh [build directory, default build]
# Needs the built game and Xvfb, xdotool and ImageMagick (all installed by scripts/setup.sh).
# Enemies spawn at random, so each run shows another battle.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${1:-build}

if [ -z "${ZARVO_SCREENSHOT_DISPLAY:-}" ]; then
  # On an X server of its own, as the tests run.
  exec env ZARVO_SCREENSHOT_DISPLAY=1 bash tests/support/with_display.sh bash "$ROOT/tools/make_screenshots.sh" "$@"
fi

case "$BUILD" in
  /*) GAME="$BUILD/skarrow" ;;
  *) GAME="$ROOT/$BUILD/skarrow" ;;
esac
if [ ! -x "$GAME" ]; then
  echo "ERROR: $GAME is missing; build the game first (bash scripts/setup.sh)" >&2
  exit 1
fi

# The game reads Resources and Config from a "bits" folder and writes its own files beside
# it; a scratch folder keeps those out of the source tree.
SANDBOX=$(mktemp -d /tmp/skarrow-shots-XXXXXX)
mkdir "$SANDBOX/bits"
ln -s "$ROOT/Resources" "$SANDBOX/bits/Resources"
ln -s "$ROOT/Config" "$SANDBOX/bits/Config"
LOG="$SANDBOX/game.log"
GAME_PID=""
cleanup() {
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null
  rm -rf "$SANDBOX"
}
trap cleanup EXIT

(cd "$SANDBOX" && exec env ALSOFT_DRIVERS=null LIBGL_ALWAYS_SOFTWARE=1 "$GAME" >"$LOG" 2>&1) &
GAME_PID=$!

WINDOW=""
for _ in $(seq 1 200); do
  WINDOW=$(xdotool search --name "^Zarvo Engine$" 2>/dev/null | head -n1 || true)
  [ -n "$WINDOW" ] && break
  sleep 0.1
done
if [ -z "$WINDOW" ]; then
  echo "ERROR: the game's window did not open; its log:" >&2
  cat "$LOG" >&2
  exit 1
fi

# Waits for the game to log a change of state, such as "tech race -> shipyard".
wait_for_state() {
  for _ in $(seq 1 300); do
    grep -q "Game state: $1" "$LOG" && return 0
    sleep 0.1
  done
  echo "ERROR: the game never logged \"Game state: $1\"; its log:" >&2
  cat "$LOG" >&2
  exit 1
}

# The window's picture, written under docs/ (drawing is slow under software OpenGL, so
# each shot waits for a few frames first).
shot() {
  sleep "${2:-1.5}"
  import -window "$WINDOW" -strip "PNG24:$ROOT/docs/$1.png"
  echo "wrote docs/$1.png"
}

click() {
  xdotool mousemove --window "$WINDOW" "$1" "$2" click 1
  sleep 0.3
}

wait_for_state "none -> start screen"
shot skarrow_start_screen 3

# "Tech Race Mode" opens the shipyard before the first fight; one velocity upgrade.
click 512 634
wait_for_state "tech race -> shipyard"
click 612 334
xdotool mousemove --window "$WINDOW" 900 700
shot skarrow_shipyard

# Where an enemy's hull shows near the player's ship in the middle of the window: the middle
# of its planks' pixels, or nothing while none is that close.
enemy_in_sight() {
  import -window "$WINDOW" "$SANDBOX/look.png"
  /usr/bin/python3 - "$SANDBOX/look.png" <<'PY'
import sys
from PIL import Image
img = Image.open(sys.argv[1]).convert("RGB")
w, h = img.size
xs, ys = [], []
px = img.load()
for y in range(0, h, 4):
    for x in range(0, w, 4):
        # The player's hull: 75 pixels from the centre at most.
        if (x - w // 2) ** 2 + (y - h // 2) ** 2 < 85 ** 2:
            continue
        r, g, b = px[x, y]
        if 60 < r < 215 and r - g > 28 and g - b > 20:
            xs.append(x)
            ys.append(y)
if len(xs) > 80:
    x, y = sum(xs) // len(xs), sum(ys) // len(ys)
    # Close by, where it stays on its way to the player's flank.
    if (x - w // 2) ** 2 + (y - h // 2) ** 2 < 300 ** 2:
        print(x, y)
PY
}

# "Close" starts the fight: wait for the enemy to close in (it makes for the player's flank
# once within 25 units), then aim at it and fire the broadside and the mini cannons.
click 612 534
wait_for_state "shipyard -> tech race"
target="700 300"
for _ in $(seq 1 40); do
  if grep -q "Game state: tech race -> end screen" "$LOG"; then
    echo "ERROR: the player's ship sank before a picture was taken; run the script again" >&2
    exit 1
  fi
  seen=$(enemy_in_sight)
  if [ -n "$seen" ]; then
    target=$seen
    break
  fi
  sleep 0.5
done
xdotool mousemove --window "$WINDOW" $target click 3 click 1
shot skarrow_battle 0.5
