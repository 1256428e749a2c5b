#!/bin/sh
# velomar-cli's Firefox commands end to end on a copy of a real profile
# tree (natively: the tree under $XDG_CONFIG_HOME/mozilla/firefox).
# usage: firefox_cli_test.sh CLI PROFILE_TREE LOCK_HOLDER
set -u
cli=$1
tree=$2
holder=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME"
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
status_of() { "$cli" "$@" >/dev/null 2>&1; echo $?; }

check "no Firefox: auto fails" 1 "$(status_of firefox-auto --class 1M)"
check "no Firefox: nothing to restore" 0 "$(status_of firefox-restore)"
check "no Firefox: profiles" "IsFirefoxInstalled=0" "$("$cli" firefox-profiles | grep Installed)"

firefox="$XDG_CONFIG_HOME/mozilla/firefox"
mkdir -p "$firefox"
cp -r "$tree"/. "$firefox"/
profile="$firefox/2amm8bje.default"
# The current folder holds a folder named like the profile: never the profile.
mkdir 2amm8bje.default
# Firefox writes its profile section before [General]: both tests find it.
check "profiles" "$(printf 'SectionCount=2\n0\tProfile0\t2amm8bje.default\t%s\t0\nIsFirefoxInstalled=1\nHasFirefoxProfileFolder=1' "$profile")" \
    "$("$cli" firefox-profiles)"

homepage='user_pref("browser.startup.homepage", "http://example.org/");'
printf '%s\r\n' "$homepage" >"$profile/user.js"
cp "$profile/prefs.js" prefs.before

# A dry run prints what the pass would print and writes no file: not
# user.js, prefs.js, a backup, or the last-set file.
snapshot() { (cd "$XDG_CONFIG_HOME" && find . -type f -exec cksum {} + | sort); }
for command in "firefox-auto --class 10M" "firefox-custom --class 1M"; do
    before=$(snapshot)
    "$cli" --dry-run $command >dry.out 2>/dev/null
    check "$command: dry run writes no file" "$before" "$(snapshot)"
    cp -r "$XDG_CONFIG_HOME" config.saved
    "$cli" $command >real.out 2>/dev/null
    check "$command: the real run's output" same "$(cmp -s dry.out real.out && echo same)"
    rm -rf "$XDG_CONFIG_HOME" && mv config.saved "$XDG_CONFIG_HOME"
done
# A read-only profile folder refuses the backups (except to root): the dry
# run meets it as the real pass does.
if [ "$(id -u)" = 0 ] && command -v setpriv >/dev/null; then
    as_nobody="setpriv --reuid=65534 --regid=65534 --clear-groups"
    chmod -R a+rX "$work"
    chmod 555 "$profile"
    before=$(snapshot)
    $as_nobody "$cli" --dry-run firefox-auto --class 10M >dry.out 2>dry.err
    dry_status=$?
    check "read-only profile: dry run writes no file" "$before" "$(snapshot)"
    $as_nobody "$cli" firefox-auto --class 10M >real.out 2>real.err
    check "read-only profile: the pass fails" 1 "$?"
    check "read-only profile: the dry run fails alike" 1 "$dry_status"
    check "read-only profile: the same rows" same "$(cmp -s dry.out real.out && echo same)"
    check "read-only profile: the same message" "$(cat real.err)" "$(grep -v 'dry run' dry.err)"
    chmod 755 "$profile"
fi
check "auto" 0 "$(status_of firefox-auto --class 10M)"
check "auto wrote user.js" yes "$(grep -q pipelining "$profile/user.js" && echo yes)"
check "auto left the current folder's namesake alone" "" "$(ls -A 2amm8bje.default)"
# Backups are byte for byte copies.
check "auto backed up prefs.js" same "$(cmp -s "$profile/prefs.bk" prefs.before && echo same)"
check "auto rows, one per line but the homepage" "$("$cli" firefox-auto --class 10M | wc -l | tr -d ' ')" \
    "$(($(grep -c user_pref "$profile/user.js") - 1))"

# Weeks later the user adds a line of their own, and Firefox writes a new
# preference and a copy of one of Velomar's into prefs.js: undo takes back
# Velomar's lines only.
printf 'user_pref("mine.later", 1);\r\n' >>"$profile/user.js"
{ tr -d '\r' <prefs.before; printf 'user_pref("firefox.later", 2);\nuser_pref("network.http.pipelining", true);\n'; } >"$profile/prefs.js"
check "restore" 0 "$(status_of firefox-restore)"
check "restore: user.js keeps the user's lines" "$(printf '%s\nuser_pref("mine.later", 1);' "$homepage")" \
    "$(tr -d '\r' <"$profile/user.js")"
check "restore: prefs.js keeps Firefox's new line" 1 "$(grep -c 'firefox.later' "$profile/prefs.js")"
check "restore: Velomar's copy in prefs.js goes" 0 "$(grep -c 'pipelining' "$profile/prefs.js")"

check "unknown box" 2 "$(status_of firefox-custom --class 1M --only Bogus)"
check "custom" 0 "$(status_of firefox-custom --class 0)"
check "custom backup of user.js" yes "$([ -f "$profile/Custom_user.bk" ] && echo yes)"
check "restore-custom" 0 "$(status_of firefox-restore-custom)"
check "auto again" 0 "$(status_of firefox-auto --class 1G)"
check "clear" 0 "$(status_of firefox-clear)"
check "clear keeps the user's own lines" "$(printf '%s\nuser_pref("mine.later", 1);' "$homepage")" \
    "$(tr -d '\r' <"$profile/user.js" | sort)"

