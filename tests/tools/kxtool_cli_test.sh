#!/usr/bin/env bash
# The command-line tool as a script would use it: exit codes, messages, and files only written
# when the work succeeded.
set -u
kxtool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

check() {  # description, expected exit code, command...
  local what=$1 want=$2; shift 2
  "$@" >"$work/out" 2>"$work/err"
  local got=$?
  if [ "$got" -ne "$want" ]; then
    echo "FAIL: $what: exit $got, expected $want"; cat "$work/err"; failures=$((failures + 1))
  fi
}
expect_file() {  # description, path, size
  local size
  size=$(stat -c %s "$2" 2>/dev/null || echo missing)
  [ "$size" = "$3" ] || { echo "FAIL: $1: $2 is $size, expected $3"; failures=$((failures + 1)); }
}
expect_absent() {
  [ ! -e "$2" ] || { echo "FAIL: $1: $2 was written"; failures=$((failures + 1)); }
}
expect_text() {  # description, text expected in out or err
  grep -qF -- "$2" "$work/out" "$work/err" || { echo "FAIL: $1: no '$2'"; cat "$work/out" "$work/err"; failures=$((failures + 1)); }
}

# A configuration travels through its image and back unchanged.
check "new" 0 "$kxtool" new --model kx600-uhf -o "$work/a.dat"
expect_file "new" "$work/a.dat" 1827
check "show" 0 "$kxtool" show "$work/a.dat"
expect_text "show names the model" "* MODEL  : KX600 UHF"
expect_text "show names the sub-band" "Sub-band: U1 : 400 - 440 MHz"
check "encode" 0 "$kxtool" encode "$work/a.dat" -o "$work/a.bin"
expect_file "encode" "$work/a.bin" 416
check "decode" 0 "$kxtool" decode "$work/a.bin" -o "$work/b.dat"
check "encode again" 0 "$kxtool" encode "$work/b.dat" -o "$work/b.bin"
cmp -s "$work/a.bin" "$work/b.bin" || { echo "FAIL: image changed on its way through a .dat"; failures=$((failures + 1)); }
check "model by number" 0 "$kxtool" new --model 2 -o "$work/c.dat"

# The command line is wrong: exit 2, nothing written.
check "unknown model" 2 "$kxtool" new --model 7 -o "$work/x.dat"
expect_absent "unknown model" "$work/x.dat"
check "no output" 2 "$kxtool" new --model 3
check "no command" 2 "$kxtool"
check "unknown command" 2 "$kxtool" frobnicate
expect_text "unknown command" "unknown command 'frobnicate'; the commands are: new show"
check "legacy needs its extension" 2 "$kxtool" import-legacy "$work/a.dat" --model 3 -o "$work/x.dat"
check "help" 0 "$kxtool" --help

# The files say no: exit 1, the message on standard error, nothing written.
head -c 100 "$work/a.bin" >"$work/short.bin"
check "short image" 1 "$kxtool" decode "$work/short.bin" -o "$work/x.dat"
expect_text "short image" "The radio memory image must be 416 bytes!"
expect_absent "short image" "$work/x.dat"
head -c 1000 "$work/a.dat" >"$work/short.dat"
check "short .dat" 1 "$kxtool" encode "$work/short.dat" -o "$work/x.bin"
expect_text "short .dat" "This file is corrupted or wrong file type!"
expect_absent "short .dat" "$work/x.bin"
check "missing file" 1 "$kxtool" show "$work/absent.dat"
expect_text "missing file" "Cannot Open File!"
expect_text "missing file" "absent.dat: No such file or directory"

# Saving goes where a link leads and never over what is not an ordinary writable file.
ln -s a.dat "$work/link.dat"
check "save through a link" 0 "$kxtool" new --model 2 -o "$work/link.dat"
[ -L "$work/link.dat" ] || { echo "FAIL: the link was replaced"; failures=$((failures + 1)); }
cp "$work/a.dat" "$work/ro.dat" && chmod 444 "$work/ro.dat"
check "read-only target" 1 "$kxtool" new --model 2 -o "$work/ro.dat"
expect_text "read-only target" "ro.dat: The file is read-only"
mkfifo "$work/fifo.dat"
check "FIFO target" 1 "$kxtool" new --model 2 -o "$work/fifo.dat"
expect_text "FIFO target" "fifo.dat: Not a regular file"

# A KX100 file: one UHF channel at 440 MHz receive, 445 MHz transmit, 6.25 kHz step.
{
  for a in $(seq 0 99); do
    case $a in
      0) data=ED90 ;; 1) data=6081 ;; 2) data=002C ;; 72) data=0001 ;; *) data=0000 ;;
    esac
    printf '%02X:%s \r\n' "$a" "$data"
  done
} >"$work/old.UHF"
check "import into a VHF model" 1 "$kxtool" import-legacy "$work/old.UHF" --model kx400-vhf -o "$work/x.dat"
expect_text "import into a VHF model" "This file is for UHF. Model type is mismatched."
expect_absent "import into a VHF model" "$work/x.dat"
check "import" 0 "$kxtool" import-legacy "$work/old.UHF" --model kx400-uhf -o "$work/old.dat"
check "show import" 0 "$kxtool" show "$work/old.dat"
expect_text "imported channel" "440.0000"
expect_text "imported sub-band" "Sub-band: U2"

