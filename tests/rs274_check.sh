#!/usr/bin/env bash
# Independent judge: every DXF, picture, calibration and PCB outline golden
# program must run through LinuxCNC's standalone interpreter rs274 without an
# error. The PCB raster programs are left out: their fixed M17/M302/G92 E0/M18
# lines are for their own machine. Skipped (exit 77) when rs274 is not at hand;
# scripts/fetch-rs274 fetches it.
set -euo pipefail
golden=$1
rs274=${BEAMWRIGHT_RS274:-${XDG_CACHE_HOME:-$HOME/.cache}/beamwright/rs274/rs274}
if [ ! -x "$rs274" ]; then
  echo "rs274 not found (scripts/fetch-rs274 fetches it): skipped"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'T1 P1 D0.1 ;beam\n' > "$work/tool.tbl"
failures=0
checked=0
for case in "$golden"/dxf-*/ "$golden"/image-*/ "$golden"/calibrate-*/ "$golden"/pcb-outline-*/; do
  name=$(basename "$case")
  # Its mask writes P and Q words on every line on purpose: a test of the mask, not a program.
  [ "$name" = dxf-every-token ] && continue
  # A modal feed first: masks without an F token leave the feed to the controller.
  # GRBL's settings lines ("$32=1") are not G-code; GRBL needs no program end, rs274 does.
  { echo F1000; tr -d '\r' < "$case/expected.gcode" | grep -v '^\$' || true; echo M2; } > "$work/$name.ngc"
  if ! (cd "$work" && "$rs274" -t tool.tbl -g "$name.ngc" "$name.out" > "$name.log" 2>&1) ||
     grep -q -v '^executing$' "$work/$name.log"; then
    echo "$name: rs274 refused it:"
    tail -n 4 "$work/$name.log"
    failures=$((failures + 1))
  fi
  checked=$((checked + 1))
done
echo "$checked programs checked, $failures refused"
[ "$failures" -eq 0 ]
