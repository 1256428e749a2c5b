#!/bin/sh
# velomar-cli end to end: exit codes, output formats, and that refused
# commands write nothing. usage: cli_test.sh [RUNNER...] CLI
# (the runner runs the Windows build under Wine).
set -u
cli_cmd="$*"
# Under Wine the per-user data folder lives in the Wine prefix, and Wine
# itself writes below XDG_CONFIG_HOME: those checks are native only.
native=yes
[ $# -gt 1 ] && native=
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export XDG_CONFIG_HOME="$work/config"
failures=0
passed=0

cli() { $cli_cmd "$@" 2>"$work/err" | tr -d '\r'; }
status_of() { $cli_cmd "$@" >/dev/null 2>&1; echo $?; }
check() {  # check NAME EXPECTED ACTUAL
    if [ "$2" = "$3" ]; then
        passed=$((passed + 1))
    else
        failures=$((failures + 1))
        printf 'FAILED %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3"
    fi
}

check "help" 0 "$(status_of --help)"
check "no command" 2 "$(status_of)"
check "unknown command" 2 "$(status_of frobnicate)"
check "unknown class" 2 "$(status_of window --class 3M --mtu 1500)"
check "mtu too small" 2 "$(status_of window --class 1M --mtu 40)"
check "mtu not a number" 2 "$(status_of window --class 1M --mtu 15x0)"
check "leftover word" 2 "$(status_of restore-defaults --registry r.reg extra)"
check "monitor no readings" 2 "$(status_of monitor --seconds 0)"
check "monitor seconds not a number" 2 "$(status_of monitor --seconds 1x)"
check "monitor leftover word" 2 "$(status_of monitor 3)"
# An MTU is what the probe can measure: 29 to 65535 (one data byte to a
# whole IPv4 packet), or -1 for none; a window needs a segment, above 40.
check "auto-tcp mtu beyond a packet" 2 "$(status_of --registry m.reg auto-tcp --class 1M --mtu 2147483647)"
check "auto-tcp mtu 65536" 2 "$(status_of --registry m.reg auto-tcp --class 1M --mtu 65536)"
check "auto-tcp mtu 28" 2 "$(status_of --registry m.reg auto-tcp --class 1M --mtu 28)"
check "auto-tcp mtu -2" 2 "$(status_of --registry m.reg auto-tcp --class 1M --mtu -2)"
check "window mtu 65536" 2 "$(status_of window --class 1M --mtu 65536)"
[ -n "$native" ] && check "refused commands write nothing" "" "$(ls -A "$work" | grep -v '^err$')"
check "refused commands write no registry" "" "$(ls -A "$work" | grep 'reg$')"
check "window" 64240 "$(cli window --class 1M --mtu 1500)"
check "window by position" 653400 "$(cli window --class 6 --mtu 1492)"
check "window at the largest mtu" 65495 "$(cli window --class 1M --mtu 65535)"

# A dry run prints the rows the real command prints, ends as it does, and
# changes nothing: not the registry file, no backup, no other file.
mkdir dry
cd dry
printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters]\r\n"DefaultTTL"=dword:00000064\r\n' >d.reg
dry_then_real() {  # dry_then_real ARGS...
    files=$(ls)
    cp d.reg ../d.before
    $cli_cmd --dry-run --registry d.reg "$@" >../dry.out 2>../dry.err
    dry_status=$?
    check "$1: dry run writes no file" "$files" "$(ls)"
    check "$1: dry run leaves the registry" same "$(cmp -s d.reg ../d.before && echo same)"
    check "$1: dry run says so" 1 "$(grep -c 'dry run' ../dry.err)"
    $cli_cmd --registry d.reg "$@" >../real.out 2>/dev/null
    check "$1: as the real run ends" "$dry_status" "$?"
    check "$1: the real run's rows" same "$(cmp -s ../dry.out ../real.out && echo same)"
}
dry_then_real auto-tcp --class 10M --mtu 1500
check "auto-tcp dry run: a row" "$(printf 'DefaultTTL\t100\t64')" "$(tr -d '\r' <../dry.out | grep DefaultTTL)"
dry_then_real custom-tcp --class 1M Edit_TimeToLive=99
check "custom-tcp dry run: a row" "$(printf 'DefaultTTL\t64\t99')" "$(tr -d '\r' <../dry.out | grep DefaultTTL)"
# Where the real command meets a file it cannot write, its dry run meets it
# too: the same message, the same status, and still nothing written.
same_as_real() {  # same_as_real NAME RUNNER... -- ARGS...
    name=$1
    shift
    runner=
    while [ "$1" != -- ]; do runner="$runner $1"; shift; done
    shift
    before=$(ls -AR)
    $runner $cli_cmd --dry-run "$@" >../dry.out 2>../dry.err
    dry_status=$?
    check "$name: dry run writes no file" "$before" "$(ls -AR)"
    $runner $cli_cmd "$@" >../real.out 2>../real.err
    real_status=$?
    check "$name: fails" 1 "$real_status"
    check "$name: the dry run fails alike" "$real_status" "$dry_status"
    check "$name: the same rows" same "$(cmp -s ../dry.out ../real.out && echo same)"
    check "$name: the same message" "$(tr -d '\r' <../real.err)" "$(tr -d '\r' <../dry.err | grep -v 'dry run')"
}
mkdir ../meet
cp d.reg ../meet/
cd ../meet
mkdir RegBackUp.bk
same_as_real "RegBackUp.bk a folder" -- --registry d.reg auto-tcp --class 10M --mtu 1500
rmdir RegBackUp.bk
mkdir folder.reg
same_as_real "registry file a folder" -- --registry folder.reg restore-defaults
rmdir folder.reg
same_as_real "registry file in no folder" -- --registry nowhere/r.reg restore-defaults
# A read-only current folder refuses the backup, except to root.
if [ -n "$native" ] && [ "$(id -u)" = 0 ] && command -v setpriv >/dev/null; then
    mkdir locked
    cp d.reg locked/
    chmod 755 "$work" "$work/meet"
    chmod 555 locked
    cd locked
    same_as_real "read-only current folder" setpriv --reuid=65534 --regid=65534 --clear-groups -- \
        --registry d.reg auto-tcp --class 10M --mtu 1500
    cd ..
    chmod 700 "$work"
