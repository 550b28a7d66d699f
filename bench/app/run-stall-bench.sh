#!/usr/bin/env bash
# The user interface thread's longest stall (bench_stall) on a private Xvfb at
# 96 DPI, with the window against the simulated mouse: start-up after the
# first frame, Apply, a profile switch, a burst of 50 hot-plug events and a
# pointer-speed change with a gsettings that takes 2 s. Each figure is the worst
# lateness of a 1 ms timer on that thread; the run fails (exit 1) when one
# exceeds 50 ms.
#   bench/app/run-stall-bench.sh [BUILD_DIR] [--sync-pointer-speed] [--limit MS]
# BUILD_DIR is a Release tree built with -DMOUSECFG_BENCH=ON (default: build).
# RUNS (default 3) runs are made; each figure is printed per run and as the
# worst over the runs.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD=${BUILD_DIR:-$ROOT/build}
args=()
for arg in "$@"; do
  if [ -d "$arg" ]; then BUILD=$(cd "$arg" && pwd); else args+=("$arg"); fi
done
BENCH="$BUILD/bench-bin/bench_stall"
[ -x "$BENCH" ] || { echo "missing $BENCH (build with -DMOUSECFG_BENCH=ON)"; exit 1; }
[ -d "$BUILD/bin/skin" ] || { echo "missing $BUILD/bin/skin (build mousecfg in $BUILD)"; exit 1; }

if [ -z "${MOUSECFG_BENCH_INNER:-}" ]; then
  # A session bus of its own, as on a desktop (see tests/e2e/lib.sh).
  bus=()
  command -v dbus-run-session >/dev/null && bus=(dbus-run-session --)
  exec env MOUSECFG_BENCH_INNER=1 "${bus[@]}" xvfb-run -a -s "-screen 0 1920x1200x24 -dpi 96 -nolisten tcp -noreset" \
    "$0" "$BUILD" ${args[@]+"${args[@]}"}
fi

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=xcb QT_XCB_GL_INTEGRATION=none
export XDG_RUNTIME_DIR="$WORK/runtime" XDG_CACHE_HOME="$WORK/cache" MOUSECFG_DATA_DIR="$BUILD/bin"
mkdir -m 700 "$XDG_RUNTIME_DIR"

rc=0
declare -A worst
for ((r = 1; r <= ${RUNS:-3}; r++)); do
  out=$("$BENCH" ${args[@]+"${args[@]}"} 2>"$WORK/stderr") || rc=1
  echo "run $r: $(grep '^stall_' <<<"$out" | tr '\n' ' ')"
  while IFS='=' read -r key value; do
    value=${value%% *}
    [ -z "${worst[$key]:-}" ] || awk -v a="$value" -v b="${worst[$key]}" 'BEGIN { exit !(a > b) }' && worst[$key]=$value
  done < <(grep '^stall_' <<<"$out")
  [ -s "$WORK/stderr" ] && grep -v '^QStandardPaths' "$WORK/stderr" | tail -n 5 >&2
done
echo
echo "worst of ${RUNS:-3} runs (ms; the limit is ${LIMIT:-50} unless --limit says otherwise):"
for key in $(printf '%s\n' "${!worst[@]}" | sort); do
  printf '  %-40s %s\n' "$key" "${worst[$key]}"
done
[ $rc = 0 ] && echo "PASS" || echo "FAIL: a figure exceeded the limit"
exit $rc
