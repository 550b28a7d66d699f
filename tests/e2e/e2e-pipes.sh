#!/usr/bin/env bash
# The window's output in a pipe (mousecfg --simulate | cat, as a log collector
# reads it), on an X server (run by on-new-display.sh): once the window has
# shown a notice, the on-screen display it started runs beside it. When the
# window quits, and when it is killed (SIGKILL), the pipe ends at once: the
# display holds none of the window's streams. The display ends as well, once
# its notice is over.
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

command -v xdpyinfo >/dev/null || { echo "SKIP: xdpyinfo is missing"; exit 77; }
command -v trayer >/dev/null || { echo "SKIP: trayer is missing: the DPI button is pressed from the tray menu"; exit 77; }
CAT_PID=""
OSD_PID=""
# Whatever is left of the pipeline and the display at the exit is ended there
# (lib.sh's cleanup runs these after the window; each keeps the exit status).
at_exit '[ -z "$CAT_PID" ] || kill "$CAT_PID" 2>/dev/null; true'
at_exit '[ -z "$OSD_PID" ] || kill "$OSD_PID" 2>/dev/null; true'

tray_menu() { xdotool mousemove "$TRAY_X" "$TRAY_Y" click 3; sleep 0.6; xdotool key --delay 250 "$@"; sleep 0.5; }
osd_window() { xdotool search --onlyvisible --name '^Wireless Mouse OSD$' 2>/dev/null | head -n 1; }

# Starts mousecfg --simulate | cat, waits for its window (sets PID, WIN and
# CAT_PID), then has it show a notice (the simulated mouse's DPI button, from
# the tray menu, as e2e-osd.sh) and finds the display (sets OSD_PID).
start_piped() {
  wait_for 'xdpyinfo >/dev/null 2>&1' 100 || fail "the X server $DISPLAY does not answer"
  note "starting mousecfg --simulate | cat"
  "$BIN/mousecfg" --simulate --config-dir "$CONF" 2>&1 | cat >"$LOG" &
  CAT_PID=$!
  # Both ends of the pipe are this shell's children.
  wait_for 'PID=$(pgrep -P $$ -x mousecfg)' 50 || fail "mousecfg did not start"
  # A sanitizer build on a busy machine takes its time.
  wait_for '[ -n "$(main_window)" ] || ! kill -0 "$PID" 2>/dev/null' 300
  WIN=$(main_window)
  [ -n "$WIN" ] || fail "the window did not appear ($(kill -0 "$PID" 2>/dev/null && echo running || echo exited))"
  [ "$(xdotool getwindowpid "$WIN")" = "$PID" ] || fail "the window is not mousecfg's ($PID)"
  sleep 1
  wait_for tray_icon 100 || fail "no tray icon in the system tray"
  # A fresh simulated mouse has one DPI stage until the profile is applied ("Apply").
  click_at 766 607
  sleep 2
  tray_menu s d
  wait_for '[ -n "$(osd_window)" ]' 50 || fail "no notice window after the DPI button"
  OSD_PID=$(xdotool getwindowpid "$(osd_window)")
  [ -n "$OSD_PID" ] && [ "$OSD_PID" != "$PID" ] || fail "the notice window is not mousecfg-osd's"
  note "mousecfg $PID, mousecfg-osd $OSD_PID"
  # The display holds none of the window's streams: its own are /dev/null.
  local out fd
  out=$(readlink "/proc/$PID/fd/1")
  for fd in 0 1 2; do
    [ "$(readlink "/proc/$OSD_PID/fd/$fd")" = /dev/null ] || fail "mousecfg-osd's descriptor $fd is $(readlink "/proc/$OSD_PID/fd/$fd")"
  done
  for fd in /proc/"$OSD_PID"/fd/*; do
    [ "$(readlink "$fd")" != "$out" ] || fail "mousecfg-osd holds the window's output ($out) as ${fd##*/}"
  done
}

# ends_within WHAT PROCESS TENTHS
ends_within() {
  wait_for "! kill -0 $2 2>/dev/null" "$3" || fail "$1 still runs $(($3 / 10)) s later"
}

start_tray

# The window quits.
start_piped
kill -TERM "$PID"
ends_within "mousecfg" "$PID" 100
PID=""
ends_within "the pipe (cat) after mousecfg quit" "$CAT_PID" 30
wait "$CAT_PID"
CAT_PID=""
note "the pipe ended with the window"
# Its notice is 1.5 s long.
ends_within "mousecfg-osd after mousecfg quit" "$OSD_PID" 50
OSD_PID=""
note "mousecfg-osd ended after the window"

# The window is killed.
start_piped
kill -KILL "$PID"
PID=""
ends_within "the pipe (cat) after mousecfg was killed" "$CAT_PID" 30
wait "$CAT_PID"
CAT_PID=""
note "the pipe ended with the killed window"
ends_within "mousecfg-osd after mousecfg was killed" "$OSD_PID" 50
OSD_PID=""
note "mousecfg-osd ended after the killed window"
echo "PASS"
