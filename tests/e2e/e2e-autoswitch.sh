#!/usr/bin/env bash
# Auto-switch under a window manager that keeps _NET_ACTIVE_WINDOW up to date
# (openbox, started here on the test's display): two small windows of
# different classes are activated in turn with xdotool, and the simulated
# mouse's profile follows them; a window focused for 100 ms switches nothing;
# a window focused while a write runs switches after the write; a window
# without a rule takes the "otherwise" slot; a rule on a program's path
# matches through _NET_WM_PID. The mouse's own profile is read with
# mousecfg-cli sim-show once the window has ended. Screenshots of the rules
# dialog in $BUILD_DIR/screenshots, at scale 1 and, on a second X server at
# 192 DPI, at 2.
#   e2e-autoswitch.sh --shots S  the dialog's screenshot only, at scale S
set -uo pipefail
source "$(dirname "$0")/lib.sh"
for tool in openbox xmessage xprop; do
  command -v $tool >/dev/null || { echo "SKIP: $tool is missing (scripts/test installs it)"; exit 77; }
done

wait_for 'xdpyinfo >/dev/null 2>&1' 100 || fail "the X server $DISPLAY does not answer"
openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
WM_PID=$!
at_exit "kill $WM_PID 2>/dev/null; true"
wait_for 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' 100 || fail "openbox did not come up"

CLI=("$BIN/mousecfg-cli" --config-dir "$CONF")
"${CLI[@]}" auto-switch add autoswitch-a 2 && "${CLI[@]}" auto-switch add autoswitch-b 3 &&
  "${CLI[@]}" auto-switch on || fail "mousecfg-cli auto-switch failed"

# The test windows: xmessage sets WM_CLASS's instance from -name.
XPIDS=()
open_window() { # NAME X: opens the window NAME at X and waits for it
  xmessage -name "$1" -geometry "240x80+$2+880" "$1" >/dev/null 2>&1 &
  XPIDS+=($!)
  wait_for "[ -n \"\$(xdotool search --classname '^$1\$' 2>/dev/null)\" ]" 100 || fail "no window $1"
}
at_exit 'kill "${XPIDS[@]}" 2>/dev/null; true'
open_window autoswitch-a 20
open_window autoswitch-b 280
open_window autoswitch-c 540
WA=$(xdotool search --classname '^autoswitch-a$' | head -n 1)
WB=$(xdotool search --classname '^autoswitch-b$' | head -n 1)
WC=$(xdotool search --classname '^autoswitch-c$' | head -n 1)

export QT_LOGGING_RULES="mousecfg.app.debug=true"
export QT_MESSAGE_PATTERN="%{time process} %{category}: %{message}"
# switched N: the count of profile switches to slot N the mouse answered.
switched() { grep -c "profile switch to $(($1 - 1)) result 0" "$LOG"; }
activate() { xdotool windowactivate --sync "$1" 2>/dev/null; }
mouse_profile() { "$BIN/mousecfg-cli" --simulate --config-dir "$CONF" sim-show | sed -n 's/.*"activeProfile": \([0-9]\).*/\1/p'; }

# The rules dialog from the profile area (the button beside the name), in a screenshot.
shot_dialog() {
  click_in "$WIN" 622 567
  wait_for '[ -n "$(xdotool search --onlyvisible --name "^Auto-switch profiles$" 2>/dev/null)" ]' 50 ||
    fail "the auto-switch dialog did not open"
  sleep 0.5
  shot "autoswitch-dialog-$SCALE"
  xdotool key Escape
  sleep 0.3
}
if [ "$SCALE" != 1 ]; then
  start_mousecfg
  shot_dialog
  stop_mousecfg
  echo "PASS"
  exit 0
fi

start_mousecfg
activate "$WA"
wait_for '[ "$(switched 2)" = 1 ]' 100 || fail "focusing autoswitch-a did not switch to profile 2"
activate "$WB"
wait_for '[ "$(switched 3)" = 1 ]' 100 || fail "focusing autoswitch-b did not switch to profile 3"
note "profile 2 for autoswitch-a, 3 for autoswitch-b"

