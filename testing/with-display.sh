#!/bin/sh
# Runs COMMAND on a virtual X display of its own and exits with its status. The X server picks a free
# display number itself (-displayfd), so runs started together never take one number twice, as
# xvfb-run -a can under load; the server admits only clients holding this run's cookie and ends with the
# run, even a run that is killed.
# Usage: with-display.sh [-s "SERVER ARGUMENTS"] COMMAND [ARGUMENT...]
set -eu

server_arguments="-screen 0 1280x1024x24"
if [ "${1:-}" = -s ]; then
    server_arguments=$2
    shift 2
fi
[ $# -gt 0 ] || { echo "usage: with-display.sh [-s \"SERVER ARGUMENTS\"] COMMAND [ARGUMENT...]" >&2; exit 2; }

folder=$(mktemp -d "${TMPDIR:-/tmp}/display.XXXXXX")
server=""
end() {
    if [ -n "$server" ]; then
        kill "$server" 2>/dev/null || true
        wait "$server" 2>/dev/null || true
    fi
    rm -rf "$folder"
}
trap end EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# A cookie for any display number: the number is known only once the server has chosen it.
: >"$folder/cookie"
: >"$folder/number"
printf 'ffff 0000  0000  0012 4d49542d4d414749432d434f4f4b49452d31 0010 %s\n' "$(mcookie)" |
    xauth -q -f "$folder/cookie" nmerge -

# The server gets the kill signal when this script ends, and writes its number once it takes clients.
# shellcheck disable=SC2086 # the server's arguments are words
setpriv --pdeathsig KILL Xvfb -displayfd 3 -nolisten tcp -auth "$folder/cookie" $server_arguments \
    3>"$folder/number" >"$folder/server.log" 2>&1 &
server=$!
tries=1200
until [ "$(wc -l <"$folder/number")" -ge 1 ]; do
    if ! kill -0 "$server" 2>/dev/null || [ "$tries" -le 0 ]; then
        echo "with-display.sh: the X server did not start:" >&2
        cat "$folder/server.log" >&2
        exit 1
    fi
    tries=$((tries - 1))
    sleep 0.05
done

status=0
DISPLAY=:$(cat "$folder/number") XAUTHORITY=$folder/cookie "$@" || status=$?
exit "$status"
