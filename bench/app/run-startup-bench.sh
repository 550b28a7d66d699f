#!/usr/bin/env bash
# Start-up benchmark: mousecfg --simulate against a minimal Qt Widgets window,
# each the median of several runs on a private Xvfb at 96 DPI.
#   bench/app/run-startup-bench.sh [BUILD_DIR] [RUNS]
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD_DIR=${1:-${BUILD_DIR:-$ROOT/build}}
RUNS=${2:-9}
BENCH="$BUILD_DIR/bench-bin"
for f in "$BENCH/bench_startup" "$BENCH/bench_minimal_window" "$BUILD_DIR/bin/mousecfg"; do
  [ -x "$f" ] || { echo "missing $f (build the project with benchmarks first)"; exit 1; }
done

if [ -z "${MOUSECFG_BENCH_INNER:-}" ]; then
  exec env MOUSECFG_BENCH_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96 -nolisten tcp" "$0" "$BUILD_DIR" "$RUNS"
fi

CONF=$(mktemp -d)
trap 'rm -rf "$CONF"' EXIT
export ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=xcb XDG_CACHE_HOME="$CONF/cache" XDG_RUNTIME_DIR="$CONF/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# One run first so both programs start from a warm file cache.
"$BENCH/bench_startup" --runs 1 -- "$BENCH/bench_minimal_window" >/dev/null
"$BENCH/bench_startup" --runs 1 -- "$BUILD_DIR/bin/mousecfg" --simulate --config-dir "$CONF" >/dev/null

# Runs alternate between the two programs, so that a busy machine weighs on both alike.
one() { "$BENCH/bench_startup" --runs 1 -- "$@" | sed -n 's/^median_ms=//p'; }
minimal_runs=(); app_runs=()
for ((i = 1; i <= RUNS; i++)); do
  m=$(one "$BENCH/bench_minimal_window")
  a=$(one "$BUILD_DIR/bin/mousecfg" --simulate --config-dir "$CONF")
  echo "run $i: minimal $m ms, mousecfg $a ms"
  minimal_runs+=("$m"); app_runs+=("$a")
done
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR] = $1} END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
minimal=$(median "${minimal_runs[@]}")
app=$(median "${app_runs[@]}")
ratio=$(awk -v a="$app" -v m="$minimal" 'BEGIN { printf "%.2f", a / m }')
echo "start-up to mapped window (median of $RUNS): minimal ${minimal} ms, mousecfg ${app} ms, ratio ${ratio}"
