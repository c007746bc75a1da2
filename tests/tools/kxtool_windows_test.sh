#!/usr/bin/env bash
# kxtool.exe under Wine against the Linux virtual radio: kxsim's pseudo-terminal becomes a COM
# port of the Wine prefix (a link in dosdevices), so the Windows serial channel, file saving,
# folders and console are the ones a technician's laptop runs. Needs WINEPREFIX set to a
# prefix of its own.
set -u
kxtool_exe=$1
kxsim=$2
linux_kxtool=${3:-}
: "${WINEPREFIX:?set WINEPREFIX to a scratch Wine prefix}"
export WINEDEBUG=-all
work=$(mktemp -d)
# Wine's server takes a pseudo-terminal it opens for its controlling terminal; when a radio
# goes away it gets the hang-up, which this build answers with a dump of its objects. Started
# here (unless one runs already), it says that to nobody.
wineserver -p 2>/dev/null || true
sims=()
cleanup() {
  for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null; done
  rm -f "$WINEPREFIX"/dosdevices/com{21,22,23}
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
kxtool() { wine "$kxtool_exe" "$@"; }
winpath() { winepath -w "$1" 2>/dev/null; }


start_radio() {  # COM number, kxsim options...
  local number=$1; shift
  local out="$work/sim$number.out"
  rm -f "$out" "$work/sim$number.log"
  "$kxsim" --model kx600-uhf "$@" >"$out" 2>"$work/sim$number.log" &
  sims+=($!)
  for _ in $(seq 100); do
    local pty
    pty=$(head -n 1 "$out" 2>/dev/null)
    if [ -n "$pty" ]; then
      ln -sfn "$pty" "$WINEPREFIX/dosdevices/com$number"
      return 0
    fi
    sleep 0.05
  done
  fail "kxsim did not start"; cat "$work/sim$number.log"; exit 1
}
stop_radios() {
  for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
  sims=()
}

kxtool --version | grep -qE '^kxtool [0-9.]+' || fail "--version"

start_radio 21 -v
kxtool ports >"$work/ports" 2>&1 || fail "ports"
grep -qF "$(printf '21\t\\\\.\\COM21')" "$work/ports" || { fail "ports does not list COM21"; cat "$work/ports"; }

# A bench folder with umlauts, given on the command line in UTF-8.
bench="$work/Funkgeräte/Prüfstand"
mkdir -p "$bench"
kxtool read --port COM21 -o "$bench/Kanäle.dat" --image "$bench/radio.bin" --trace "$bench/trace.txt" \
  2>"$work/err" || { fail "read"; cat "$work/err"; }
[ "$(stat -c %s "$bench/Kanäle.dat" 2>/dev/null)" = 1827 ] || fail "read wrote no configuration"
[ "$(stat -c %s "$bench/radio.bin" 2>/dev/null)" = 416 ] || fail "read wrote no image"
grep -q '> 87 00 87' "$bench/trace.txt" || fail "trace lacks the wake-up"
# The backup goes under %LOCALAPPDATA%\kxprog\backups, the path with Windows' separators.
backup=$(sed -n 's/^Radio memory kept in //p' "$work/err" | tr -d '\r')
case "$backup" in
  *'\AppData\Local\kxprog\backups\'*-read.bin) [ -s "$(winepath -u "$backup")" ] || fail "backup $backup not there" ;;
  *) fail "no backup under %LOCALAPPDATA%\\kxprog\\backups: '$backup'" ;;
esac
grep -qF 'Read done' "$work/err" || fail "read: no status"

kxtool write --verify --port 21 "$bench/Kanäle.dat" 2>"$work/err" || { fail "verified write"; cat "$work/err"; }
grep -qF 'Verifying.....!' "$work/err" || fail "verified write: no verifying status"

# The same texts as on Linux, byte for byte (the streams pass bytes, lines end in \n).
if [ -n "$linux_kxtool" ]; then
  for command in show sheet; do
    kxtool "$command" "$bench/Kanäle.dat" >"$work/win.txt" 2>&1
    "$linux_kxtool" "$command" "$bench/Kanäle.dat" >"$work/linux.txt" 2>&1
    cmp -s "$work/win.txt" "$work/linux.txt" || { fail "$command differs from Linux"; diff "$work/linux.txt" "$work/win.txt" | head; }
  done
  kxtool new --model kx400-uhf -o - | cmp -s - <("$linux_kxtool" new --model kx400-uhf -o -) ||
    fail "a configuration sent to a pipe differs from Linux's"
fi

# A read-only file is refused as on Linux, and stays as it was.
cp "$bench/Kanäle.dat" "$work/locked.dat"
wine attrib +r "$(winpath "$work/locked.dat")" >/dev/null 2>&1
kxtool new --model 4 -o "$work/locked.dat" 2>"$work/err"
[ $? -eq 1 ] && grep -qF 'The file is read-only' "$work/err" || { fail "read-only file not refused"; cat "$work/err"; }
cmp -s "$work/locked.dat" "$bench/Kanäle.dat" || fail "read-only file changed"

# A port that is not there, and a radio that refuses.
kxtool write --port COM250 "$bench/Kanäle.dat" 2>"$work/err"
[ $? -eq 1 ] && grep -qxF 'Fail to open PORT250' "$work/err" || { fail "absent port"; cat "$work/err"; }
kxtool write --port /dev/ttyS0 "$bench/Kanäle.dat" 2>/dev/null
[ $? -eq 2 ] || fail "a Linux device is no port on Windows: a usage error"
stop_radios
start_radio 21 --fault refuse
kxtool read --port COM21 -o "$work/refused.dat" 2>"$work/err"
[ $? -eq 1 ] && grep -qF 'Read Fail..!' "$work/err" || fail "refused read"
[ ! -e "$work/refused.dat" ] || fail "refused read wrote a file"

# A radio that goes away in the middle of a read.
stop_radios
start_radio 21 --fault vanish=4
kxtool read --port COM21 -o "$work/lost.dat" 2>"$work/err"
[ $? -eq 1 ] && grep -qF 'Serial port lost: \\.\COM21' "$work/err" || { fail "lost radio"; cat "$work/err"; }

# Two radios at once, each on its own COM port.
stop_radios
start_radio 21
start_radio 22
kxtool read --port COM21 --port COM22 -o "$work/bench" >"$work/out" 2>"$work/err" || { fail "bench read"; cat "$work/out" "$work/err"; }
for n in 21 22; do
  [ "$(stat -c %s "$work/bench/COM$n.dat" 2>/dev/null)" = 1827 ] || { fail "bench read: no COM$n.dat"; ls "$work/bench"; }
done

# Ctrl+C (Wine hands the terminal's SIGINT to the console's handler) stops the write between
# two frames and ends the connection.
stop_radios
start_radio 23 -v --pace
wine "$kxtool_exe" write --port COM23 "$bench/Kanäle.dat" 2>"$work/err" &
tool=$!
for _ in $(seq 200); do grep -q 'block 3 ' "$work/sim23.log" && break; sleep 0.05; done
kill -INT "$tool" 2>/dev/null || fail "kxtool had ended before Ctrl+C"
wait "$tool"
[ $? -eq 1 ] && grep -qF 'Stopped by the user!' "$work/err" || { fail "Ctrl+C"; cat "$work/err"; }
for _ in $(seq 40); do grep -q '89 00 89   end of connection' "$work/sim23.log" && break; sleep 0.05; done
grep -q '89 00 89   end of connection' "$work/sim23.log" || fail "Ctrl+C did not end the connection"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) of kxtool.exe failed"
  exit 1
fi
echo "kxtool.exe against the virtual radio: all checks passed"
