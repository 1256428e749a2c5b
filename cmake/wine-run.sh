#!/bin/sh
# Runs a Windows program under Wine in a private prefix.
# usage: wine-run.sh PREFIX PROGRAM [ARGS...]
# The prefix is created once (wineboot -i); concurrent callers wait for it.
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
exec wine "$@"
