#!/usr/bin/env bash
# Idle benchmark: the CPU time mousecfg --simulate --minimized spends while it
# sits hidden in the tray (trayer) under a window manager (openbox), on a
# private Xvfb: utime + stime from /proc/PID/stat over SECONDS, after a settle.
#   bench/app/run-idle-bench.sh [BUILD_DIR...] [SECONDS]
# Each build is measured with auto-switch off, and, when its mousecfg-cli has
# the auto-switch command, on with two rules (following the active window).
# Builds are measured one after the other in the same session, so a busy
# machine weighs on all alike; run it twice and compare.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
SECONDS_IDLE=60
builds=()
for arg in "$@"; do
  if [[ $arg =~ ^[0-9]+$ ]]; then SECONDS_IDLE=$arg; else builds+=("$(cd "$arg" && pwd)"); fi
done
[ ${#builds[@]} -gt 0 ] || builds=("${BUILD_DIR:-$ROOT/build}")
for tool in Xvfb openbox trayer dbus-run-session; do
  command -v $tool >/dev/null || { echo "missing $tool (scripts/test installs it)"; exit 1; }
done

if [ -z "${MOUSECFG_BENCH_INNER:-}" ]; then
  # A session bus of its own, as a desktop has (see tests/e2e/lib.sh: without
  # one, a sanitizer build can hang in libdbus's autolaunch at start-up).
  exec env MOUSECFG_BENCH_INNER=1 bash "$ROOT/tests/e2e/on-new-display.sh" -screen 0 1280x1024x24 -dpi 96 \
    -nolisten tcp -- dbus-run-session -- bash "$0" "${builds[@]}" "$SECONDS_IDLE"
fi

WORK=$(mktemp -d)
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$WORK/runtime" ASAN_OPTIONS=detect_leaks=0
mkdir -m 700 "$XDG_RUNTIME_DIR"
openbox --sm-disable >/dev/null 2>&1 &
WM=$!
trayer --edge bottom --align right --widthtype pixel --width 64 --heighttype pixel --height 32 >/dev/null 2>&1 &
TRAY=$!
trap 'kill $WM $TRAY 2>/dev/null; rm -rf "$WORK"' EXIT
sleep 2
ticks=$(getconf CLK_TCK)

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

measure() { # BUILD MODE
  local build=$1 mode=$2 conf pid t0 t1
  conf="$WORK/Configs-$RANDOM"
  if [ "$mode" = on ]; then
    "$build/bin/mousecfg-cli" --config-dir "$conf" auto-switch add some-game 2 >/dev/null
    "$build/bin/mousecfg-cli" --config-dir "$conf" auto-switch on >/dev/null
  fi
  "$build/bin/mousecfg" --simulate --minimized --config-dir "$conf" >"$WORK/log" 2>&1 &
  pid=$!
  sleep 10 # start-up, the reads after the first frame, the tray
  kill -0 $pid 2>/dev/null || { echo "mousecfg ended at start:"; cat "$WORK/log"; exit 1; }
  t0=$(cpu_ticks $pid)
  sleep "$SECONDS_IDLE"
  t1=$(cpu_ticks $pid)
  [ -n "${BENCH_KEEP_LOG:-}" ] && cp "$WORK/log" "$BENCH_KEEP_LOG-$mode.log"
  kill -TERM $pid
  wait $pid 2>/dev/null || true
  awk -v b="$build" -v m="$mode" -v d=$((t1 - t0)) -v hz="$ticks" -v s="$SECONDS_IDLE" \
    'BEGIN { printf "%-40s auto-switch %-3s %6.2f s CPU in %d s (%.2f %%)\n", b, m, d / hz, s, 100 * d / hz / s }'
}

for b in "${builds[@]}"; do
  measure "$b" off
  help=$("$b/bin/mousecfg-cli" --help 2>/dev/null || true)
  if [[ $help == *auto-switch* ]]; then
    measure "$b" on
  fi
done
