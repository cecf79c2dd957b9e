#!/usr/bin/env bash
# Command-line conventions: bad input gives one line on stderr, exit code 2 and
# nothing on stdout; --help documents every sub-command.
set -u
cli=$1
failures=0
expect_usage_error() {
  local out err status
  out=$("$cli" "$@" 2>/tmp/bw-cli-err.$$); status=$?
  err=$(cat /tmp/bw-cli-err.$$)
  if [ $status -ne 2 ] || [ -n "$out" ] || [ "$(printf '%s\n' "$err" | wc -l)" -ne 1 ]; then
    echo "FAIL: '$*' gave status $status, stdout '$out', stderr '$err'"; failures=$((failures + 1))
  fi
}
expect_usage_error preview --bogus
expect_usage_error preview --dir-step 0,5
expect_usage_error preview --decimals x
expect_usage_error preview --start-point 3 --extent-width abc
expect_usage_error nosuchcommand
data=$(cd "$(dirname "$0")/../data/raster" && pwd)
expect_usage_error image "$data/pattern-8bit.bmp" --feed 15x0
expect_usage_error image "$data/pattern-8bit.bmp" --mode sepia
expect_usage_error image "$data/pattern-8bit.bmp" --gamma 9
expect_usage_error image "$data/pattern-8bit.bmp" --pixel-size 0,3
expect_usage_error image "$data/pattern-8bit.bmp" --keep-aspect --height 10
# A picture that cannot be used is a failed job: exit 1, one line, no output file.
expect_job_error() {
  local err status
  rm -f /tmp/bw-cli-out.$$
  "$cli" "$@" -o /tmp/bw-cli-out.$$ 2>/tmp/bw-cli-err.$$; status=$?
  err=$(cat /tmp/bw-cli-err.$$)
  if [ $status -ne 1 ] || [ -e /tmp/bw-cli-out.$$ ] || [ "$(printf '%s\n' "$err" | wc -l)" -ne 1 ]; then
    echo "FAIL: '$*' gave status $status, stderr '$err'"; failures=$((failures + 1))
  fi
}
expect_job_error image "$data/wide-2001x10.bmp"
expect_job_error image "$data/lying-header.bmp"
expect_job_error image "$data/no-such-picture.jpg"
# dxf: bad option values are usage errors; a failed job exits 1 and leaves no file.
dxf_dir=$(mktemp -d)
printf 'ENTITIES\nLINE\n 10\n0\n 20\n0\n 11\n10\n 21\n0\n' > "$dxf_dir/ok.dxf"
printf 'ENTITIES\nLINE\n 10\n0\n 20\n12.x5\n' > "$dxf_dir/bad.dxf"
expect_usage_error dxf "$dxf_dir/ok.dxf" --thickness 1,5
expect_usage_error dxf "$dxf_dir/ok.dxf" --feed 12.5
expect_usage_error dxf "$dxf_dir/ok.dxf" --pwm-max 255.5
expect_usage_error dxf "$dxf_dir/ok.dxf" --start-point 10
expect_usage_error dxf "$dxf_dir/ok.dxf" --layer -1
expect_usage_error dxf
expect_dxf_job_error() {
  local err status
  "$cli" "$@" -o "$dxf_dir/out.gcode" 2>"$dxf_dir/err" >/dev/null; status=$?
  err=$(cat "$dxf_dir/err")
  if [ $status -ne 1 ] || [ -e "$dxf_dir/out.gcode" ] || [ -z "$err" ]; then
    echo "FAIL: '$*' gave status $status, stderr '$err'"; failures=$((failures + 1))
  fi
}
expect_dxf_job_error dxf "$dxf_dir/bad.dxf"
expect_dxf_job_error dxf "$dxf_dir/missing.dxf"
expect_dxf_job_error dxf "$dxf_dir/ok.dxf" --header-file "$dxf_dir/missing.txt"
"$cli" dxf "$dxf_dir/bad.dxf" 2>&1 >/dev/null | grep -q "bad.dxf: line 6: '12.x5' is not a number" \
  || { echo "FAIL: dxf error does not name file and line"; failures=$((failures + 1)); }
"$cli" dxf "$dxf_dir/ok.dxf" -o "$dxf_dir/out.gcode" --progress 2>/dev/null && [ -s "$dxf_dir/out.gcode" ] \
  || { echo "FAIL: dxf -o"; failures=$((failures + 1)); }
