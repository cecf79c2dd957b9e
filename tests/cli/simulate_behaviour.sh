#!/usr/bin/env bash
# beamwright-cli simulate: the JSON keys and values for a known program, the
# picture's size, and one-line errors with exit 2 (options) or 1 (files).
set -u
. "$(dirname "$0")/expectations.sh"
golden=$(cd "$(dirname "$0")/../golden" && pwd)

# The 10 mm square in four passes: 4 x 40 mm plus three 0.5 mm steps down along a side.
"$cli" simulate "$golden/dxf-square/expected.gcode" --json --png "$work/square.png" --png-width 64 >"$work/square.json" \
  || fail "simulate of the square failed"
python3 - "$work/square.json" "$work/square.png" <<'PY' || fail "square JSON or picture"
import json, math, struct, sys
summary = json.load(open(sys.argv[1]))
assert set(summary) >= {"lines", "moves", "burn_length_mm", "travel_length_mm", "time_s", "bounds_mm", "warnings"}, summary
assert summary["lines"] == 35 and summary["moves"] == 18, summary
assert abs(summary["burn_length_mm"] - (160 + 3 * (math.hypot(10, 0.5) - 10))) < 1e-3, summary
assert summary["bounds_mm"] == {"min_x": 0, "min_y": 0, "max_x": 10, "max_y": 10}, summary
assert summary["warnings"] == [] and summary["time_s"] > 0, summary
png = open(sys.argv[2], "rb").read()
assert png[:8] == b"\x89PNG\r\n\x1a\n" and struct.unpack(">II", png[16:24]) == (64, 64), png[:24]
PY

# The machine values come from a G-CODE Settings profile (comma decimals, as the
# window writes them on such a desktop); an explicit option wins over it.
printf '[GCODE]\r\nPredkosc maksymalna=3000\r\nPrzyspieszenie=500\r\nOdchylenie naroza=0,02\r\n' >"$work/slow.gcd"
time_of() { "$cli" simulate "$golden/dxf-square/expected.gcode" --json "$@" | python3 -c 'import json,sys; print(json.load(sys.stdin)["time_s"])'; }
[ "$(time_of --gcode-profile "$work/slow.gcd")" = "$(time_of --max-rate 3000 --accel 500 --junction-deviation 0.02)" ] \
  || fail "the profile's machine values are not used"
[ "$(time_of --gcode-profile "$work/slow.gcd" --accel 1000 --max-rate 6000 --junction-deviation 0.01)" = "$(time_of)" ] \
  || fail "explicit options do not win over the profile"

expect_error 2 simulate "$golden/dxf-square/expected.gcode" --accel 0
expect_error 2 simulate "$golden/dxf-square/expected.gcode" --max-rate 6,000
expect_error 2 simulate "$golden/dxf-square/expected.gcode" --png-width 0
expect_error 1 simulate "$work/no-such-program.gcode"
printf 'G0 X0\n' >"$work/still.gcode"
expect_error 1 simulate "$work/still.gcode" --png "$work/still.png"
[ -e "$work/still.png" ] && fail "a picture of nothing was written"
exit $((failures > 0))
