#!/usr/bin/env bash
# The real mousecfg --simulate on an X server (run by on-new-display.sh): the
# window's size, the tabs and a profile button, unplugging and replugging the
# simulated receiver, a second copy, closing to the tray and quitting.
# Screenshots land in $BUILD_DIR/screenshots.
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# A system tray for the icon (trayer, which scripts/test installs), up before
# the program looks for it. Without one the tray part is not tested: the run
# then counts as skipped, and fails under MOUSECFG_REQUIRE_ALL=1.
if command -v trayer >/dev/null; then
  start_tray
elif [ "${MOUSECFG_REQUIRE_ALL:-0}" = 1 ]; then
  fail "trayer is missing: the tray icon cannot be tested"
fi

# Windows of the program at least 300 pixels wide: the main window and a message box.
big_windows() {
  local n=0 w
  for w in $(xdotool search --onlyvisible --pid "$PID" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [ "$WIDTH" -ge 300 ] && n=$((n + 1))
  done
  echo $n
}
# Opens the tray menu and types the keys given (mnemonics).
tray_menu() {
  xdotool mousemove "$TRAY_X" "$TRAY_Y" click 3
  sleep 0.6
  xdotool key --delay 250 "$@"
  sleep 0.5
}

start_mousecfg
geom=$(xwininfo -id "$WIN")
w=$(awk '/Width:/ {print $2}' <<<"$geom"); h=$(awk '/Height:/ {print $2}' <<<"$geom")
[ "$w" = 999 ] && [ "$h" = 640 ] || fail "window is ${w}x${h}, expected 999x640 at 96 DPI"
note "window 999x640"
xdotool getwindowname "$WIN" | grep -q 'simulated' || fail "the title does not say the mouse is simulated"
shot main-start

# The four tabs, then a profile button.
i=0
for name in lighting customize dpi macro; do
  click_at $((285 + i * 116 + 55)) 50
  shot "tab-$name"
  i=$((i + 1))
done
click_at 145 $((430 + 2 * 29 + 13))
shot profile-3
kill -0 "$PID" 2>/dev/null || fail "mousecfg ended while clicking"

# A second copy exits with 1 and shows nothing.
"$BIN/mousecfg" --simulate --config-dir "$CONF" >"$WORK/second.log" 2>&1 &
SECOND=$!
wait_for '! kill -0 $SECOND 2>/dev/null' 100 || { kill $SECOND; fail "the second copy did not exit"; }
wait $SECOND; rc=$?
[ $rc = 1 ] || fail "the second copy exited with $rc, expected 1"
grep -q "brought to the front" "$WORK/second.log" ||
  fail "the second copy did not reach the running one: $(cat "$WORK/second.log")"
[ "$(xdotool search --onlyvisible --name '^ORVALE8' | wc -l)" = 1 ] || fail "a second window appeared"
note "second copy exited with 1"

if [ -n "$TRAY_PID" ]; then
  wait_for tray_icon 100 || fail "no tray icon in the system tray"
  # Unplug the simulated receiver from the tray menu: the warning comes up.
  tray_menu s r
  wait_for '[ "$(big_windows)" -ge 2 ]' 50 || fail "no warning after unplugging the receiver"
  sleep 0.5
  shot receiver-unplugged
  # Plug it back in: the warning closes by itself, the settings reload.
  tray_menu s r
  wait_for '[ "$(big_windows)" -le 1 ]' 50 || fail "the warning did not close after replugging"
  sleep 1.5
  shot receiver-replugged
  note "unplug and replug of the receiver"

  # Close: the window goes to the tray; the tray icon brings it back.
  click_at 965 29
  sleep 0.5
  shot closed-to-tray
  xdotool mousemove "$TRAY_X" "$TRAY_Y" click 1
  wait_for '[ -n "$(main_window)" ]' 30 || fail "the tray icon did not show the window again"
  WIN=$(main_window)
  click_at 965 29
  wait_for '[ -z "$(main_window)" ]' 30 || fail "the close button did not hide the window again"
  note "close to tray and back"

  # "&Quit" from the tray menu.
  tray_menu q
  stop_mousecfg asked
else
  note "no system tray here: closing and quitting by signal"
  click_at 965 29
  sleep 0.5
  shot closed
  stop_mousecfg
fi
[ -f "$CONF/simulated-mouse.ini" ] || fail "the simulated mouse's memory was not saved"
note "quit with 0, no crash"
if [ -z "$TRAY_PID" ]; then
  echo "SKIP: trayer is missing; the tray icon was not tested"
  exit 77
fi
echo "PASS"
