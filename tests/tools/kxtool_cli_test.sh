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

# A radio's two-tone values come back as they went in: read, export, import, write change nothing.
printf 'model: kx600-uhf\nchannels:\n  - ch: 2\n    rx_freq_mhz: 420.0125\n    rx_option: Tone A\n    tone_a_hz: 1200\n' >"$work/tone.yaml"
check "import two-tone" 0 "$kxtool" import "$work/tone.yaml" -o "$work/tone.dat"
check "encode two-tone" 0 "$kxtool" encode "$work/tone.dat" -o "$work/tone.bin"
check "export a radio's image" 0 "$kxtool" export "$work/tone.bin" -o "$work/radio.yaml"
grep -qF "tone_a_hz: 1200" "$work/radio.yaml" || { echo "FAIL: 1200 Hz reads back as $(grep -m2 tone_a_hz "$work/radio.yaml" | tail -1)"; failures=$((failures + 1)); }
check "import a radio's YAML" 0 "$kxtool" import "$work/radio.yaml" -o "$work/radio.dat"
expect_absent_text() {  # description, text not expected in out or err
  ! grep -qF -- "$2" "$work/out" "$work/err" || { echo "FAIL: $1: '$2'"; cat "$work/out" "$work/err"; failures=$((failures + 1)); }
}
expect_absent_text "nothing noted on the way back" "stored as"
check "encode the radio's YAML" 0 "$kxtool" encode "$work/radio.dat" -o "$work/radio.bin"
cmp -s "$work/tone.bin" "$work/radio.bin" || { echo "FAIL: the radio's image changed through YAML"; failures=$((failures + 1)); }

# A configuration and its own image hold the same: diff and verify compare what a radio holds.
check "diff of a .dat and its image" 0 "$kxtool" diff "$work/tone.dat" "$work/tone.bin"
check "fresh .dat" 0 "$kxtool" new --model kx600-uhf -o "$work/f.dat"
check "fresh image" 0 "$kxtool" encode "$work/f.dat" -o "$work/f.bin"
check "diff of a fresh .dat and its image" 0 "$kxtool" diff "$work/f.dat" "$work/f.bin"

# A damaged .dat: the scan delay, power-save delay and GPS cycle at 0x7FFFFFFF, a channel's scan
# flag at 2. Nothing is arithmetic on them; the flag goes through YAML and back.
cp "$work/f.dat" "$work/damaged.dat"
for at in 72 84 88 80 108; do
  printf '\xff\xff\xff\x7f' | dd of="$work/damaged.dat" bs=1 seek=$at conv=notrunc status=none
done
check "show a damaged .dat" 0 "$kxtool" show "$work/damaged.dat"
expect_absent_text "no sum overflows into the sheet" "2147483648"
check "sheet of a damaged .dat" 0 "$kxtool" sheet "$work/damaged.dat" -o "$work/damaged.pdf"
check "export a damaged .dat" 0 "$kxtool" export "$work/damaged.dat" -o "$work/damaged.yaml"
grep -qF "scan_delay_sec: index 2147483647" "$work/damaged.yaml" || { echo "FAIL: damaged scan delay exported as $(grep scan_delay "$work/damaged.yaml")"; failures=$((failures + 1)); }
check "import a damaged .dat's YAML" 1 "$kxtool" import "$work/damaged.yaml" -o "$work/x.dat"
expect_text "the damaged value is refused" "scan_delay_sec: 'index 2147483647' is not one of 1 .. 15"
check "diff a damaged .dat" 1 "$kxtool" diff "$work/f.dat" "$work/damaged.dat"
cp "$work/f.dat" "$work/scan2.dat"
printf '\x02' | dd of="$work/scan2.dat" bs=1 seek=236 conv=notrunc status=none
check "export a scan flag of 2" 0 "$kxtool" export "$work/scan2.dat" -o "$work/scan2.yaml"
check "import a scan flag of 2" 0 "$kxtool" import "$work/scan2.yaml" -o "$work/scan2back.dat"
cmp -s "$work/scan2.dat" "$work/scan2back.dat" || { echo "FAIL: a scan flag of 2 changed through YAML"; failures=$((failures + 1)); }

# Numbers too large for their field, and a second YAML document, are refused.
printf 'model: kx600-uhf\nmodem:\n  tx_on_delay_ms: 99999999999999999999\n' >"$work/huge.yaml"
check "a 20-digit delay" 1 "$kxtool" import "$work/huge.yaml" -o "$work/x.dat"
expect_text "a 20-digit delay" "huge.yaml:3: tx_on_delay_ms: Valid Settings 0 - 255 ms"
printf 'model: kx600-uhf\n---\nmodel: kx400-vhf\n' >"$work/two.yaml"
check "two YAML documents" 1 "$kxtool" import "$work/two.yaml" -o "$work/x.dat"
expect_text "two YAML documents" "two.yaml:3: a second document: a file holds one configuration"
expect_absent "refused YAML" "$work/x.dat"

# -o - is standard output for every command that writes one file; binary files only when it is
# not a terminal. No file named "-" is made.
cd "$work" || exit 1
check "new to standard output" 0 "$kxtool" new --model kx600-uhf -o -
cmp -s "$work/out" "$work/f.dat" || { echo "FAIL: new -o - is not the .dat"; failures=$((failures + 1)); }
check "encode to standard output" 0 "$kxtool" encode "$work/f.dat" -o -
cmp -s "$work/out" "$work/f.bin" || { echo "FAIL: encode -o - is not the image"; failures=$((failures + 1)); }
check "decode to standard output" 0 "$kxtool" decode "$work/f.bin" -o -
expect_file "decode to standard output" "$work/out" 1827
check "import to standard output" 0 "$kxtool" import "$work/old.yaml" -o -
cmp -s "$work/out" "$work/old.dat" || { echo "FAIL: import -o - is not the .dat"; failures=$((failures + 1)); }
check "import-legacy to standard output" 0 "$kxtool" import-legacy "$work/old.UHF" --model kx400-uhf -o -
cmp -s "$work/out" "$work/old.dat" || { echo "FAIL: import-legacy -o - is not the .dat"; failures=$((failures + 1)); }
check "sheet to standard output" 0 "$kxtool" sheet "$work/old.dat" -o -
head -c 8 "$work/out" | grep -qF "%PDF-1.4" || { echo "FAIL: sheet -o - is no PDF"; failures=$((failures + 1)); }
check "read to standard output twice" 2 "$kxtool" read --port /dev/ttyKX_ABSENT -o - --image -
check "read several radios to standard output" 2 "$kxtool" read --port /dev/ttyKX_A --port /dev/ttyKX_B -o -
expect_absent "-o - makes no file" "$work/-"
if script -qec true /dev/null >/dev/null 2>&1; then
  script -qec "'$kxtool' new --model 2 -o -" /dev/null >"$work/tty" 2>&1
  grep -qF "standard output is a terminal" "$work/tty" || { echo "FAIL: a .dat went to a terminal"; cat "$work/tty"; failures=$((failures + 1)); }
fi
cd - >/dev/null || exit 1

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
