#!/usr/bin/env bash
# beamwright-cli calibrate: bad options and bad profiles give one line on stderr,
# nothing on stdout and no output file; explicit options win over a profile.
set -u
. "$(dirname "$0")/expectations.sh"
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
"$cli" calibrate --help | grep -q 'XDG_CONFIG_HOME' || fail "calibrate --help does not name the settings folder"
exit $failures
