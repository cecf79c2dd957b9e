#!/usr/bin/env bash
# Command-line conventions: bad input gives one line on stderr, exit code 2 and
# nothing on stdout; a failed job exits 1 and leaves no file; --help documents
# every sub-command; the output follows no locale.
set -u
. "$(dirname "$0")/expectations.sh"
data=$(cd "$(dirname "$0")/../data/raster" && pwd)
examples=$(cd "$(dirname "$0")/../../examples" && pwd)
printf 'ENTITIES\nLINE\n 10\n0\n 20\n0\n 11\n10\n 21\n0\n' > "$work/ok.dxf"
printf 'ENTITIES\nLINE\n 10\n0\n 20\n12.x5\n' > "$work/bad.dxf"
expect_error 2 preview --bogus
expect_error 2 preview --dir-step 0,5
expect_error 2 preview --decimals x
expect_error 2 preview --start-point 3 --extent-width abc
expect_error 2 nosuchcommand
expect_error 2 image "$data/pattern-8bit.bmp" --feed 15x0
expect_error 2 image "$data/pattern-8bit.bmp" --mode sepia
expect_error 2 image "$data/pattern-8bit.bmp" --gamma 9
expect_error 2 image "$data/pattern-8bit.bmp" --pixel-size 0,3
expect_error 2 image "$data/pattern-8bit.bmp" --keep-aspect --height 10
expect_error 2 dxf "$work/ok.dxf" --thickness 1,5
expect_error 2 dxf "$work/ok.dxf" --feed 12.5
expect_error 2 dxf "$work/ok.dxf" --pwm-max 255.5
expect_error 2 dxf "$work/ok.dxf" --layer -1
expect_error 2 dxf
expect_error 2 pcb-raster "$examples/ExamplePCB.bmp" --beam 0,2
expect_error 2 pcb-raster "$examples/ExamplePCB.bmp" --dpi 0
expect_error 2 pcb-raster "$examples/ExamplePCB.bmp" --beam 0
expect_error 2 pcb-outline "$examples/ExamplePCB.bmp" --pwm-max 255.5
expect_error 2 pcb-outline "$examples/ExamplePCB.bmp" --beam 30
expect_error 2 pcb-outline
expect_error 2 eagle-command left
expect_error 1 eagle-ulp /nonexistent/folder
expect_job_error image "$data/wide-2001x10.bmp"
expect_job_error image "$data/lying-header.bmp"
expect_job_error image "$data/no-such-picture.jpg"
# With a size given, the picture is read once at that size: the same refusals hold.
expect_job_error image "$data/wide-2001x10.bmp" --width 100 --height 10
expect_job_error image "$data/lying-header.bmp" --width 100
expect_job_error pcb-raster /nonexistent/board.bmp
expect_job_error dxf "$work/bad.dxf"
expect_job_error dxf "$work/missing.dxf"
expect_job_error dxf "$work/ok.dxf" --header-file "$work/missing.txt"
"$cli" dxf "$work/bad.dxf" 2>&1 >/dev/null | grep -q "bad.dxf: line 6: '12.x5' is not a number" \
  || fail "dxf error does not name file and line"
"$cli" dxf "$work/ok.dxf" -o "$work/out.gcode" --progress 2>/dev/null && [ -s "$work/out.gcode" ] || fail "dxf -o --progress"

# Entities the line scanner does not read are named on standard error; --all-entities reads them.
printf '  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\n0\n 20\n0\n 11\n10\n 21\n0\n  0\nLWPOLYLINE\n 10\n0\n 20\n0\n 42\n1\n 10\n10\n 20\n0\n  0\nTEXT\n  0\nENDSEC\n  0\nEOF\n' > "$work/poly.dxf"
"$cli" dxf "$work/poly.dxf" 2>&1 >/dev/null | grep -qx "beamwright-cli: warning: $work/poly.dxf: Skipped: 1 LWPOLYLINE, 1 TEXT (use --all-entities)" \
  || fail "dxf does not name the skipped entities"
"$cli" dxf "$work/poly.dxf" --all-entities 2>&1 >/dev/null | grep -qx "beamwright-cli: warning: $work/poly.dxf: Skipped: 1 TEXT" \
  || fail "dxf --all-entities warning"
"$cli" dxf "$work/poly.dxf" --all-entities 2>/dev/null | grep -q "^G3\|^G2" \
  || fail "dxf --all-entities does not cut the bulge as an arc"

[ "$("$cli" eagle-command bottom)" = "run exp2image monochrome 508 .bmp 16 17 18 20" ] || fail "eagle-command bottom"
help=$("$cli" --help) || fail "--help"
for word in preview image dxf calibrate pcb-raster pcb-outline eagle-ulp eagle-command simulate; do
  printf '%s' "$help" | grep -q "$word" || fail "--help does not mention $word"
done
"$cli" preview --help | grep -q -- "--mask" || fail "preview --help"

same_in_both_locales() {
  [ "$(LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 "$cli" "$@" | md5sum)" = "$(LC_ALL=C "$cli" "$@" | md5sum)" ] ||
    fail "'$*' depends on the locale"
}
same_in_both_locales preview --dir-step 0.25
same_in_both_locales calibrate grey --focus-z 1.5
same_in_both_locales image "$data/pattern-8bit.bmp" --pixel-size 0.25 --dir-step 0.1 --mask "[G] [X] [Y] (A)[A]"

# Gamma, brightness and contrast leave a dithered picture alone, as the window's disabled bars do.
a=$("$cli" image "$data/pattern-8bit.bmp" --mode dither)
b=$("$cli" image "$data/pattern-8bit.bmp" --mode dither --brightness 200 --gamma 3 2>/dev/null)
[ "$a" = "$b" ] || fail "adjustments changed a dithered picture"
# A program of several megabytes streams to its output in blocks while it is
# generated: every block arrives once and in order, to a file and to standard
# output alike (the hash is that of the same program built whole in memory).
big=(image "$data/pattern-8bit.bmp" --width 500 --height 400 --mode dither --horizontal --vertical)
"$cli" "${big[@]}" -o "$work/big.nc"
a=$(sha256sum <"$work/big.nc")
b=$("$cli" "${big[@]}" | sha256sum)
[ "$a" = "$b" ] && [ "${a%% *}" = 62eea18703435d98c8b655a1f83581e753be5dbf17d15c6175c534626469768d ] ||
  fail "a streamed program differs: $a / $b"
exit $failures