fi
cd ../dry

# The undo file for regedit: the state from before the first pass.
check "undo-file" 0 "$(status_of undo-file u.reg)"
check "undo-file: the user's value" 1 "$(grep -c '^"DefaultTTL"=dword:00000064' u.reg)"
check "undo-file: a value the pass created goes" 1 "$(grep -c '^"TcpWindowSize"=-' u.reg)"
check "undo-file has no dry run" 2 "$(status_of --dry-run undo-file v.reg)"
rm u.reg

dry_then_real restore-backup CustomRegBackUp.bk
check "restore-backup dry run: a row" "$(printf 'DefaultTTL\t99\t100')" "$(tr -d '\r' <../dry.out | grep DefaultTTL)"
check "restore-backup dry run: deletions marked" "$(printf 'TcpWindowSize\t64240\tDelete value')" \
    "$(tr -d '\r' <../dry.out | grep '^TcpWindowSize')"
# Both backups are put back together, and once all is back they are kept
# aside: the next pass records the state of its own moment.
check "restore-backup retires both backups" "CustomRegBackUp.bk.restored RegBackUp.bk.restored" \
    "$(ls | grep '\.bk' | tr '\n' ' ' | sed 's/ $//')"
check "restore-backup after it has nothing to put back" 1 "$(status_of --registry d.reg restore-backup RegBackUp.bk)"
dry_then_real restore-defaults
check "show has no dry run" 2 "$(status_of --dry-run --registry d.reg show)"
# A record naming a root key: the dry run meets the real run's refusal.
printf 'V\r\nHKEY_CLASSES_ROOT\r\n\\\r\nNo Key\r\nREG_NONE\r\n' >root.bk
dry_then_real restore-backup root.bk
check "a root key stays" 3 "$dry_status"
# A NUL in a name line is refused with the line, by every reader.
printf 'Default\000TTL\r\nHKEY_LOCAL_MACHINE\r\n\\K\r\n1\r\nREG_DWORD\r\n' >RegBackUp.bk
$cli_cmd --registry d.reg restore-backup RegBackUp.bk >/dev/null 2>../err
check "a NUL in a name is refused" 1 "$?"
check "and the line is named" 1 "$(grep -c 'NUL character (RegBackUp.bk, line 1)' ../err)"
check "undo-file refuses it too" 1 "$(status_of undo-file u.reg)"
cd ..
check "undo-file without a backup" 1 "$(status_of undo-file u.reg)"

