#!/usr/bin/env bash
# The real mousecfg --simulate on a Wayland compositor (weston's headless
# backend, which scripts/test installs): the window maps, stays up without
# an error and quits with 0 on SIGTERM. Skipped only when weston cannot start.
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

WESTON_PID=""
# After mousecfg, which would lose its display.
at_exit '[ -z "$WESTON_PID" ] || kill "$WESTON_PID" 2>/dev/null; true'

command -v weston >/dev/null || { echo "SKIP: weston is missing (Debian package weston)"; exit 77; }
SOCKET="mousecfg-e2e-$$"
weston --backend=headless-backend.so --socket="$SOCKET" --idle-time=0 >"$WORK/weston.log" 2>&1 &
WESTON_PID=$!
if ! wait_for '[ -S "$XDG_RUNTIME_DIR/$SOCKET" ]' 100; then
  cat "$WORK/weston.log"
  echo "SKIP: weston's headless backend did not start"
  exit 77
fi
note "weston on $SOCKET"

# Only Wayland: no X display to fall back to.
export WAYLAND_DISPLAY="$SOCKET" QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client
unset DISPLAY
"$BIN/mousecfg" --simulate --config-dir "$CONF" >"$LOG" 2>&1 &
PID=$!

# Mapped: the compositor configured the toplevel and a buffer went onto its surface.
wait_for 'grep -q "xdg_surface@[0-9]*.configure" "$LOG" && grep -q "attach(wl_buffer" "$LOG"' 150 \
  || fail "the window was not mapped"
note "window mapped"
sleep 3
kill -0 "$PID" 2>/dev/null || fail "mousecfg ended on its own"
# Anything the program or Qt complained about (the protocol trace lines start with "[").
if grep -v '^\[' "$LOG" | grep -Eiq 'error|failed|could not|cannot|segmentation|AddressSanitizer|runtime error'; then
  grep -v '^\[' "$LOG" | grep -Ei 'error|failed|could not|cannot' | head -n 20
  fail "mousecfg reported a problem under Wayland"
fi
note "up for 3 s without an error"

stop_mousecfg
note "quit with 0"
echo "PASS"
