#!/bin/sh
# The win32 tier's scripts where the 32-bit Wine cannot run: the setup
# skips (exit 77) and says why, having written nothing; a program started
# without the unpacked Wine fails and says so.
# usage: wine32_scripts_test.sh SOURCE_DIR
set -u
src=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
passed=0
check() {  # check NAME EXPECTED ACTUAL
    if [ "$2" = "$3" ]; then
        passed=$((passed + 1))
    else
        failures=$((failures + 1))
        printf 'FAILED %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3"
    fi
}

# Without root binfmt_misc cannot be written: as root, the test drops to
# nobody for the setup.
as_user=""
[ "$(id -u)" -eq 0 ] && as_user="setpriv --reuid=65534 --regid=65534 --clear-groups"
out=$($as_user sh "$src/tools/wine32-setup" "$work/wine32" 2>&1)
check "setup without root skips" 77 "$?"
check "and says why" 1 "$(echo "$out" | grep -c 'not root')"
check "having written nothing" "" "$(ls -A "$work")"

out=$(sh "$src/cmake/wine-run.sh" --wine32 "$work/wine32" "$work/prefix" cmd /c ver 2>&1)
check "a program without the 32-bit Wine fails" 1 "$?"
check "and names what is missing" 1 "$(echo "$out" | grep -c "no 32-bit Wine in $work/wine32")"
check "making no prefix" "" "$(ls -A "$work")"

echo "wine32 scripts: $passed passed, $failures failed"
[ "$failures" -eq 0 ]