# Entities the line scanner does not read are named on standard error; --all-entities reads them.
printf '  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\n0\n 20\n0\n 11\n10\n 21\n0\n  0\nLWPOLYLINE\n 10\n0\n 20\n0\n 42\n1\n 10\n10\n 20\n0\n  0\nTEXT\n  0\nENDSEC\n  0\nEOF\n' > "$dxf_dir/poly.dxf"
"$cli" dxf "$dxf_dir/poly.dxf" 2>&1 >/dev/null | grep -qx "beamwright-cli: warning: $dxf_dir/poly.dxf: Skipped: 1 LWPOLYLINE, 1 TEXT (use --all-entities)" \
  || { echo "FAIL: dxf does not name the skipped entities"; failures=$((failures + 1)); }
"$cli" dxf "$dxf_dir/poly.dxf" --all-entities 2>&1 >/dev/null | grep -qx "beamwright-cli: warning: $dxf_dir/poly.dxf: Skipped: 1 TEXT" \
  || { echo "FAIL: dxf --all-entities warning"; failures=$((failures + 1)); }
"$cli" dxf "$dxf_dir/poly.dxf" --all-entities 2>/dev/null | grep -q "^G3\|^G2" \
  || { echo "FAIL: dxf --all-entities does not cut the bulge as an arc"; failures=$((failures + 1)); }
rm -rf "$dxf_dir"
# PCB sub-commands: bad values are refused before anything is read; a failed job leaves no file.
examples=$(cd "$(dirname "$0")/../../examples" && pwd)
expect_usage_error pcb-raster "$examples/ExamplePCB.bmp" --beam 0,2
expect_usage_error pcb-raster "$examples/ExamplePCB.bmp" --dpi 0
expect_usage_error pcb-outline "$examples/ExamplePCB.bmp" --pwm-max 255.5
expect_usage_error pcb-outline
expect_usage_error eagle-command left
expect_usage_error pcb-raster "$examples/ExamplePCB.bmp" --beam 0
expect_usage_error pcb-outline "$examples/ExamplePCB.bmp" --beam 30
expect_job_error pcb-raster /nonexistent/board.bmp
"$cli" eagle-ulp /nonexistent/folder >/dev/null 2>&1
[ $? -eq 1 ] || { echo "FAIL: eagle-ulp into a missing folder"; failures=$((failures + 1)); }
[ "$("$cli" eagle-command bottom)" = "run exp2image monochrome 508 .bmp 16 17 18 20" ] ||
  { echo "FAIL: eagle-command bottom"; failures=$((failures + 1)); }
help=$("$cli" --help) || { echo "FAIL: --help"; failures=$((failures + 1)); }
for word in preview image dxf calibrate pcb-raster pcb-outline eagle-ulp eagle-command; do
  printf '%s' "$help" | grep -q "$word" || { echo "FAIL: --help does not mention $word"; failures=$((failures + 1)); }
done
"$cli" preview --help | grep -q -- "--mask" || { echo "FAIL: preview --help"; failures=$((failures + 1)); }
# Output does not follow the locale.
a=$(LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 "$cli" preview --dir-step 0.25)
b=$(LC_ALL=C "$cli" preview --dir-step 0.25)
[ "$a" = "$b" ] || { echo "FAIL: output depends on the locale"; failures=$((failures + 1)); }
a=$(LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 "$cli" image "$data/pattern-8bit.bmp" --pixel-size 0.25 --dir-step 0.1 --mask "[G] [X] [Y] (A)[A]")
b=$(LC_ALL=C "$cli" image "$data/pattern-8bit.bmp" --pixel-size 0.25 --dir-step 0.1 --mask "[G] [X] [Y] (A)[A]")
[ "$a" = "$b" ] || { echo "FAIL: image output depends on the locale"; failures=$((failures + 1)); }
# Gamma, brightness and contrast leave a dithered picture alone, as the window's disabled bars do.
a=$("$cli" image "$data/pattern-8bit.bmp" --mode dither)
b=$("$cli" image "$data/pattern-8bit.bmp" --mode dither --brightness 200 --gamma 3 2>/dev/null)
[ "$a" = "$b" ] || { echo "FAIL: adjustments changed a dithered picture"; failures=$((failures + 1)); }
# A program of several megabytes streams to its output in blocks while it is
# generated: every block arrives once and in order, to a file and to standard
# output alike (the hash is that of the same program built whole in memory).
big=(image "$data/pattern-8bit.bmp" --width 500 --height 400 --mode dither --horizontal --vertical)
"$cli" "${big[@]}" -o /tmp/bw-cli-out.$$
a=$(sha256sum </tmp/bw-cli-out.$$)
b=$("$cli" "${big[@]}" | sha256sum)
[ "$a" = "$b" ] && [ "${a%% *}" = 62eea18703435d98c8b655a1f83581e753be5dbf17d15c6175c534626469768d ] ||
  { echo "FAIL: a streamed program differs: $a / $b"; failures=$((failures + 1)); }
rm -f /tmp/bw-cli-out.$$
rm -f /tmp/bw-cli-err.$$
exit $failures