# Firefox running with the profile (the holder keeps its lock until its
# input ends): neither the restore nor the pass writes its files; both
# name it and fail.
printf '// written by Firefox\nuser_pref("network.http.pipelining", true);\n' >"$profile/prefs.js"
mkfifo hold said
"$holder" "$profile" <hold >said &
exec 3>hold
read -r answer <said
check "lock held" ready "$answer"
check "running: restore fails" 1 "$(status_of firefox-restore)"
check "running: restore says why" 1 "$("$cli" firefox-restore 2>&1 >/dev/null | grep -c 'Close Firefox')"
check "running: prefs.js untouched" 1 "$(grep -c pipelining "$profile/prefs.js")"
cp "$profile/user.js" user.running
check "running: auto" 1 "$(status_of firefox-auto --class 10M)"
check "running: auto says why" 1 "$("$cli" firefox-auto --class 10M 2>&1 >/dev/null | grep -c 'Close Firefox')"
check "running: user.js untouched" same "$(cmp -s user.running "$profile/user.js" && echo same)"
exec 3>&-
wait
check "lock left behind: restore" 0 "$(status_of firefox-restore)"
check "lock left behind: prefs.js restored" "// written by Firefox" "$(tr -d '\r' <"$profile/prefs.js")"

# A profile whose folder is gone, listed before two good ones: the passes
# tune both, and every undo restores both, names the missing one and fails.
# The user's files come back byte for byte.
rm -rf "$firefox" && mkdir -p "$firefox/p1" "$firefox/p2"
printf '[Profile0]\nName=gone\nIsRelative=1\nPath=missing\n\n[Profile1]\nName=one\nIsRelative=1\nPath=p1\n\n[Profile2]\nName=two\nIsRelative=1\nPath=p2\n\n[General]\nStartWithLastProfile=1\n' \
    >"$firefox/profiles.ini"
printf 'user_pref("a.twice", 2);\nuser_pref("a.twice", 1);\n/* disabled for now:\n   user_pref("b.off", 1); */\nuser_pref("c.on", 1);\n' \
    >user.original
for p in p1 p2; do cp user.original "$firefox/$p/user.js" && printf 'user_pref("x", 1);\n' >"$firefox/$p/prefs.js"; done
both_original() {
    cmp -s user.original "$firefox/p1/user.js" && cmp -s user.original "$firefox/p2/user.js" && echo yes
}
for undo in firefox-restore firefox-restore-custom firefox-clear; do
    pass=firefox-auto
    [ "$undo" = firefox-restore-custom ] && pass=firefox-custom
    check "missing profile: $pass" 0 "$(status_of $pass --class 10M)"
    check "missing profile: $pass tuned both" 2 "$(cat "$firefox"/p?/user.js | grep -c 'max-connections"')"
    "$cli" $undo >/dev/null 2>undo.err
    check "missing profile: $undo fails" 1 "$?"
    check "missing profile: $undo names it" 1 "$(grep -c '"gone (missing)" is missing' undo.err)"
    check "missing profile: $undo gave back both files" yes "$(both_original)"
done

# After the rows, one note a profile on the error stream: how many of the
# preferences written its Firefox (compatibility.ini) no longer reads. The
# rows keep their three columns; a profile without the file gets no note.
rm -rf "$firefox" && mkdir -p "$firefox"
cp -r "$tree"/. "$firefox"/
mkdir -p "$firefox/xp" "$firefox/unknown"
printf '[Compatibility]\r\nLastVersion=52.9.0_20180621064021/20180621064021\r\n' >"$firefox/xp/compatibility.ini"
printf '[Profile1]\nName=xp\nPath=xp\n[Profile2]\nName=unknown\nPath=unknown\n' >>"$firefox/profiles.ini"
"$cli" firefox-auto --class 10M >rows.out 2>notes.err
check "notes: auto" 0 "$?"
check "notes: the rows keep three columns" 0 "$(awk -F '\t' 'NF != 3' rows.out | wc -l | tr -d ' ')"
check "notes: one a profile with compatibility.ini" 2 "$(grep -c 'no longer reads' notes.err)"
check "notes: Firefox 153 drops pipelining" 1 \
    "$(grep -c '^velomar-cli: Firefox profile "default": Firefox 153 no longer reads [0-9]* of these [0-9]* preferences: network.http.pipelining, ' notes.err)"
check "notes: Firefox 52 reads pipelining" 1 \
    "$(grep '"xp": Firefox 52 no longer reads' notes.err | grep -c -v 'network.http.pipelining,')"
only=CheckBox_N_H_Pipelining,CheckBox_O_Ui_SubmenuDelay
check "notes: custom, dry run" "$(printf '%s\n%s' \
    'velomar-cli: Firefox profile "default": Firefox 153 no longer reads 1 of these 2 preferences: network.http.pipelining' \
    'velomar-cli: Firefox profile "xp": Firefox 52 reads all 2 of these preferences.')" \
    "$("$cli" --dry-run firefox-custom --class 1M --only $only 2>&1 >/dev/null | grep -v 'dry run')"

echo "firefox-cli: $passed passed, $failures failed"
[ "$failures" -eq 0 ]
