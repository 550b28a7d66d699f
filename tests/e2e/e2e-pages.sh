#!/usr/bin/env bash
# The DPI and performance pages of the real mousecfg --simulate on an X
# server (run by on-new-display.sh): DPI stage 1 is moved to its highest step and
# the report rate set to 500 HZ with the mouse and keyboard, "Apply" writes
# them, and mousecfg-cli sim-show must find both in the simulated mouse.
# Screenshots land in $BUILD_DIR/screenshots.
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

[ -x "$BIN/mousecfg-cli" ] || fail "no $BIN/mousecfg-cli (build first)"
if ! grep -q MirtDPIWindow "$BIN/mousecfg"; then
  echo "SKIP: this mousecfg was built without the DPI page"
  exit 77
fi

# What the simulated mouse holds in its active profile: "X RATE", the first
# DPI stage's register value and the report-rate code of the mode block.
sim_state() {
  "$BIN/mousecfg-cli" --simulate --config-dir "$CONF" sim-show | awk '
    /"activeProfile":/ { v = $2; gsub(/[^0-9]/, "", v); active = v }
    /"dpi": \[/        { indpi = 1; firstx = ""; next }
    indpi && /"x":/ && firstx == "" { v = $2; gsub(/[^0-9]/, "", v); firstx = v }
    indpi && /^ *\],?$/ { indpi = 0 }
    /"mode": \{/       { inmode = 1; next }
    inmode && /"reportRate":/ { v = $2; gsub(/[^0-9]/, "", v); rate = v }
    inmode && /^ *\},?$/ { inmode = 0 }
    /"profile":/       { v = $2; gsub(/[^0-9]/, "", v); xs[v] = firstx; rates[v] = rate }
    END { print xs[active], rates[active] }'
}

# The window logs each status report of the poller ("Test data:") at debug level.
export QT_LOGGING_RULES="mousecfg.app.debug=true"
start_mousecfg

# The "DPI" tab shows the DPI page and both performance panels.
click_at $((285 + 2 * 116 + 55)) 50
sleep 0.5
shot pages-dpi

# TEST RATE (panel at 746,75; button at 10,206, 129 x 24): the simulated mouse's
# motion reports are measured beside the window for three seconds.
click_at $((746 + 75)) $((75 + 218))
sleep 4.5
kill -0 "$PID" 2>/dev/null || fail "mousecfg ended during the report-rate test"
shot pages-rate-test

# DPI stage 1: the slider of the first row (page at 286,75; row 1 at 28,38;
# its slider at 162..318 of the row; its upper half is the X slider when X
# and Y are apart), then End for the highest step.
click_at $((286 + 28 + 240)) $((75 + 38 + 12))
xdotool key --window "$WIN" End
sleep 0.3

# The poller's status reports ("Test data:" lines of the log) come every few
# seconds; choose the new rate and apply it right after one.
status_lines() { grep -c 'Test data:' "$LOG"; }
n=$(status_lines)
wait_for '[ "$(status_lines)" -gt '"$n"' ]' 80 || fail "no status report from the poller within 8 s"

# Report rate: the rate button (panel at 746,75; button at 10,42, 40 × 40)
# opens the menu "125 HZ", "250 HZ", "500 HZ", "1000 HZ".
click_at $((746 + 30)) $((75 + 62))
xdotool key --delay 120 Down Down Down Return
sleep 0.2
# "Apply" (row of command buttons at y 592, the sixth of 83 × 30 from x 285).
# The poller starts again only after a complete write: its next status report
# with the new rate code (2) says the write has finished.
rate2_lines() { grep -c 'Test data:.*iRate= 2,' "$LOG"; }
n=$(rate2_lines)
click_at $((285 + 5 * 88 + 41)) $((592 + 15))
shot pages-edited
wait_for '[ "$(rate2_lines)" -gt '"$n"' ]' 150 || fail "no status report with rate code 2 within 15 s of Apply"
shot pages-applied
kill -0 "$PID" 2>/dev/null || fail "mousecfg ended while applying"
if [ "$(xdotool search --onlyvisible --pid "$PID" 2>/dev/null | wc -l)" -gt 1 ]; then
  shot pages-apply-message
  fail "a message came up after Apply"
fi

# Quit, so the simulated mouse's memory is saved, then look into it.
stop_mousecfg

read -r x rate <<<"$(sim_state)"
note "simulated mouse: first DPI stage register $x, report-rate code $rate"
# The shipped sensor (3395) keeps its highest step, 519, as the register value.
[ "$x" = 519 ] || fail "DPI stage 1 holds $x, expected 519"
[ "$rate" = 2 ] || fail "the report rate code is $rate, expected 2 (500 HZ)"
echo "PASS"
