# Sourced by the command-line tests (argument: beamwright-cli): a temporary folder
# $work, the failure count and the expectations the tests share. Every run is
# bounded, so that a hang fails instead of stalling the suite.
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# A refused run: the status wanted, nothing on standard output, one line on standard error.
expect_error() {
  local want=$1 out status
  shift
  out=$(timeout 60 "$cli" "$@" 2>"$work/err"); status=$?
  if [ $status -ne "$want" ] || [ -n "$out" ] || [ "$(wc -l <"$work/err")" -ne 1 ]; then
    fail "'$*' gave status $status (wanted $want), stdout '${out:0:80}', stderr '$(cat "$work/err")'"
  fi
}
# A failed job writing to a file: status 1, one line on standard error, no file.
expect_job_error() {
  rm -f "$work/job-output"
  expect_error 1 "$@" -o "$work/job-output"
  [ -e "$work/job-output" ] && fail "'$*' left its output file"
}
