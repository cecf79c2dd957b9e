#!/usr/bin/env bash
# Nothing reported as success that failed, nothing overwritten that was not
# ours, every damaged input refused. Every case runs in a temporary folder.
set -u
cli=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
examples=$root/examples
pattern=$root/tests/data/raster/pattern-8bit.bmp
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# status, then one line on stderr
expect() {
  local want=$1; shift
  "$@" >"$dir/stdout" 2>"$dir/stderr"; local status=$?
  [ $status -eq "$want" ] && [ "$(wc -l <"$dir/stderr")" -eq 1 ] || fail "'$*' gave status $status, stderr '$(cat "$dir/stderr")'"
}
printf '0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n10\n21\n0\n0\nENDSEC\n0\nEOF\n' >"$dir/a.dxf"

# Damaged pictures are refused by every command, and leave no output.
head -c 16619 "$examples/ExamplePCB.bmp" >"$dir/cut.bmp"
for command in pcb-raster pcb-outline image; do
  expect 1 "$cli" $command "$dir/cut.bmp" -o "$dir/out.nc" --preview-png "$dir/out.png"
  [ -e "$dir/out.nc" ] || [ -e "$dir/out.png" ] && fail "$command left output of a damaged picture"
done
# A name that is not UTF-8 is opened.
cp "$pattern" "$dir/$(printf 'p\xff.bmp')"
"$cli" image "$dir/$(printf 'p\xff.bmp')" >/dev/null 2>&1 || fail "image does not open a non-UTF-8 name"
"$cli" pcb-raster "$dir/$(printf 'p\xff.bmp')" >/dev/null 2>&1 || fail "pcb-raster does not open a non-UTF-8 name"

# Standard output is checked.
( "$cli" preview >/dev/full 2>"$dir/stderr" ); [ $? -eq 1 ] || fail "a full standard output reported success"
( "$cli" preview >&- 2>"$dir/stderr" ); [ $? -eq 1 ] || fail "a closed standard output reported success"

# Outputs: links written through, permissions kept, FIFOs written directly, inputs never replaced.
"$cli" preview -o "$dir/real.nc" && chmod 600 "$dir/real.nc" && ln -s real.nc "$dir/link.nc"
"$cli" preview --start-point 1 -o "$dir/link.nc" || fail "writing through a link"
[ -L "$dir/link.nc" ] && [ "$(stat -c %a "$dir/real.nc")" = 600 ] && grep -q . "$dir/real.nc" ||
  fail "the link was replaced or the permissions changed"
mkfifo "$dir/fifo"; timeout 10 cat "$dir/fifo" >"$dir/from-fifo" &
"$cli" preview --start-point 1 -o "$dir/fifo" || fail "writing to a FIFO"
wait
[ -p "$dir/fifo" ] && cmp -s "$dir/from-fifo" "$dir/real.nc" || fail "the FIFO was replaced or not written"
cp "$dir/a.dxf" "$dir/a.copy"
expect 2 "$cli" dxf "$dir/a.dxf" -o "$dir/a.dxf"
cmp -s "$dir/a.dxf" "$dir/a.copy" || fail "dxf overwrote its input"
expect 1 "$cli" image "$pattern" --preview-png "$dir/view.png" -o "$dir/missing/out.nc"
[ -e "$dir/view.png" ] && fail "a failed image run left its preview"
[ -z "$(ls "$dir" | grep '\.part$')" ] || fail "temporary files left behind"

# Running out of memory is a failed job with one line, never an abort: an 8000 x 8000
# 1-bit board (8 MB) needs about 450 MB; with less, loading or exposing it fails cleanly.
/usr/bin/python3 - "$dir/big.bmp" <<'PY'
import struct, sys
side, stride = 8000, 1000
head = b"BM" + struct.pack("<IHHI", 62 + stride * side, 0, 0, 62)
head += struct.pack("<IiiHHIIiiII", 40, side, side, 1, 1, 0, stride * side, 0, 0, 2, 0) + b"\0\0\0\0\xff\xff\xff\0"
open(sys.argv[1], "wb").write(head + b"\xff" * (stride * side))
PY
# (AddressSanitizer reserves its shadow memory up front, which no address space
# limit allows: the sanitizer build leaves these two runs out.)
for limit in 300000 380000; do
  [ -n "${BEAMWRIGHT_SANITIZED:-}" ] && break
  ( ulimit -v $limit; "$cli" pcb-raster "$dir/big.bmp" -o "$dir/big.nc" 2>"$dir/stderr" ); status=$?
  [ $status -eq 1 ] && grep -q "memory" "$dir/stderr" && [ ! -e "$dir/big.nc" ] ||
    fail "out of memory at $limit KB: status $status, '$(cat "$dir/stderr")'"
done

# Text inputs are bounded; a folder is not a file.
expect 1 timeout 20 "$cli" dxf "$dir/a.dxf" --header-file /dev/zero
expect 1 "$cli" dxf "$dir/a.dxf" --header-file "$dir"
expect 1 timeout 20 "$cli" calibrate coarse --gcode-profile /dev/zero

# One option policy: the same ranges everywhere, exit 2 for any value outside them.
expect 2 "$cli" dxf "$dir/a.dxf" --segment-length 0
expect 2 "$cli" dxf "$dir/a.dxf" --thickness -1
expect 2 "$cli" pcb-raster "$examples/ExamplePCB.bmp" --dpi 99999
expect 2 "$cli" pcb-outline "$examples/ExamplePCB.bmp" --thickness -1
expect 2 "$cli" image "$pattern" --pixel-size 0
for command in "preview" "dxf $dir/a.dxf" "image $pattern" "pcb-raster $examples/ExamplePCB.bmp"; do
  expect 2 "$cli" $command --start-point 0
  expect 2 "$cli" $command --dir-step 100000
  expect 2 "$cli" $command --decimals 21
  expect 2 "$cli" $command --pwm-max 0
done
exit $failures
