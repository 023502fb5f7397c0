#!/usr/bin/env bash
# Installs the Debian packages the project needs, then configures and builds into build/.
# Pass ZARVO_SANITIZE=ON in the environment for an AddressSanitizer/UBSan build in build-asan/.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  cmake make g++ pkg-config
  clang libclang-rt-14-dev
  liblua5.2-dev lua-filesystem-dev lua5.2
  libbox2d-dev libglfw3-dev libftgl-dev libfreetype-dev libdevil-dev
  libgl-dev libglu1-mesa-dev libgl1-mesa-dri
  libopenal-dev libsndfile1-dev
  swig
  libx11-dev xvfb xauth xdotool x11-apps imagemagick
  zenity
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-inconsolata fonts-bwht fonts-dejavu-core
  sox libsox-fmt-all lame
  python3 python3-pil python3-numpy python3-scipy
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [ "${ZARVO_SANITIZE:-OFF}" = "ON" ]; then
  BUILD_DIR=build-asan
else
  BUILD_DIR=build
fi
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARVO_SANITIZE="${ZARVO_SANITIZE:-OFF}" \
  -DZARVO_WARNINGS_AS_ERRORS=ON
cmake --build "$BUILD_DIR" -j"$(nproc)"
