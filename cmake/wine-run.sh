#!/bin/sh
# Runs a Windows program under Wine in a private prefix.
# usage: wine-run.sh [--wine32 DIR] PREFIX PROGRAM [ARGS...]
#        wine-run.sh [--wine32 DIR] PREFIX --start-server | --stop-server
# The prefix is created once (wineboot -i); concurrent callers wait for it.
# A wineserver ends 3 seconds after its last program, and a program that
# connects in that moment fails ("wine client error:0: recvmsg: Connection
# reset by peer"). So a test run keeps one server running from its first
# program to its last: --start-server starts it for good (a running one
# is kept), --stop-server ends it. With the server, Wine's own services
# (winedevice, explorer) outlive the program that started them; they would
# hold its output open, and the test runner waits for that to close, so a
# program writes to files that this script passes on when it ends.
#
# --wine32 DIR runs the program under the 32-bit Wine that
# tools/wine32-setup unpacked into DIR (the i686 build's tests). It is not
# installed: its loader is started by path, and the kernel hands it (and
# every process it starts) to qemu-i386 through binfmt_misc, which finds
# its libraries under QEMU_LD_PREFIX. The system's 64-bit wineserver serves
# it: a server speaks to clients of either width of its own version. Its
# prefix is a 32-bit one that reports Windows XP.
wine=wine
server=wineserver
root=""
if [ "${1-}" = --wine32 ]; then
    root=$(realpath -m "$2")/root
    shift 2
    if [ ! -f "$root/.unpacked" ]; then
        echo "wine-run.sh: no 32-bit Wine in ${root%/root} (tools/wine32-setup makes it)" >&2
        exit 1
    fi
    export QEMU_LD_PREFIX="$root" WINEARCH=win32 WINESERVER=/usr/lib/wine/wineserver64
    wine="$root/usr/lib/wine/wine"
    server=$WINESERVER
fi
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
        "$wine" wineboot -i >/dev/null 2>&1
        "$server" -w
    fi
    # Wine's own fonts (fonts-wine) go into the prefix: neither Wine loads
    # them from where the package puts them (the 32-bit one, under the
    # emulator, finds the unpacked tree's empty font folder first), and
    # without them Tahoma, the windows' font, is drawn as DejaVu Sans, whose
    # wider text wraps where the layouts do not expect it.
    if [ ! -f "$prefix/drive_c/windows/Fonts/tahoma.ttf" ]; then
        cp -L /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
    fi
    if [ -n "$root" ] && [ ! -f "$prefix/.winxp" ]; then
        "$wine" reg add 'HKCU\Software\Wine' /v Version /d winxp /f >/dev/null 2>&1 &&
            "$server" -w &&
            touch "$prefix/.winxp"
    fi
) 9>"$prefix.lock"
case "${1-}" in
--start-server)
    # Detached from this script's output, which the test runner waits on.
    "$server" -p </dev/null >/dev/null 2>&1
    status=$?
    # 2: a server runs for this prefix already.
    [ "$status" -eq 0 ] || [ "$status" -eq 2 ]
    exit
    ;;
--stop-server)
    "$server" -k 2>/dev/null
    exit 0
    ;;
esac
out=$(mktemp)
err=$(mktemp)
"$wine" "$@" >"$out" 2>"$err"
status=$?
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit "$status"
