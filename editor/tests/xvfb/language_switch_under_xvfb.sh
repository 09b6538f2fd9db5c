#!/bin/sh
# The real Editor-Linux under Xvfb, driven with xdotool: a language switch writes no tab's text into
# another file. A copy of the example game with a Java class of the game's name written by hand beside
# it: the project chosen in the tree, Project > Compiler > J2ME, a line typed into the game's tab, F4. The
# suite is built from the hand-written class, which stays byte for byte; the game's tab keeps its name
# and its edit goes to the game's source only; the execution copy stays as shipped. Then Project >
# Compiler > Tesvo Zorid, another line and Save: again only the game's source takes it.
# Usage: language_switch_under_xvfb.sh KIT_FOLDER EXAMPLES_FOLDER [SCREENSHOT.png]
set -eu

here=$(cd "$(dirname "$0")" && pwd)
. "$here/helpers.sh"
begin_journey "$0" "$@"

# Project > Compiler, then its entry $1 (1 Tesvo Zorid, 2 J2ME).
choose_language() {
    open_menu 3
    # The menu opens on Compile; past Execute the Compiler submenu opens on its first entry.
    xdotool key Down Down Right
    [ "$1" = 2 ] && xdotool key Down
    xdotool key Return
    sleep 0.5
}

# A click into the code view, Ctrl+End, and the text $1 typed there.
type_at_end() {
    xdotool mousemove 700 500 click 1 key ctrl+End
    xdotool type --delay 20 "$1"
    sleep 0.3
}

project=$work/Skyward
copy_example Skyward "$project"
cat >"$project/Skyward.java" <<'JAVA'
package Game;

import javax.microedition.midlet.MIDlet;

// Written by hand: the project's Java road builds it as it is.
public class Skyward extends MIDlet {
    protected void startApp() {}
    protected void pauseApp() {}
    protected void destroyApp(boolean unconditional) {}
}
JAVA
cp "$project/Skyward.java" "$work/Skyward.java.mine"
# The game's source as the editor will have written it after each edit.
{ cat "$examples/Skyward/Skyward.bss"; printf 'REM one'; } >"$work/Skyward.bss.one"
{ cat "$work/Skyward.bss.one"; printf 'REM two'; } >"$work/Skyward.bss.two"

start_editor "$kit" "$project"
choose_project
choose_language 2
type_at_end "REM one"
compile_and_wait
grep -q '^Platform=J2ME' "$project/Skyward.tbp" || fail "the project was not compiled as Java"
[ -s "$project/Skyward.jad" ] || fail "no suite after the build"
cmp "$project/Skyward.java" "$work/Skyward.java.mine" || fail "the hand-written Skyward.java changed"
cmp "$project/Skyward.bss" "$work/Skyward.bss.one" || fail "the game's tab was not written to its own file"
cmp "$project/SkywardX.bss" "$examples/Skyward/SkywardX.bss" || fail "the execution copy changed"
"$kit/jdk/bin/jar" tf "$project/Skyward.jar" | grep -q 'Game/Skyward.class' || fail "the suite holds no Game/Skyward.class"
if [ -n "$screenshot" ]; then
    mkdir -p "$(dirname "$screenshot")"
    python3 "$here/screen.py" png "$screenshot"
fi

# Back in the game's language, an edit and Save: the tab goes on writing the game's source only.
choose_language 1
type_at_end "REM two"
xdotool key ctrl+s
within 10 cmp "$project/Skyward.bss" "$work/Skyward.bss.two" || fail "Save did not write the game's source"
grep -q '^Platform=TB' "$project/Skyward.tbp" || fail "the project was not saved in the game's language"
cmp "$project/Skyward.java" "$work/Skyward.java.mine" || fail "Save changed Skyward.java"
cmp "$project/SkywardX.bss" "$examples/Skyward/SkywardX.bss" || fail "Save changed the execution copy"
alive || fail "the editor died"
end_editor
echo "The language switched both ways and each tab wrote only its own file."
