#!/bin/sh
# Runs a Windows program under Wine in a private prefix.
# usage: wine-run.sh PREFIX PROGRAM [ARGS...]
#        wine-run.sh PREFIX --start-server | --stop-server
# The prefix is created once (wineboot -i); concurrent callers wait for it.
# A wineserver ends 3 seconds after its last program, and a program that
# connects in that moment fails ("wine client error:0: recvmsg: Connection
# reset by peer"). So a test run keeps one server running from its first
# program to its last: --start-server starts it for good (a running one
# is kept), --stop-server ends it. With the server, Wine's own services
# (winedevice, explorer) outlive the program that started them; they would
# hold its output open, and the test runner waits for that to close, so a
# program writes to files that this script passes on when it ends.
prefix=$(realpath -m "$1")
shift
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
# No Mono or Gecko installers: nothing here needs them and there is no network.
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$prefix"
(
    flock 9
    if [ ! -f "$prefix/system.reg" ]; then
        wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
) 9>"$prefix.lock"
case "${1-}" in
--start-server)
    # Detached from this script's output, which the test runner waits on.
    wineserver -p </dev/null >/dev/null 2>&1
    status=$?
    # 2: a server runs for this prefix already.
    [ "$status" -eq 0 ] || [ "$status" -eq 2 ]
    exit
    ;;
--stop-server)
    wineserver -k 2>/dev/null
    exit 0
    ;;
esac
out=$(mktemp)
err=$(mktemp)
wine "$@" >"$out" 2>"$err"
status=$?
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit "$status"
