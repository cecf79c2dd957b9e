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
help=$("$cli" --help) || { echo "FAIL: --help"; failures=$((failures + 1)); }
for word in preview; do
  printf '%s' "$help" | grep -q "$word" || { echo "FAIL: --help does not mention $word"; failures=$((failures + 1)); }
done
"$cli" preview --help | grep -q -- "--mask" || { echo "FAIL: preview --help"; failures=$((failures + 1)); }
# Output does not follow the locale.
a=$(LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 "$cli" preview --dir-step 0.25)
b=$(LC_ALL=C "$cli" preview --dir-step 0.25)
[ "$a" = "$b" ] || { echo "FAIL: output depends on the locale"; failures=$((failures + 1)); }
rm -f /tmp/bw-cli-err.$$
exit $failures