cli --registry r.reg auto-tcp --class 10M --mtu 1500 >rows
check "auto-tcp rows" 18 "$(wc -l <rows | tr -d ' ')"
check "auto-tcp first row" "$(printf 'TcpWindowSize\tNo value\t652620')" "$(head -n 1 rows)"
check "registry saved" 1 "$(grep -c '"TcpWindowSize"=dword:0009f54c' r.reg)"
# 18 values and the 10 keys above missing keys that the pass creates.
check "backup written" 140 "$(tr -d '\r' <RegBackUp.bk | wc -l | tr -d ' ')"
[ -n "$native" ] && check "data folder created" yes "$([ -d config/Tandrel/Velomar ] && echo yes)"

# Paths beyond the ANSI code page: the current folder, the registry file
# and the undo file.
uni='Müller Пётр 名前'
mkdir "$uni"
cd "$uni"
check "a registry file named beyond the code page" 0 "$(status_of --registry "$uni.reg" auto-tcp --class 10M --mtu 1500)"
check "is written under its name" 1 "$(grep -c '"TcpWindowSize"=dword:0009f54c' "$uni.reg")"
check "the backup in a folder named beyond it" yes "$([ -s RegBackUp.bk ] && echo yes)"
check "an undo file named beyond the code page" 0 "$(status_of undo-file "$uni undo.reg")"
check "is written under its name" 1 "$(grep -c '^"TcpWindowSize"=-' "$uni undo.reg")"
cd ..

cli --registry r.reg --trace auto-tcp --class 56K --mtu 1500 | head -n 5 >trace
check "trace" "$(printf 'progress\t4\nstatus\tTCP : Optimizing TcpWindowSize ...\npause\nrow\tTcpWindowSize\t652620\t17520\nprogress\t8')" "$(cat trace)"

check "show" "Edit_TCP_RecvWindows=17520" "$(cli --registry r.reg show | grep Edit_TCP_RecvWindows)"
check "show switches" "ComboBox_BlackHoleDetect=2" "$(cli --registry r.reg show | grep ComboBox_BlackHoleDetect)"

cp r.reg before.reg
check "custom-tcp bad number" 1 "$(status_of --registry r.reg custom-tcp --class 2M Edit_MaxDuplicate=)"
$cli_cmd --registry r.reg custom-tcp --class 2M Edit_MaxDuplicate= 2>err
check "custom-tcp bad number names the field" 1 "$(grep -c Edit_MaxDuplicate err)"
check "custom-tcp bad number writes nothing" same "$(cmp -s r.reg before.reg && echo same)"
check "custom-tcp unknown control" 2 "$(status_of --registry r.reg custom-tcp --class 2M Edit_Nothing=1)"
check "custom-tcp bad combo item" 2 "$(status_of --registry r.reg custom-tcp --class 2M ComboBox_Selective=3)"
check "custom-tcp trace" "$(printf 'progress\t4\npause')" "$(cli --registry r.reg --trace custom-tcp --class 2M | head -n 2)"
check "custom-tcp" 0 "$(status_of --registry r.reg custom-tcp --class 2M Edit_TimeToLive=99 CheckBox_Timestamps=1)"
check "custom-tcp wrote" "Edit_TimeToLive=99" "$(cli --registry r.reg show | grep Edit_TimeToLive)"
check "custom-tcp receive window for the class" "Edit_TCP_RecvWindows=129940" "$(cli --registry r.reg show | grep Edit_TCP_RecvWindows)"
check "custom backup" yes "$([ -s CustomRegBackUp.bk ] && echo yes)"

check "restore-backup" 0 "$(status_of --registry r.reg restore-backup CustomRegBackUp.bk)"
check "restore-backup missing file" 1 "$(status_of --registry r.reg restore-backup nothing.bk)"
check "restore-defaults" 0 "$(status_of --registry r.reg restore-defaults)"
check "restore-defaults reset" "Edit_TimeToLive=128" "$(cli --registry r.reg show | grep Edit_TimeToLive)"

