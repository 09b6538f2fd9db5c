#!/bin/sh
# Redraws the README's picture of the editor: the example game opened and compiled in a copy of the
# built kit, under a virtual display. Run from anywhere after a dev build:
#     docs/images/make-pictures.sh [build folder]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
sh "$root/testing/with-display.sh" "$build/bin/editor_screenshot" \
    --project "$root/examples/Skyward/Skyward.tbp" "$root/docs/images/editor.png"
