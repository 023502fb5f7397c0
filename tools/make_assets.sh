#!/usr/bin/env bash
# Re-makes every game asset under Resources/ and checks the result.
# Uses Debian's own Python (/usr/bin/python3), where python3-pil, python3-numpy and
# python3-scipy are installed by scripts/setup.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/copy_fonts.sh
/usr/bin/python3 tools/make_images.py
/usr/bin/python3 tools/make_skin.py
/usr/bin/python3 tools/make_sounds.py
/usr/bin/python3 tools/check_assets.py
