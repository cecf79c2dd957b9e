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
# PCB sub-commands: bad values are refused before anything is read.
examples=$(cd "$(dirname "$0")/../../examples" && pwd)
expect_usage_error pcb-raster "$examples/ExamplePCB.bmp" --beam 0,2
expect_usage_error pcb-raster "$examples/ExamplePCB.bmp" --dpi 0
expect_usage_error pcb-outline "$examples/ExamplePCB.bmp" --pwm-max 255.5
expect_usage_error pcb-outline
expect_usage_error eagle-command left
expect_job_error() {
  local out status
  out=$("$cli" "$@" 2>/dev/null); status=$?
  if [ $status -ne 1 ] || [ -n "$out" ]; then
    echo "FAIL: '$*' gave status $status, stdout '$out'"; failures=$((failures + 1))
  fi
}
expect_job_error pcb-raster "$examples/ExamplePCB.bmp" --beam 0
expect_job_error pcb-outline "$examples/ExamplePCB.bmp" --beam 30
expect_job_error pcb-raster /nonexistent/board.bmp
expect_job_error eagle-ulp /nonexistent/folder
rm -f /tmp/bw-cli-pcb.$$
"$cli" pcb-raster "$examples/ExamplePCB.bmp" --beam 0 -o /tmp/bw-cli-pcb.$$ 2>/dev/null
[ -e /tmp/bw-cli-pcb.$$ ] && { echo "FAIL: a refused job left its output file"; failures=$((failures + 1)); }
[ "$("$cli" eagle-command bottom)" = "run exp2image monochrome 508 .bmp 16 17 18 20" ] ||
  { echo "FAIL: eagle-command bottom"; failures=$((failures + 1)); }
help=$("$cli" --help) || { echo "FAIL: --help"; failures=$((failures + 1)); }
for word in preview pcb-raster pcb-outline eagle-ulp eagle-command; do
  printf '%s' "$help" | grep -q "$word" || { echo "FAIL: --help does not mention $word"; failures=$((failures + 1)); }
done
"$cli" preview --help | grep -q -- "--mask" || { echo "FAIL: preview --help"; failures=$((failures + 1)); }
# Output does not follow the locale.
a=$(LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 "$cli" preview --dir-step 0.25)
b=$(LC_ALL=C "$cli" preview --dir-step 0.25)
[ "$a" = "$b" ] || { echo "FAIL: output depends on the locale"; failures=$((failures + 1)); }
rm -f /tmp/bw-cli-err.$$
exit $failures
