#!/bin/bash
# mousecfg --minimized as started at login: with a system tray only the tray
# icon appears, and the icon shows the window; "Start at login" in the tray
# menu writes the autostart entry and removes it again; without a tray the
# window comes up after all.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# The autostart entry goes to a folder of this run, never the user's.
export XDG_CONFIG_HOME="$WORK/xdg"
ENTRY="$XDG_CONFIG_HOME/autostart/org.mousecfg.mousecfg.desktop"
command -v trayer >/dev/null || { echo "SKIP: trayer is missing"; exit 77; }
wait_for 'xdpyinfo >/dev/null 2>&1' 100 || fail "the X server $DISPLAY does not answer"

# Without a tray: not hidden for good, the window is shown after a short wait.
"$BIN/mousecfg" --simulate --minimized --config-dir "$CONF" >"$LOG" 2>&1 &
PID=$!
wait_for '[ -n "$(main_window)" ]' 100 || fail "without a tray the window never came"
stop_mousecfg
note "no tray: the window is shown"

start_tray
"$BIN/mousecfg" --simulate --minimized --config-dir "$CONF" >"$LOG" 2>&1 &
PID=$!
wait_for tray_icon 100 || fail "no tray icon"
sleep 4 # longer than the program waits for a tray
[ -z "$(main_window)" ] || fail "started minimised, the window was shown"
note "tray: only the icon"

tray_menu() { xdotool mousemove "$TRAY_X" "$TRAY_Y" click 3; sleep 0.6; xdotool key --delay 250 "$@"; sleep 0.5; }
tray_menu g
wait_for '[ -f "$ENTRY" ]' 30 || fail "no autostart entry after \"Start at login\""
grep -qx 'Exec=.*mousecfg --minimized' "$ENTRY" || fail "the entry does not start mousecfg --minimized: $(cat "$ENTRY")"
tray_menu g
wait_for '[ ! -f "$ENTRY" ]' 30 || fail "the autostart entry was not removed"
note "start at login on and off"

xdotool mousemove "$TRAY_X" "$TRAY_Y" click 1
wait_for '[ -n "$(main_window)" ]' 50 || fail "the tray icon did not show the window"
shot tray-shown
tray_menu q
stop_mousecfg asked
echo "PASS"
