#!/bin/sh
# velomar.exe from the unpacked package, started from its folder as Windows
# XP of its build's width: its main window paints and draws its graph, and
# velomar_snapshot saves it (NAME.png under the build's screenshots) and
# closes it; both end with 0.
# usage: main_window_snapshot.sh XP_VERSION FOLDER SNAPSHOT_EXE NAME RUNNER...
set -u
xp=$1
folder=$2
snapshot=$3
name=$4
shift 4
key='HKCU\Software\Wine\AppDefaults\velomar.exe'
"$@" reg add "$key" /v Version /d "$xp" /f >/dev/null || exit 1
cd "$folder" || exit 1
"$@" ./velomar.exe &
program=$!
"$@" "$snapshot" "$name" 2
saved=$?
# A window that never showed was not closed by the snapshot.
[ "$saved" -eq 0 ] || "$@" taskkill /f /im velomar.exe >/dev/null 2>&1
wait "$program"
ended=$?
"$@" reg delete "$key" /f >/dev/null
echo "snapshot: $saved, velomar.exe ended with $ended"
[ "$saved" -eq 0 ] && [ "$ended" -eq 0 ]
