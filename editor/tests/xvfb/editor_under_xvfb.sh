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
. "$here/helpers.sh"
trap 'if [ -n "$editor" ]; then kill "$editor" 2>/dev/null || true; fi; rm -rf "$work"' EXIT

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
