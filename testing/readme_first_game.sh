#!/bin/sh
# Runs the README's first game as a new user would: every `sh` block of its "Your first game" section in
# order, from a folder laid out like the kit's source folder (a copy of the built kit in build/kit/) with
# a home of its own; then starts the editor the way the README says and waits for its window.
# Usage: readme_first_game.sh README.md KIT_FOLDER
set -eu

if [ -z "${TZ_UNDER_XVFB:-}" ]; then
    TZ_UNDER_XVFB=1 exec sh "$(dirname "$0")/with-display.sh" sh "$0" "$@"
fi

readme=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
kit=$2
work=$(mktemp -d)
editor=""
trap 'if [ -n "$editor" ]; then kill "$editor" 2>/dev/null || true; fi; rm -rf "$work"' EXIT

fail() {
    echo "FAILED: $*"
    exit 1
}

mkdir -p "$work/home" "$work/source/build" "$work/run"
cp -a "$kit" "$work/source/build/kit"
copy="$work/source/build/kit"
printf '%s\n' "$copy/jdk/bin/" "$copy/wtk/" "$copy/" > "$copy/Config.cfg"

# The section's shell blocks, each in a file of its own.
awk -v out="$work/block" '
    /^## / { inside = ($0 == "## Your first game") }
    inside && /^```sh$/ { n++; file = out n ".sh"; printf "" > file; next }
    file && /^```$/ { close(file); file = ""; next }
    file { print >> file }
' "$readme"
[ -f "$work/block1.sh" ] || fail "no sh block in the README's first game"

cd "$work/source"
for block in "$work"/block*.sh; do
    echo "== $(basename "$block")"
    HOME="$work/home" sh -eu "$block" || fail "the README block $(basename "$block") failed"
done
[ -s "$work/home/games/Square/Square.jar" ] || fail "no suite after the README's compile"

# "start build/kit/Editor-Linux": the command as the README gives it.
start=$(grep -o 'start `build/kit/Editor-Linux`' "$readme" | head -n 1)
[ -n "$start" ] || fail "the README no longer says how to start the editor"
HOME="$work/home" XDG_RUNTIME_DIR="$work/run" build/kit/Editor-Linux >"$work/editor.out" 2>&1 &
editor=$!
tries=300
until xdotool search --onlyvisible --name '^Tesvo Zorid Editor$' >/dev/null 2>&1; do
    kill -0 "$editor" 2>/dev/null || { cat "$work/editor.out"; fail "the editor ended at start"; }
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || fail "the editor's window did not show"
    sleep 0.1
done
kill -0 "$editor" || fail "the editor ended"
echo "The first game built and the editor started."
