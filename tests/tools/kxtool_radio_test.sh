#!/usr/bin/env bash
# kxtool read and write against the virtual radio on a pseudo-terminal: exit codes, outputs
# written only after a good read, and Ctrl+C ending a transfer cleanly.
set -u
kxtool=$1
kxsim=$2
work=$(mktemp -d)
sim_pid=""
cleanup() { [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
export XDG_DATA_HOME=$work/data  # backups go here, not into the real home
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

start_radio() {  # kxsim options...
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  # The background shell truncates the files only once it runs: gone first, so the last radio's
  # device and log are never read as this one's.
  rm -f "$work/sim.out" "$work/sim.log"
  "$kxsim" --model kx600-uhf "$@" >"$work/sim.out" 2>"$work/sim.log" &
  sim_pid=$!
  for _ in $(seq 100); do
    pty=$(head -n 1 "$work/sim.out" 2>/dev/null)
    [ -n "$pty" ] && return 0
    sleep 0.05
  done
  fail "kxsim did not start"; cat "$work/sim.log"; exit 1
}

start_radio -v
"$kxtool" read --port "$pty" -o "$work/radio.dat" --image "$work/radio.bin" --trace "$work/trace.txt" 2>"$work/err"
[ $? -eq 0 ] || { fail "read"; cat "$work/err"; }
[ "$(stat -c %s "$work/radio.dat" 2>/dev/null)" = 1827 ] || fail "read wrote no configuration"
[ "$(stat -c %s "$work/radio.bin" 2>/dev/null)" = 416 ] || fail "read wrote no image"
grep -q '> 87 00 87' "$work/trace.txt" || fail "trace lacks the wake-up"
grep -q '< FF 99 14 01 90' "$work/trace.txt" || fail "trace lacks the last block"
ls "$work/data/kxprog/backups/"*-read.bin >/dev/null 2>&1 || fail "no backup of the read"

"$kxtool" write --port "$pty" "$work/radio.dat" 2>"$work/err" || { fail "write"; cat "$work/err"; }
ls "$work/data/kxprog/backups/"*-write.bin >/dev/null 2>&1 || fail "no backup of the write"

# A backup folder that cannot be made: the read still counts, and says no backup was kept.
echo "a file" >"$work/blocked"
XDG_DATA_HOME=$work/blocked "$kxtool" read --port "$pty" 2>"$work/err"
[ $? -eq 0 ] || { fail "read without a backup folder"; cat "$work/err"; }
grep -qF 'No backup of the radio memory could be kept: ' "$work/err" || fail "unkept backup not reported"

# A radio that refuses: exit 1 with the status, and no output file.
start_radio --fault refuse
"$kxtool" read --port "$pty" -o "$work/refused.dat" 2>"$work/err"
[ $? -eq 1 ] || fail "refused read should exit 1"
grep -qF 'Read Fail..!' "$work/err" || fail "refused read: no status"
[ ! -e "$work/refused.dat" ] || fail "refused read wrote a file"

# A port that is not there: its name (the path it was given by, the number of a numbered one),
# and the system's reason, with one port and with several.
"$kxtool" write --port /dev/ttyKX_ABSENT "$work/radio.dat" 2>"$work/err"
[ $? -eq 1 ] || fail "absent port should exit 1"
grep -qxF 'Fail to open /dev/ttyKX_ABSENT' "$work/err" || { fail "absent port: no status"; cat "$work/err"; }
grep -qxF '/dev/ttyKX_ABSENT: No such file or directory' "$work/err" || fail "absent port: no reason"
"$kxtool" write --port /dev/ttyKX_ABSENT --port 99 "$work/radio.dat" >"$work/out" 2>"$work/err"
[ $? -eq 1 ] || fail "absent ports of a bench should exit 1"
grep -qE '^ttyKX_ABSENT +Fail to open /dev/ttyKX_ABSENT ' "$work/out" || { fail "bench: absent port not named by its path"; cat "$work/out"; }
grep -qE '^ttyS98 +Fail to open PORT99 ' "$work/out" || { fail "bench: absent port not named by its number"; cat "$work/out"; }
for line in 'ttyKX_ABSENT: /dev/ttyKX_ABSENT: No such file or directory' \
    'ttyS98: /dev/ttyS98: No such file or directory'; do
  grep -qxF "$line" "$work/err" || { fail "bench: no reason '$line'"; cat "$work/err"; }
done
"$kxtool" write --port nonsense "$work/radio.dat" 2>/dev/null
[ $? -eq 2 ] || fail "a port that is no port is a usage error"

# Service commands in order, each with what the radio answered.
start_radio --channel 3 --fault deny-tx
"$kxtool" service --port "$pty" ident channel 9 tx rx squelch save >"$work/out" 2>"$work/err"
[ $? -eq 1 ] || fail "service with a denied transmit should exit 1"
for line in 'Channel 3, version 2.1, GMSK modem' 'channel 9: done' \
    'tx: This command is not allowed!' 'rx: done' 'squelch save: done'; do
  grep -qxF "$line" "$work/out" || { fail "service: no '$line'"; cat "$work/out" "$work/err"; }
done
"$kxtool" service --port "$pty" channel 2 gps-power off gps-data external >"$work/out" 2>"$work/err"
[ $? -eq 0 ] || { fail "service commands the radio accepts"; cat "$work/out" "$work/err"; }
start_radio --fault refuse
"$kxtool" service --port "$pty" rx >"$work/out" 2>"$work/err"
[ $? -eq 1 ] && grep -qxF 'Error!' "$work/err" || fail "service refused by the radio"
# Zero bytes before every answer: each command is judged on its own reply, a refusal never on
# the next command's.
start_radio --fault zeros
"$kxtool" service --port "$pty" mark on mark off space on scan stop >"$work/out" 2>"$work/err"
[ $? -eq 1 ] || fail "service with refused tones should exit 1"
printf '%s\n' 'mark on: This command is not allowed!' 'mark off: done' \
  'space on: This command is not allowed!' 'scan stop: done' | diff - "$work/out" >/dev/null ||
  { fail "service: replies not judged each for its own command"; cat "$work/out" "$work/err"; }
# A radio that goes away: the first command after it says so and nothing more is sent.
start_radio -v
"$kxtool" service --port "$pty" channel 2 gps-power off gps-data external gps-data disable \
  >"$work/out" 2>"$work/err" &
tool=$!
for _ in $(seq 200); do grep -q 'change to channel 2' "$work/sim.log" && break; sleep 0.05; done
kill "$sim_pid"; wait "$sim_pid" 2>/dev/null; sim_pid=""
wait "$tool"
[ $? -eq 1 ] || fail "service to a radio that went away should exit 1"
# (How many commands the radio answered before it went depends on when the kill lands.)
tail -n 1 "$work/out" | grep -qE "^[a-z0-9 -]+: Serial port lost: $pty\$" &&
  ! grep -qF 'did not answer' "$work/out" && [ "$(grep -c 'Serial port lost' "$work/out")" -eq 1 ] ||
  { fail "service: a lost radio not noticed at once"; cat "$work/out" "$work/err"; }
# A silent radio: the repeated command gives up after about 3 s.
start_radio --fault silent
"$kxtool" service --port "$pty" gps-power off >"$work/out" 2>"$work/err"
[ $? -eq 1 ] || fail "service to a silent radio should exit 1"
grep -qxF 'gps-power off: The radio did not answer!' "$work/out" || fail "silent radio not reported"

# Every usage error of the virtual radio exits 2, whichever check finds it.
for bad in "--channel 17" "--modem fm" "--bogus"; do
  "$kxsim" $bad >/dev/null 2>&1
  [ $? -eq 2 ] || fail "kxsim $bad should exit 2"
done

# A signal in the middle of a transfer: the status, exit 1, and the end of connection, which the
# radio hears as such (never as the check byte of a block cut short).
interrupt() {  # signal, what, kxtool arguments... (on the radio just started)
  local signal=$1 what=$2; shift 2
  "$kxtool" "$@" 2>"$work/err" &
  local tool=$!
  for _ in $(seq 200); do grep -q 'block 3 ' "$work/sim.log" && break; sleep 0.05; done
  if ! kill "-$signal" "$tool" 2>/dev/null; then
    fail "$what: kxtool had ended before the signal"
    cat "$work/err"; tail -n 5 "$work/sim.log"
  fi
  wait "$tool"
  [ $? -eq 1 ] || fail "$what should exit 1"
  grep -qF 'Stopped by the user!' "$work/err" || { fail "$what: no status"; cat "$work/err"; }
  for _ in $(seq 40); do grep -q '89 00 89   end of connection' "$work/sim.log" && break; sleep 0.05; done
  grep -q '89 00 89   end of connection' "$work/sim.log" || fail "$what did not end the connection"
}
start_radio -v
interrupt INT "write stopped with Ctrl+C" write --port "$pty" "$work/radio.dat"
# A closed terminal (SIGHUP) stops a transfer as Ctrl+C does.
start_radio -v
interrupt HUP "read of a closed terminal" read --port "$pty"

# Verification: a radio that holds what was written, and one that stores another byte.
start_radio
"$kxtool" write --verify --port "$pty" "$work/radio.dat" 2>"$work/err" || { fail "verified write"; cat "$work/err"; }
grep -qF 'Verifying.....!' "$work/err" || fail "verified write: no verifying status"
"$kxtool" verify --port "$pty" "$work/radio.dat" >"$work/out" 2>"$work/err" || { fail "verify of a radio that holds the file"; cat "$work/err"; }
start_radio --fault corrupt=0x029
"$kxtool" write --verify --port "$pty" "$work/radio.dat" 2>"$work/err"
[ $? -eq 1 ] || fail "write to a radio that stores another byte should exit 1"
grep -qE '^Verify failed: 1 byte differs \(0x029: wrote [0-9A-F]{2}, read [0-9A-F]{2}\)$' "$work/err" || { fail "verify failure not named"; cat "$work/err"; }
grep -qF '0x029: channel 2: step' "$work/err" || fail "verify failure without the field's name"
"$kxtool" verify --port "$pty" "$work/radio.dat" >"$work/out" 2>"$work/err"
[ $? -eq 1 ] && grep -qF 'Verify failed: 1 byte differs (0x029' "$work/err" || fail "verify of a differing radio"

# A bench of four radios, the third storing a wrong byte: the others succeed, the summary names
# the one that failed, exit 1. A port named twice is refused before anything starts.
start_bench() {  # count, kxsim options...
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  local count=$1; shift
  rm -f "$work/sim.out" "$work/sim.log"
  "$kxsim" --model kx600-uhf --count "$count" --link "$work/kx" "$@" >"$work/sim.out" 2>"$work/sim.log" &
  sim_pid=$!
  for _ in $(seq 100); do
    [ "$(wc -l <"$work/sim.out")" -eq "$count" ] && return 0
    sleep 0.05
  done
  fail "kxsim --count did not start"; cat "$work/sim.log"; exit 1
}
start_bench 4 --fault 3:corrupt=0x100
"$kxtool" write --port "$work/kx1" --port "$work/kx1" "$work/radio.dat" >"$work/out" 2>"$work/err"
[ $? -eq 2 ] && grep -qF 'named twice' "$work/err" || fail "a port named twice should be refused"
"$kxtool" write --verify --port "$work/kx1" --port "$work/kx2" --port "$work/kx3" --port "$work/kx4" \
    "$work/radio.dat" >"$work/out" 2>"$work/err"
[ $? -eq 1 ] || { fail "bench with a faulty radio should exit 1"; cat "$work/out" "$work/err"; }
for n in 1 2 4; do
  grep -qE "^kx$n +done +[0-9.]+ +$work/data/kxprog/backups/" "$work/out" || fail "bench: kx$n not done"
done
grep -qE '^kx3 +Verify failed: 1 byte differs \(0x100' "$work/out" || { fail "bench: kx3's failure not in the summary"; cat "$work/out"; }
grep -qF 'kx3: 0x100: channel 1: tone A count' "$work/err" || fail "bench: kx3's byte not named"
grep -qF '1 of 4 radios failed' "$work/err" || fail "bench: no count of failures"
[ "$(grep -c '^kx[1-4]: Verifying' "$work/err")" -eq 4 ] || fail "bench: no prefixed status lines"
backups=$(ls "$work/data/kxprog/backups/" | wc -l)
"$kxtool" read --port "$work/kx1" --port "$work/kx2" -o "$work/bench" >"$work/out" 2>"$work/err" || { fail "bench read"; cat "$work/err"; }
for n in 1 2; do
  [ "$(stat -c %s "$work/bench/kx$n.dat" 2>/dev/null)" = 1827 ] || fail "bench read: no kx$n.dat"
  [ "$(stat -c %s "$work/bench/kx$n.bin" 2>/dev/null)" = 416 ] || fail "bench read: no kx$n.bin"
done
[ "$(ls "$work/data/kxprog/backups/" | wc -l)" -eq $((backups + 2)) ] || fail "bench read: a backup per radio"

# Ctrl+C during a bench write stops every radio's transfer and closes every port: each ends its
# connection and can be written again at once.
start_bench 2 -v
"$kxtool" write --port "$work/kx1" --port "$work/kx2" "$work/radio.dat" >"$work/out" 2>"$work/err" &
tool=$!
for _ in $(seq 200); do [ "$(grep -c 'block 3 ' "$work/sim.log")" -ge 2 ] && break; sleep 0.05; done
kill -INT "$tool"
wait "$tool"
[ $? -eq 1 ] || fail "an interrupted bench should exit 1"
[ "$(grep -cE '^kx[12] +Stopped by the user!' "$work/out")" -eq 2 ] || { fail "bench: not every radio stopped"; cat "$work/out"; }
for _ in $(seq 40); do [ "$(grep -c '89 00 89   end of connection' "$work/sim.log")" -ge 2 ] && break; sleep 0.05; done
[ "$(grep -c '89 00 89   end of connection' "$work/sim.log")" -ge 2 ] || fail "bench: a stopped radio's connection was not ended"
"$kxtool" read --port "$work/kx1" --port "$work/kx2" -o "$work/again" >"$work/out" 2>"$work/err" || fail "ports not reusable after Ctrl+C"

[ "$failures" -eq 0 ] && echo "kxtool against the virtual radio: all checks passed"
exit $((failures > 0))