# Configurations as text: through YAML and back byte for byte, channels from a CSV table with the
# channel page's rules, nothing written on a refusal, diff's exit codes as diff(1)'s.
check "export YAML" 0 "$kxtool" export "$work/old.dat" -o "$work/old.yaml"
check "import YAML" 0 "$kxtool" import "$work/old.yaml" -o "$work/back.dat"
cmp -s "$work/old.dat" "$work/back.dat" || { echo "FAIL: .dat changed on its way through YAML"; failures=$((failures + 1)); }
check "new for text" 0 "$kxtool" new --model kx600-uhf -o "$work/u.dat"
check "export to standard output needs a format" 2 "$kxtool" export "$work/u.dat" -o -
check "export CSV" 0 "$kxtool" export "$work/u.dat" -o - --format csv
expect_text "CSV header" "CH,Rx Freq(MHz),RxOption,Tx Freq(MHz),TxOption,BW,Tx Power,Scan,Tone A(Hz),Tone A(ms),Tone B(Hz),Tone B(ms)"
printf 'CH;Rx Freq(MHz);RxOption\r\n3;400,0065;67\r\n' >"$work/ch.csv"
check "import CSV" 0 "$kxtool" import "$work/ch.csv" --into "$work/u.dat" -o "$work/ch.dat"
expect_text "import CSV notes a snapped value" "ch.csv:2: Rx Freq(MHz): 400,0065 stored as 400.01250"
check "diff" 1 "$kxtool" diff "$work/u.dat" "$work/ch.dat"
expect_text "diff names the value" "channel 3 Rx Freq(MHz): - -> 400.01250"
check "diff of a .dat and its YAML" 0 "$kxtool" diff "$work/old.dat" "$work/old.yaml"
check "diff with a missing file" 2 "$kxtool" diff "$work/u.dat" "$work/absent.dat"
printf 'CH,Rx Freq(MHz)\n3,450\n' >"$work/bad.csv"
check "refused CSV" 1 "$kxtool" import "$work/bad.csv" --model kx600-uhf -o "$work/x.dat"
expect_text "refused CSV" "bad.csv:2: Rx Freq(MHz): Valid Range : 400 to 440MHz"
expect_absent "refused CSV" "$work/x.dat"
check "CSV needs a base" 2 "$kxtool" import "$work/ch.csv" -o "$work/x.dat"
check "YAML has its own model" 2 "$kxtool" import "$work/old.yaml" --model 3 -o "$work/x.dat"

# Service commands are checked before the port is touched.
check "service channel out of range" 2 "$kxtool" service --port /dev/ttyKX_ABSENT channel 17 rx
expect_text "service channel out of range" "channel takes a number 1..16, not '17'"
check "service channel without a number" 2 "$kxtool" service --port /dev/ttyKX_ABSENT channel
check "service setting missing" 2 "$kxtool" service --port /dev/ttyKX_ABSENT rx gps-power
expect_text "service setting missing" "gps-power takes on|off"
check "service unknown command" 2 "$kxtool" service --port /dev/ttyKX_ABSENT rx dance
check "service without commands" 2 "$kxtool" service --port /dev/ttyKX_ABSENT

# The data sheet: a PDF of two pages whose text holds the title and all sixteen rows.
check "sheet as PDF" 0 "$kxtool" sheet "$work/old.dat" -o "$work/sheet.pdf"
check "sheet needs an output" 2 "$kxtool" sheet "$work/old.dat"
check "sheet as text" 0 "$kxtool" sheet "$work/old.dat" --text
expect_text "sheet as text" "====  OPTION DATA  ===="
if command -v pdftotext >/dev/null; then
  pdftotext -layout "$work/sheet.pdf" "$work/sheet.txt"
  grep -qF "===== PC PROGRAMMER DATA SHEET =====" "$work/sheet.txt" || { echo "FAIL: PDF has no title"; failures=$((failures + 1)); }
  rows=$(grep -cE '^ *([1-9]|1[0-6]) +[0-9-]' "$work/sheet.txt")
  [ "$rows" -eq 16 ] || { echo "FAIL: PDF has $rows channel rows"; failures=$((failures + 1)); }
  [ "$(pdfinfo "$work/sheet.pdf" | awk '/^Pages:/ {print $2}')" = 2 ] || { echo "FAIL: PDF is not two pages"; failures=$((failures + 1)); }
fi

[ "$failures" -eq 0 ] && echo "kxtool: all checks passed"
exit $((failures > 0))
