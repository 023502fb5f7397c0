#!/usr/bin/env bash
# Copies the game's two fonts out of their Debian packages into Resources/Fonts,
# each with its licence beside it.
#   Resources/Fonts/ShadowsIntoLight.ttf  <- "Because We Connect" handwriting font (fonts-bwht,
#                                            SIL OFL 1.1)
#   Resources/Fonts/Inconsolata.otf       <- Inconsolata (fonts-inconsolata, SIL OFL 1.0)
# The game asks for the handwriting font by the file name ShadowsIntoLight.ttf; the font
# itself is unmodified Because We Connect (OpenType data, which the font library reads
# whatever the file is called), only the file is named so. Its digits and letters read
# clearly at the game's 24 and 32 points, and the start screen's longest help line ends at
# x = 882 of 1024 at 24 points, inside the parchment's frame.
set -euo pipefail
cd "$(dirname "$0")/.."

FONTS=Resources/Fonts
mkdir -p "$FONTS"

copy_font() {
  local package=$1 source=$2 target=$3 title=$4 full_licence=${5:-}
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
    # A copyright file that only points at a licence among Debian's common ones gets its text.
    if [ -n "$full_licence" ]; then
      echo
      echo "The full text of $full_licence, from /usr/share/common-licenses/$full_licence:"
      echo
      cat "/usr/share/common-licenses/$full_licence"
    fi
  } > "$licence"
  echo "wrote $FONTS/$target and $licence"
}

copy_font fonts-bwht /usr/share/fonts/opentype/bwht/BecauseWeConnect-Regular.otf ShadowsIntoLight.ttf \
  "Because We Connect Regular (of the Because We Had To fonts), by Red Hat, Inc."
copy_font fonts-inconsolata /usr/share/fonts/truetype/inconsolata/Inconsolata.otf Inconsolata.otf \
  "Inconsolata, by Raph Levien"
