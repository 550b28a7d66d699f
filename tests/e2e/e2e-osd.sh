#!/usr/bin/env bash
# The on-screen notice and the languages, on an X server (run by on-new-display.sh):
# the simulated mouse's DPI button (from the tray menu) brings up the
# "Wireless Mouse OSD" window over the main window; the language menu retitles
# the window in Simplified and in Traditional Chinese. Screenshots land in
# $BUILD_DIR/screenshots.
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

command -v trayer >/dev/null || { echo "SKIP: trayer is missing: the DPI button is pressed from the tray menu"; exit 77; }
start_tray

# The OSD program runs before the window, as after an earlier notice; it is ours to end.
# It has no handler for SIGTERM: ended by ours, it must show no sanitizer report.
OSD_PID=""
OSD_LOG="$WORK/osd.log"
stop_osd() {
  local pid=$OSD_PID
  OSD_PID=""
  end_program "$pid" mousecfg-osd "$OSD_LOG" term-ok
  [ -z "$ENDED" ] || { echo "FAIL: $ENDED"; tail -n 20 "$OSD_LOG"; return 1; }
}
at_exit '[ -z "$OSD_PID" ] || stop_osd'
"$BIN/mousecfg-osd" >"$OSD_LOG" 2>&1 &
OSD_PID=$!
wait_for '[ -S "$XDG_RUNTIME_DIR/Wireless Mouse OSD" ]' 50 || fail "mousecfg-osd does not listen"
# A second one ends itself.
"$BIN/mousecfg-osd" >"$WORK/osd2.log" 2>&1; rc=$?
[ $rc = 1 ] || fail "a second mousecfg-osd exited with $rc"
grep -Eq "$SANITIZER_REPORT" "$WORK/osd2.log" && fail "the second mousecfg-osd reported: $(cat "$WORK/osd2.log")"

start_mousecfg
osd_window() { xdotool search --onlyvisible --name '^Wireless Mouse OSD$' 2>/dev/null | head -n 1; }
wait_for tray_icon 100 || fail "no tray icon in the system tray"

# A fresh simulated mouse has one DPI stage until the profile is applied ("Apply").
click_at 766 607
sleep 3
# The DPI button of the simulated mouse: a notice "DPI n:value" in the accent colour.
xdotool mousemove "$TRAY_X" "$TRAY_Y" click 3
sleep 0.6
xdotool key --delay 250 s d
wait_for '[ -n "$(osd_window)" ]' 40 || fail "no notice window after the DPI button"
sleep 0.2
shot osd-dpi
OSD_WIN=$(osd_window)
eval "$(xdotool getwindowgeometry --shell "$OSD_WIN")"
[ "$WIDTH" -gt 80 ] && [ "$HEIGHT" -gt 30 ] || fail "the notice window is ${WIDTH}x${HEIGHT}"
# Its time is 1.5 s: then it goes.
wait_for '[ -z "$(osd_window)" ]' 40 || fail "the notice window stayed"
note "DPI notice shown and gone"

# The languages: the language button's menu, second and third entries.
choose_language() {
  click_at 852 29
  xdotool key --delay 150 $(printf 'Down %.0s' $(seq 1 "$1")) Return
  sleep 1
}
choose_language 2
shot lang-zh_CN
grep -q '^LangID=1' "$CONF/LangConfig.ini" || fail "Config/LangID is not 1 after Simplified Chinese"
choose_language 3
shot lang-zh_TW
grep -q '^LangID=2' "$CONF/LangConfig.ini" || fail "Config/LangID is not 2 after Traditional Chinese"
note "language switches stored"
# The last one stays for the next start.
choose_language 1
kill -0 "$PID" 2>/dev/null || fail "mousecfg ended"
stop_mousecfg
kill -0 "$OSD_PID" 2>/dev/null || fail "mousecfg-osd ended"
stop_osd || exit 1
echo "PASS"
