# Shared by the e2e-*.sh scripts: the build's programs, a private work folder,
# and the small X helpers they drive the window with. Source it after
# `set -uo pipefail`; it leaves PID (the running mousecfg) and WIN to the script.
# Every script ends its mousecfg through stop_mousecfg, which fails the test
# when the program did not end well; one still running at the exit is ended
# and checked the same way.
# shellcheck shell=bash

# A session bus of its own, as a desktop has: the toolkit's accessibility
# bridge connects to it when the window is built. Without one, libdbus forks a
# child to start a bus (X11 autolaunch) while the program starts up, and in a
# sanitizer build that child can hang on a lock another thread held at the
# fork, and the window with it.
if [ -z "${MOUSECFG_E2E_BUS:-}" ]; then
  export MOUSECFG_E2E_BUS=1
  if command -v dbus-run-session >/dev/null; then
    exec dbus-run-session -- bash "$0" "$@"
  fi
  # No daemon to run: an address that answers nothing still keeps libdbus from forking.
  export DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent/mousecfg-e2e-bus"
fi

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
BIN="$BUILD_DIR/bin"
SHOTS="$BUILD_DIR/screenshots"
mkdir -p "$SHOTS"

fail() {
  echo "FAIL: $*"
  [ -f "${LOG:-}" ] && tail -n 40 "$LOG"
  [ -s "${XVFB_LOG:-}" ] && { echo "--- the X server's log:"; tail -n 20 "$XVFB_LOG"; }
  exit 1
}
note() { echo "--- $*"; }

[ -x "$BIN/mousecfg" ] || fail "no $BIN/mousecfg (build first)"
[ -n "${DISPLAY:-}" ] || fail "no X display (run by on-new-display.sh)"
for tool in xdotool xwininfo import; do
  command -v $tool >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done

WORK=$(mktemp -d)
CONF="$WORK/Configs"
LOG="$WORK/mousecfg.log"
PID=""
TRAY_PID=""
AT_EXIT=()

# A report of AddressSanitizer, LeakSanitizer, UndefinedBehaviorSanitizer or ThreadSanitizer.
SANITIZER_REPORT='ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:|(WARNING|ERROR): ThreadSanitizer'

# end_program PID NAME LOG [asked|term-ok]: ends program PID and sets ENDED to
# what was wrong with its end, or to nothing. The program is sent SIGTERM,
# unless "asked" says it was already told to quit (say, from its tray menu).
# Wrong: still running 10 s later, an exit status other than 0, a death by a
# signal (by our SIGTERM too, unless "term-ok": a program without a handler
# for it), a sanitizer report in LOG.
end_program() {
  local pid=$1 name=$2 log=$3 how=${4:-} rc
  ENDED=""
  [ "$how" = asked ] || kill -TERM "$pid" 2>/dev/null
  if ! wait_for "! kill -0 $pid 2>/dev/null" 100; then
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    ENDED="$name did not quit within 10 s"
    return
  fi
  wait "$pid"
  rc=$?
  if [ -f "$log" ] && grep -Eq "$SANITIZER_REPORT" "$log"; then
    grep -E -A 12 "$SANITIZER_REPORT" "$log" | head -n 40
    ENDED="$name reported: $(grep -Em 1 "$SANITIZER_REPORT" "$log")"
  elif [ "$how" = term-ok ] && [ "$rc" = $((128 + 15)) ]; then
    : # ended by our SIGTERM
  elif [ "$rc" -gt 128 ]; then
    ENDED="$name was killed by signal $((rc - 128)) (SIG$(kill -l "$rc" 2>/dev/null))"
  elif [ "$rc" != 0 ]; then
    ENDED="$name exited with $rc"
  fi
}

# Quits mousecfg the normal way (SIGTERM, which it handles as "&Quit"; "asked"
# when the script has chosen "&Quit" itself) and fails unless it ends within
# 10 s with exit status 0 and no sanitizer report in its log.
stop_mousecfg() {
  [ -n "$PID" ] || fail "stop_mousecfg: no mousecfg running"
  local pid=$PID
  PID=""
  end_program "$pid" mousecfg "$LOG" "${1:-}"
  [ -z "$ENDED" ] || fail "$ENDED"
}

