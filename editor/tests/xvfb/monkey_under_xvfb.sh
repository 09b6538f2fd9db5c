#!/bin/sh
# A monkey drives the real Editor-Linux under Xvfb (monkey.py): the journey's kit copy, a copy of the example
# game as its home, SECONDS of seeded random keys, text, clicks, menus, pastes and dialog answers. It holds
# when the editor stayed up and answering, nothing changed outside the game's copy and the kit copy's
# Config.cfg and Version.txt (the examples it was copied from are watched too), and no process of a build
# outlived the editor.
# Usage: monkey_under_xvfb.sh KIT_FOLDER EXAMPLES_FOLDER [SCREENSHOT.png] [SECONDS] [SEED]
set -eu

here=$(cd "$(dirname "$0")" && pwd)
. "$here/helpers.sh"
begin_journey "$0" "$@"
seconds=${4:-60}
seed=${5:-48}

copy_example Skyward "$work/Skyward"
status=0
TZ_TEST_BUILD="$mark" TZ_MONKEY_WATCH="$examples" python3 "$here/monkey.py" "$kit" "$work/Skyward" "$seconds" \
    "$seed" "$work/monkey.log" || status=$?
if [ -n "$screenshot" ]; then
    mkdir -p "$(dirname "$screenshot")"
    cp "$work/monkey.log" "${screenshot%.png}.log"
    [ ! -f "$work/monkey-finding.png" ] || cp "$work/monkey-finding.png" "$screenshot"
fi
if [ "$status" != 0 ]; then
    echo "The editor's output:"
    tail -n 40 "$work/editor.out" || true
    fail "the monkey found what is above (seed $seed)"
fi
within 10 none_marked || fail "processes of the editor's builds outlived it by 10 s: $(marked)"
