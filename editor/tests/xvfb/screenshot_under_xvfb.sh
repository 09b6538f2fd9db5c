#!/bin/sh
# The picture program under Xvfb: with a project opened and compiled, it writes a new PNG of the main
# window, painted (screen.py check: its size and its colours).
# Usage: screenshot_under_xvfb.sh PROGRAM PROJECT.tbp PICTURE.png
set -eu
here=$(cd "$(dirname "$0")" && pwd)
rm -f "$3"
sh "$here/../../../testing/with-display.sh" "$1" --project "$2" "$3"
[ -s "$3" ] || { echo "FAILED: no picture $3"; exit 1; }
python3 "$here/screen.py" check "$3" || { echo "FAILED: $3 is not a painted window"; exit 1; }
