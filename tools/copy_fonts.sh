#!/usr/bin/env bash
# Copies the game's two fonts out of their Debian packages into Resources/Fonts,
# each with its licence beside it.
#   Resources/Fonts/ShadowsIntoLight.ttf  <- "Breip" handwriting font (fonts-breip, SIL OFL 1.0)
#   Resources/Fonts/Inconsolata.otf       <- Inconsolata (fonts-inconsolata, SIL OFL 1.0)
# The game asks for the handwriting font by the file name ShadowsIntoLight.ttf; the font
# itself is unmodified Breip, only the file is named so.
set -euo pipefail
cd "$(dirname "$0")/.."

FONTS=Resources/Fonts
mkdir -p "$FONTS"

copy_font() {
  local package=$1 source=$2 target=$3 title=$4
  if [ ! -f "$source" ]; then
    echo "ERROR: $source is missing; install the Debian package $package" >&2
    exit 1
  fi
  install -m 0644 "$source" "$FONTS/$target"
  local licence="$FONTS/${target%.*}.LICENSE.txt"
  {
    echo "$FONTS/$target is the font \"$title\", copied unmodified from"
    echo "$source in the Debian 12 package $package"
    echo "(version $(dpkg-query -W -f='${Version}' "$package"))."
    echo "It is distributed under the licence below, from /usr/share/doc/$package/copyright."
    echo
    cat "/usr/share/doc/$package/copyright"
  } > "$licence"
  echo "wrote $FONTS/$target and $licence"
}

copy_font fonts-breip /usr/share/fonts/truetype/breip/Breip.ttf ShadowsIntoLight.ttf \
  "Breip (Medium), by Adam Breipohl and Alan Hussey"
copy_font fonts-inconsolata /usr/share/fonts/truetype/inconsolata/Inconsolata.otf Inconsolata.otf \
  "Inconsolata, by Raph Levien"
