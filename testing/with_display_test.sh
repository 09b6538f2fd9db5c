#!/bin/sh
# with-display.sh: runs started together each reach a display of their own; the command's status is the
# run's; a run killed outright leaves no X server behind.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAILED: $*"
    exit 1
}

runs=12
i=0
while [ "$i" -lt "$runs" ]; do
    sh "$here/with-display.sh" sh -c 'xdpyinfo >/dev/null && echo "$DISPLAY"; sleep 1' >"$work/run$i" 2>&1 &
    i=$((i + 1))
done
wait
[ "$(cat "$work"/run* | grep -c '^:[0-9]*$')" = "$runs" ] ||
    fail "not every run reached its display: $(cat "$work"/run*)"
[ "$(sort -u "$work"/run* | wc -l)" = "$runs" ] || fail "runs shared a display: $(cat "$work"/run*)"

status=0
sh "$here/with-display.sh" sh -c 'exit 7' || status=$?
[ "$status" = 7 ] || fail "the command's status 7 came back as $status"

sh "$here/with-display.sh" sh -c 'echo "$XAUTHORITY $$"; exec sleep 60' >"$work/killed" &
run=$!
tries=100
until grep -q . "$work/killed"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || fail "the run did not start"
    sleep 0.1
done
read -r cookie command <"$work/killed"
folder=$(dirname "$cookie")
kill -KILL "$run"
kill "$command"
server() {
    for process in /proc/[0-9]*; do
        case "$({ tr '\0' ' ' <"$process/cmdline"; } 2>/dev/null)" in
        *Xvfb*"$folder"*) return 0 ;;
        esac
    done
    return 1
}
tries=100
while server; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || fail "the X server outlived its killed run by 10 s"
    sleep 0.1
done
rm -rf "$folder"