# autoswitch-a for 100 ms on the way to autoswitch-c (no rule; the mouse stays): nothing.
activate "$WA"; sleep 0.1; activate "$WC"
sleep 1.5
[ "$(switched 2)" = 1 ] || fail "a window focused for 100 ms switched the profile"
grep -q 'active window ("autoswitch-a"' <(tail -n 20 "$LOG") || fail "the short focus was not seen at all"
note "100 ms of focus switched nothing"

# A write (Apply) and, while it runs, autoswitch-a: the switch comes after the
# write. The simulated mouse answers slowly in this part (MOUSECFG_SIM_ECHO_MS),
# so the write lasts well past the settle time.
stop_mousecfg
MOUSECFG_SIM_ECHO_MS=150 start_mousecfg
xdotool mousemove --window "$WIN" $((285 + 5 * 88 + 41)) $((592 + 15)) click 1
wait_for 'grep -q "mouse job: begins" "$LOG"' 50 || fail "the Apply click started no write"
activate "$WA"
wait_for '[ "$(switched 2)" = 1 ]' 150 || fail "autoswitch-a did not switch after the write"
grep -E "mouse job: (begins|ends)|auto-switch: |profile switch to" "$LOG"
# The window was focused, and its switch fell due, while the write ran; the
# switch's job began after the write's ended.
awk '/mouse job: begins/ { jobs++ } /mouse job: ends/ { ended++ }
     /active window \("autoswitch-a"/ { seen = (jobs == 1 && ended == 0) }
     /the switch waited for the job/ { waited = (ended == 1 && jobs == 1) }
     /auto-switch: to profile 2/ { after = (ended == 1) }
     END { exit !(seen && waited && after && jobs == 2) }' "$LOG" ||
  fail "the switch was not asked during the write, or did not wait for its end"
note "the switch asked during the write came after it"
stop_mousecfg
[ "$(mouse_profile)" = 2 ] || fail "the simulated mouse is on profile $(mouse_profile), not 2"

# "Otherwise": every window without a rule takes slot 5; and a program's path.
"${CLI[@]}" auto-switch default 5 || fail "auto-switch default failed"
"${CLI[@]}" auto-switch add "$(readlink -f "$(command -v xmessage)")" 4 || fail "auto-switch add PATH failed"
xprop -id "$WB" -f _NET_WM_PID 32c -set _NET_WM_PID "${XPIDS[1]}" || fail "xprop failed"
start_mousecfg
activate "$WC"
wait_for '[ "$(switched 5)" = 1 ]' 100 || fail "a window without a rule did not take the otherwise slot 5"
activate "$WB"
wait_for '[ "$(switched 4)" = 1 ]' 100 || fail "the rule on xmessage's path did not switch to profile 4"
stop_mousecfg
[ "$(mouse_profile)" = 4 ] || fail "the simulated mouse is on profile $(mouse_profile), not 4"
note "otherwise: profile 5; xmessage's path: profile 4"

# Off: no switch at all.
"${CLI[@]}" auto-switch off || fail "auto-switch off failed"
start_mousecfg
activate "$WA"
sleep 1.5
[ "$(switched 2)" = 0 ] || fail "auto-switch off still switched"
shot_dialog
stop_mousecfg

# The dialog at scale 2 on a second X server.
if [ -z "${MOUSECFG_E2E_NESTED:-}" ]; then
  MOUSECFG_E2E_NESTED=1 bash "$ROOT/tests/e2e/on-new-display.sh" -screen 0 2200x1500x24 -dpi 192 -nolisten tcp \
    -- bash "${BASH_SOURCE[0]}" --shots 2 | sed 's/^/  scale 2: /' || fail "the run at scale 2 failed"
fi
echo "PASS"
