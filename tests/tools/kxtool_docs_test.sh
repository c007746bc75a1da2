#!/usr/bin/env bash
# kxtool's manual page and its bash completion name every command kxtool has: the list is the one
# kxtool gives for a command it does not know.
set -u
kxtool=$1 manual=$2 completion=$3
list=$("$kxtool" no-such-command 2>&1 | sed -n "s/.*the commands are: //p")
[ -n "$list" ] || { echo "FAIL: kxtool gave no list of its commands"; exit 1; }
failures=0
offered=$(sed -n '/local commands="/,/"/p' "$completion" | sed 's/.*local commands="//; s/".*//' | tr -s ' \n' ' ')
for command in $list; do
  # A command's entry in the manual starts a .TP paragraph with the command's name.
  grep -qE "^\.BI? \"?$command( |\"|$)" "$manual" ||
    { echo "FAIL: the manual page has no entry for '$command'"; failures=$((failures + 1)); }
  [[ " $offered " == *" $command "* ]] ||
    { echo "FAIL: the bash completion does not offer '$command'"; failures=$((failures + 1)); }
done
for command in $offered; do
  [[ " $list " == *" $command "* ]] ||
    { echo "FAIL: the bash completion offers '$command', which kxtool does not have"; failures=$((failures + 1)); }
done
[ "$failures" -eq 0 ] && echo "every command of kxtool is in its manual page and its completion: $list"
exit "$((failures > 0))"
