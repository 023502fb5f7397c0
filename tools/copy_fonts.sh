#!/usr/bin/env bash
# Copies the game's two fonts out of their Debian packages into Resources/Fonts,
# each with its licence beside it.
#   Resources/Fonts/ShadowsIntoLight.ttf  <- "Rufscript" handwriting font (fonts-rufscript,
#                                            GPL 3 or later with the font exception)
#   Resources/Fonts/Inconsolata.otf       <- Inconsolata (fonts-inconsolata, SIL OFL 1.0)
# The game asks for the handwriting font by the file name ShadowsIntoLight.ttf; the font
# itself is unmodified Rufscript, only the file is named so. Its digits read clearly at the
# game's 24 and 32 points (a "0" is no "U", a "2" no "Z").
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

copy_font fonts-rufscript /usr/share/fonts/truetype/rufscript/Rufscript010.ttf ShadowsIntoLight.ttf \
  "Rufscript (version 010), by Hiran Venugopalan" GPL-3
copy_font fonts-inconsolata /usr/share/fonts/truetype/inconsolata/Inconsolata.otf Inconsolata.otf \
  "Inconsolata, by Raph Levien"
