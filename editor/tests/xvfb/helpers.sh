# What the Xvfb journeys share: sourced by each script after it has set $here (its folder); its
# begin_journey takes the script's arguments. The editor runs without a window manager: windows sit where
# Qt puts them.

editor=""

# Runs the journey script $1 again on a display of its own (testing/with-display.sh) with the rest of the
# arguments, unless it runs on one already; then takes those arguments, KIT_FOLDER EXAMPLES_FOLDER
# [SCREENSHOT.png], into $examples and $screenshot (a PNG path, or empty), and makes $work, a scratch folder
# removed at the end with the editor if it still runs. $kit is a copy of KIT_FOLDER in $work whose
# Config.cfg names the copy's own tools: the journeys never write into the kit a user runs, nor depend on
# what its Config.cfg holds. $mark marks the environment of the editors a journey starts, and so of every
# process of their builds.
begin_journey() {
    script=$1
    shift
    if [ -z "${TZ_UNDER_XVFB:-}" ]; then
        TZ_UNDER_XVFB=1 exec sh "$here/../../../testing/with-display.sh" sh "$script" "$@"
    fi
    examples=$2
    screenshot=${3:-}
    work=$(mktemp -d)
    trap 'if [ -n "$editor" ]; then kill "$editor" 2>/dev/null || true; fi; rm -rf "$work"' EXIT
    kit=$work/kit-copy
    copy_kit "$1" "$kit"
    mark=$$-$(date +%s%N)
}

# Copies the kit $1 to the folder $2, with a Config.cfg that names the copy's own tools.
copy_kit() {
    cp -a "$1" "$2"
    printf '%s\n%s\n%s\n' "$2/jdk/bin/" "$2/wtk/" "$2/" >"$2/Config.cfg"
}

# Copies the example project $1 of $examples into the folder $2: its project file, sources and media only
# (the tests' one copy of an example, never what an earlier build left in it).
copy_example() {
    "${TZ_COPY_EXAMPLE:?the test sets TZ_COPY_EXAMPLE to the copy-example-project program}" "$examples/$1" "$2" ||
        fail "could not copy the example $1"
}

# The processes whose environment carries this journey's mark, zombies aside: "pid command" lines.
marked() {
    for environment in $(grep -l -z -x "TZ_TEST_BUILD=$mark" /proc/[0-9]*/environ 2>/dev/null); do
        process=${environment%/environ}
        state=$(sed 's/.*) //' "$process/stat" 2>/dev/null | cut -c1)
        [ -n "$state" ] && [ "$state" != Z ] && echo "${process#/proc/} $(tr '\0' ' ' <"$process/cmdline")"
    done
    return 0
}

# Whether no process of the journey's editors and builds is left.
none_marked() {
    [ -z "$(marked)" ]
}

# Whether a process of a build runs: a marked process that is not the editor.
building() {
    marked | grep -v "^$editor " | grep -q .
}

fail() {
    echo "FAILED: $*"
    if [ -s "${work:-}/editor.out" ]; then
        echo "The editor's output:"
        tail -n 40 "$work/editor.out"
    fi
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
    env HOME="$home" XDG_RUNTIME_DIR="$work/run" TZ_TEST_BUILD="$mark" "$@" "$editor_kit/Editor-Linux" \
        >"$work/editor.out" 2>&1 &
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

# Opens the menu that stands $1 places right of File; the keys that follow walk it.
open_menu() {
    xdotool mousemove 20 8 click 1
    sleep 0.5
    steps=$1
    while [ "$steps" -gt 0 ]; do
        xdotool key Right
        steps=$((steps - 1))
    done
    sleep 0.3
}

# File, Exit (its last entry), and Yes to "Are you sure you wish to quit?".
end_editor() {
    open_menu 0
    xdotool key Up Return
    sleep 1
    xdotool key y
    within 10 sh -c "! kill -0 $editor 2>/dev/null" || fail "File, Exit did not end the editor"
    wait "$editor" || fail "the editor ended with status $?"
    editor=""
}

# Waits for the run the editor was just asked for to begin and then to end (no process of it left), up to
# two minutes, the editor alive. The command $@, if any, runs at every look.
wait_for_build() {
    tries=600
    until building; do
        alive || fail "the editor died before the build"
        "$@"
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || fail "F4 started no build within a minute"
        sleep 0.05
    done
    tries=1200
    while building; do
        alive || fail "the editor died during the build"
        "$@"
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || fail "the build had not ended after two minutes: $(marked)"
        sleep 0.1
    done
    # The launcher relays the last lines and goes idle.
    sleep 0.5
}

# A click into the code view and F4, and the wait for that build's end.
compile_and_wait() {
    xdotool mousemove 700 500 click 1 key F4
    wait_for_build "$@"
}

# Prints the text the output pane shows: a drag from its bottom right to left of its first line selects it
# (X's PRIMARY selection).
output_text() {
    xdotool mousemove 1250 1015 mousedown 1 mousemove 700 960 sleep 0.1 mousemove 150 903 sleep 0.1 mouseup 1
    sleep 0.2
    python3 "$here/screen.py" selection PRIMARY
}

# Whether the output pane shows the text $1.
output_shows() {
    output_text | grep -q -F -- "$1"
}