# Two passes, then the restore: the user's own value comes back, not the
# first pass's. A file under the backup's name that is no backup is kept
# under another name, and the pass says so and fails.
mkdir own
cd own
printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters]\n"DefaultTTL"=dword:00000040\n' >u.reg
check "own: first pass" 0 "$(status_of --registry u.reg custom-tcp --class 10M Edit_TimeToLive=99)"
check "own: second pass" 0 "$(status_of --registry u.reg custom-tcp --class 1G Edit_TimeToLive=77)"
check "own: restore" 0 "$(status_of --registry u.reg restore-backup CustomRegBackUp.bk)"
check "own: the user's value is back" "Edit_TimeToLive=64" "$(cli --registry u.reg show | grep Edit_TimeToLive)"
printf 'DefaultTTL\r\nHKEY_LOCAL_MACHINE\r\n\\SYSTEM\r\nlots\r\nREG_DWORD\r\n' >RegBackUp.bk
check "own: invalid backup fails the pass" 1 "$($cli_cmd --registry u.reg auto-tcp --class 1M --mtu 1500 >/dev/null 2>err; echo $?)"
check "own: invalid backup kept aside" "DefaultTTL" "$(head -n 1 RegBackUp.bk.invalid | tr -d '\r')"
check "own: the pass says where" 1 "$(grep -c 'RegBackUp.bk.invalid' err)"
check "own: a valid backup after it" 0 "$(status_of --registry u.reg auto-tcp --class 1M --mtu 1500)"
cd ..

printf 'REGEDIT4\n[HKEY_NOWHERE]\n' >bad.reg
check "corrupt registry file" 1 "$(status_of --registry bad.reg show)"

# Deep keys: a backup may name any path, which the registry refuses as
# Windows does (the value is named, exit 3), and the tool must still open
# the file it saves; a .reg file deeper than Windows allows is refused.
deep=$(awk 'BEGIN { for (i = 0; i < 30000; i++) printf "\\k" }')
printf 'V\r\nHKEY_LOCAL_MACHINE\r\n%s\r\n1\r\nREG_DWORD\r\n' "$deep" >deep.bk
check "restore-backup of a deep path is refused" 3 "$($cli_cmd --registry r.reg restore-backup deep.bk 2>err >/dev/null; echo $?)"
check "and names the value with the system's reason" 1 "$(grep -c 'not changed: HKEY_LOCAL_MACHINE.*\\V: .' err)"
check "the dry run is refused alike" 3 "$(status_of --dry-run --registry r.reg restore-backup deep.bk)"
check "the registry file still opens" 0 "$(status_of --registry r.reg show)"
awk 'BEGIN { printf "REGEDIT4\r\n[HKEY_CURRENT_USER"; for (i = 0; i < 512; i++) printf "\\k"; printf "]\r\n" }' >deep.reg
check "512 levels open" 0 "$(status_of --registry deep.reg show)"
check "and are saved once" 1 "$(grep -c '^\[' deep.reg)"
awk 'BEGIN { printf "REGEDIT4\r\n[HKEY_CURRENT_USER"; for (i = 0; i < 513; i++) printf "\\k"; printf "]\r\n" }' >deeper.reg
$cli_cmd --registry deeper.reg show >/dev/null 2>err
check "513 levels are refused with the line" 1 "$(grep -c 'line 2: key deeper than 512' err)"

[ -n "$native" ] && check "last-set empty" "" "$(cli last-set)"
check "save-auto" 0 "$(status_of save-auto 6)"
check "save-custom" 0 "$(status_of save-custom 2)"
check "save-auto bad class" 2 "$(status_of save-auto 11)"
check "last-set" "$(printf '6\n2')" "$(cli last-set)"

# One decimal reading a second; a quiet machine reads 0.
$cli_cmd monitor --seconds 2 >readings 2>err
check "monitor" 0 "$?"
check "monitor readings" 2 "$(tr -d '\r' <readings | grep -cE '^[0-9]+$')"
check "monitor nothing else" 2 "$(wc -l <readings | tr -d ' ')"

echo "cli: $passed passed, $failures failed"
[ "$failures" -eq 0 ]
