#!/usr/bin/env bash
# beamwright-cli calibrate: bad options and bad profiles give one line on stderr,
# nothing on stdout and no output file; explicit options win over a profile.
set -u
cli=$1
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_error() {
  local code=$1; shift
  local out err status
  out=$("$cli" "$@" 2>"$work/err"); status=$?
  err=$(cat "$work/err")
  if [ $status -ne "$code" ] || [ -n "$out" ] || [ "$(printf '%s\n' "$err" | wc -l)" -ne 1 ]; then
    fail "'$*' gave status $status (wanted $code), stdout '${out:0:80}', stderr '$err'"
  fi
}
expect_error 2 calibrate
expect_error 2 calibrate wobble
expect_error 2 calibrate fine --base-z 1,5
expect_error 2 calibrate coarse --feed abc
expect_error 2 calibrate grey --thickness ''
expect_error 2 calibrate coarse --decimals 99
expect_error 2 calibrate coarse --pwm-max x
expect_error 1 calibrate coarse --gcode-profile "$work/missing.gcd"
printf '[DXF]\r\nGrubosc=2\r\n' > "$work/page.cpd"
expect_error 1 calibrate coarse --gcode-profile "$work/page.cpd"
head -c 3000 /dev/urandom > "$work/garbage.gcd"
expect_error 1 calibrate coarse --gcode-profile "$work/garbage.gcd"
expect_error 1 calibrate coarse --header-file "$work/missing.txt"
expect_error 1 calibrate coarse -o "$work/no/such/folder/out.g"
[ -e "$work/no" ] && fail "a folder appeared for a failed output"

# A profile's mask and header, with the mask overridden on the command line.
printf '[GCODE]\r\nNaglowek=480D0A\r\nStopka=\r\nMaska=[G] [X] [Y]\r\nPWM MAX=1000\r\n' > "$work/p.gcd"
first=$("$cli" calibrate coarse --gcode-profile "$work/p.gcd" | head -3 | tr -d '\r' | paste -sd'|')
[ "$first" = "H|;10|G0 X3.8502 Y13.0019" ] || fail "profile mask and header: '$first'"
first=$("$cli" calibrate coarse --gcode-profile "$work/p.gcd" --mask '[G] (S)[P]' | sed -n 4p | tr -d '\r')
[ "$first" = "G1 S1000" ] || fail "--mask over the profile, PWM maximum from it: '$first'"
printf 'top\n\n' > "$work/header.txt"
first=$("$cli" calibrate grey --header-file "$work/header.txt" | head -3 | tr -d '\r' | paste -sd'|')
[ "$first" = "top||G0 X0.0000 Y0.0000 Z0.0000 F5000 " ] || fail "--header-file: '$first'"

# -o writes the same bytes as standard output.
"$cli" calibrate fine -o "$work/fine.nc" || fail "calibrate fine -o"
cmp -s "$work/fine.nc" <("$cli" calibrate fine) || fail "-o differs from standard output"
a=$(LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 "$cli" calibrate grey --focus-z 1.5 | md5sum)
b=$(LC_ALL=C "$cli" calibrate grey --focus-z 1.5 | md5sum)
[ "$a" = "$b" ] || fail "output depends on the locale"
"$cli" --help | grep -q calibrate || fail "--help does not mention calibrate"
"$cli" calibrate --help | grep -q 'XDG_CONFIG_HOME' || fail "calibrate --help does not name the settings folder"
exit $failures