# at_exit COMMAND: cleanup runs COMMAND (eval) once mousecfg has ended, say to
# end a compositor or a helper program it talks to.
at_exit() { AT_EXIT+=("$1"); }

cleanup() {
  local status=$? c
  if [ -n "$PID" ]; then
    end_program "$PID" mousecfg "$LOG"
    PID=""
    if [ -n "$ENDED" ]; then
      echo "FAIL: at the exit: $ENDED"
      tail -n 40 "$LOG"
      status=1
    fi
  fi
  for c in "${AT_EXIT[@]}"; do
    eval "$c" || status=1
  done
  [ -n "$TRAY_PID" ] && kill "$TRAY_PID" 2>/dev/null
  wait 2>/dev/null
  [ -n "${KEEP_WORK:-}" ] && echo "kept $WORK" || rm -rf "$WORK"
  exit "$status"
}
trap cleanup EXIT
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export QT_QPA_PLATFORM=xcb
export XDG_CACHE_HOME="$WORK/cache"
# A runtime folder of our own: the single-instance lock of this run meets no other copy.
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Waits up to $2 tenths of a second for "$1" to succeed.
wait_for() {
  local i
  for ((i = 0; i < $2; i++)); do
    eval "$1" && return 0
    sleep 0.1
  done
  return 1
}
main_window() { xdotool search --onlyvisible --name '^ORVALE8' 2>/dev/null | head -n 1; }
shot() { import -window root "$SHOTS/$1.png" && note "screenshot $1.png"; }
# Clicks at design coordinates (999 × 640 canvas, scale 1 at 96 DPI) of the main window.
click_at() { xdotool mousemove --window "$WIN" "$1" "$2" click 1; sleep 0.4; }
# Scripts that take screenshots at a scale (--shots S) click at design coordinates:
# click_in WINDOW X Y clicks at X,Y of WINDOW times that scale.
SCALE=1
[ "${1:-}" = --shots ] && SCALE=${2:-1}
click_in() { xdotool mousemove --window "$1" $(($2 * SCALE)) $(($3 * SCALE)) click 1; sleep 0.4; }

# Starts mousecfg --simulate on the work folder and waits for its window (sets PID and WIN).
start_mousecfg() {
  # The X server may still be coming up (a second X server under load).
  wait_for 'xdpyinfo >/dev/null 2>&1' 100 || fail "the X server $DISPLAY does not answer"
  local try
  for try in 1 2 3; do
    note "starting mousecfg --simulate"
    "$BIN/mousecfg" --simulate --config-dir "$CONF" >"$LOG" 2>&1 &
    PID=$!
    wait_for '[ -n "$(main_window)" ] || ! kill -0 "$PID" 2>/dev/null' 150
    [ -n "$(main_window)" ] && break
    # A server that turns the connection away is the test machine's trouble, not
    # the program's: say so and start again. Anything else fails the test.
    kill -0 "$PID" 2>/dev/null || wait "$PID"
    grep -q "could not connect to display" "$LOG" && [ "$try" -lt 3 ] || fail "the window did not appear"
    note "the X server $DISPLAY turned mousecfg away (try $try); it $(xdpyinfo >/dev/null 2>&1 || echo "no longer ")answers"
    PID=""
  done
  WIN=$(main_window)
  sleep 1
}

# Starts trayer, a system tray for the icon, and waits for it (sets TRAY_PID).
start_tray() {
  trayer --edge bottom --align right --widthtype pixel --width 64 --heighttype pixel --height 32 \
         --transparent false >/dev/null 2>&1 &
  TRAY_PID=$!
  wait_for '[ -n "$(xdotool search --onlyvisible --class "^trayer$" 2>/dev/null)" ]' 200 \
    || fail "trayer did not come up ($(kill -0 "$TRAY_PID" 2>/dev/null && echo running || echo exited))"
}
# The tray icon: the program's small window that the tray embeds (sets TRAY_X and TRAY_Y).
tray_icon() {
  [ -n "$TRAY_PID" ] || return 1
  local w
  for w in $(xdotool search --onlyvisible --pid "$PID" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    if [ "$WIDTH" -lt 100 ]; then
      TRAY_X=$((X + WIDTH / 2)); TRAY_Y=$((Y + HEIGHT / 2))
      return 0
    fi
  done
  return 1
}
