#!/bin/sh
# The real Editor-Linux under Xvfb, driven with xdotool as a user drives it (no window manager: windows
# sit where Qt puts them). Two journeys:
#  1. A copy of the example game: its project file chosen in the project tree (found by the tree's colour
#     for project files), Continue, a click into the code view, F4. The build writes and deletes files
#     beside the chosen project file while it stays chosen: no dialog may open from that, the editor stays
#     alive, the sources stay byte for byte and the suite is built. Then File, Exit.
#  2. A moved kit whose javac never ends: F4 on the small example, then File, Exit while javac runs. Within
#     10 s no process of that build may be left.
# Usage: editor_under_xvfb.sh KIT_FOLDER EXAMPLES_FOLDER [SCREENSHOT.png]
set -eu

if [ -z "${TZ_UNDER_XVFB:-}" ]; then
    TZ_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" "$@"
fi

kit=$1
examples=$2
screenshot=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
editor=""
trap 'if [ -n "$editor" ]; then kill "$editor" 2>/dev/null || true; fi; rm -rf "$work"' EXIT

fail() {
    echo "FAILED: $*"
    if [ -n "$screenshot" ]; then
        python3 "$here/screen.py" png "${screenshot%.png}-failed.png" || true
        echo "The screen at the failure: ${screenshot%.png}-failed.png"
    fi
    exit 1
}

# Runs the command until it succeeds, every tenth of a second, for at most $1 seconds.
within() {
    seconds=$1
    shift
    tries=$((seconds * 10))
    while ! "$@" >/dev/null 2>&1; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

alive() {
    kill -0 "$editor" 2>/dev/null
}

shown() {
    xdotool search --onlyvisible --name "^$1\$"
}

gone() {
    ! shown "$1" >/dev/null
}

# Starts the editor of kit $1 with $2 as its home, the folder its project tree shows; further arguments
# are set in its environment.
start_editor() {
    editor_kit=$1
    home=$2
    shift 2
    mkdir -p "$work/run"
    env HOME="$home" XDG_RUNTIME_DIR="$work/run" "$@" "$editor_kit/Editor-Linux" >"$work/editor.out" 2>&1 &
    editor=$!
    within 30 shown "Tesvo Zorid Editor" || fail "the editor's window did not show"
}

# Chooses the project file in the tree, the one entry in the project file's colour, and continues.
choose_project() {
    within 30 sh -c "python3 '$here/screen.py' find 220,245,220 400 | grep ." || fail "no project file in the tree"
    set -- $(python3 "$here/screen.py" find 220,245,220 400)
    xdotool mousemove "$1" "$2" click 1
    within 10 shown "Open Project" || fail "choosing the project file did not ask to open it"
    # The dialog's focus starts on Cancel; the next button is Continue.
    xdotool key Tab space
    within 10 gone "Open Project" || fail "the Open Project dialog stayed"
}

# File, Exit (its last entry), and Yes to "Are you sure you wish to quit?".
end_editor() {
    xdotool mousemove 20 8 click 1
    sleep 0.5
    xdotool key Up Return
    sleep 1
    xdotool key y
    within 10 sh -c "! kill -0 $editor 2>/dev/null" || fail "File, Exit did not end the editor"
    wait "$editor" || fail "the editor ended with status $?"
    editor=""
}

# Journey 1.
project=$work/Skyward
cp -r "$examples/Skyward" "$project"
start_editor "$kit" "$project"
choose_project
xdotool mousemove 700 500 click 1 key F4
tries=1200
while [ ! -f "$project/Skyward.jad" ]; do
    alive || fail "the editor died during the build"
    gone "Open Project" || fail "the build's files opened the Open Project dialog"
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || fail "no suite after two minutes"
    sleep 0.1
done
# The tree follows the build's last files.
for _ in 1 2 3 4 5 6 7 8 9 10; do
    gone "Open Project" || fail "the build's files opened the Open Project dialog"
    sleep 0.1
done
alive || fail "the editor died after the build"
cmp "$project/Skyward.bss" "$examples/Skyward/Skyward.bss" || fail "the main source changed"
cmp "$project/SkywardX.bss" "$examples/Skyward/SkywardX.bss" || fail "the execution copy is not the shipped one"
for backup in "$project"/*.bak; do
    cmp "$backup" "$examples/Skyward/Skyward.bss" || fail "the backup $backup is not the source"
done
[ -s "$project/Skyward.jar" ] || fail "no jar"
if [ -n "$screenshot" ]; then
    mkdir -p "$(dirname "$screenshot")"
    python3 "$here/screen.py" png "$screenshot"
fi
end_editor

# Journey 2.
moved=$work/kit
cp -r "$kit" "$moved"
printf '%s\n%s\n%s\n\n' "$moved/jdk/bin/" "$moved/wtk/" "$moved/" >"$moved/Config.cfg"
started=$work/javac-started
printf '#!/bin/sh\necho $$ > "%s"\nexec sleep 300\n' "$started" >"$moved/jdk/bin/javac"
chmod +x "$moved/jdk/bin/javac"
project=$work/Hello
cp -r "$examples/Hello" "$project"
mark=$$-$(date +%s%N)
# The processes whose environment carries this run's mark, zombies aside.
marked() {
    for environment in $(grep -l -z -x "TZ_TEST_BUILD=$mark" /proc/[0-9]*/environ 2>/dev/null); do
        process=${environment%/environ}
        state=$(sed 's/.*) //' "$process/stat" 2>/dev/null | cut -c1)
        [ -n "$state" ] && [ "$state" != Z ] && echo "${process#/proc/} $(tr '\0' ' ' <"$process/cmdline")"
    done
    return 0
}
start_editor "$moved" "$project" TZ_TEST_BUILD="$mark"
choose_project
xdotool mousemove 700 500 click 1 key F4
within 60 test -s "$started" || fail "the build never reached javac"
within 10 sh -c "[ \$(grep -l -z -x 'TZ_TEST_BUILD=$mark' /proc/[0-9]*/environ 2>/dev/null | wc -l) -ge 4 ]" ||
    fail "the editor, the compiler, the build program and javac were not all seen: $(marked)"
end_editor
tries=100
while [ -n "$(marked)" ]; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || fail "processes of the build outlived the editor by 10 s: $(marked)"
    sleep 0.1
done
echo "The editor chose, compiled and ended as a user drives it."
