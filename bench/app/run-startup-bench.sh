#!/usr/bin/env bash
# Start-up benchmark: mousecfg --simulate against a bare Qt Widgets window
# (999 x 640) on a private Xvfb at 96 DPI, warm and cold.
#   bench/app/run-startup-bench.sh [BUILD_DIR...] [RUNS]
#
# Warm: the same configuration folder and skin cache for every run (after one
# run to fill them, and a write that saves every slot, as an Apply does). Cold: a new, empty configuration folder and cache for
# every run, as on the first start of a fresh installation. Every mousecfg run
# follows a run of the bare window, so that a busy machine weighs on both
# alike; the ratios are medians over medians. Several build folders (say the
# build before and after a change) are measured in the same rounds.
#
# A second yardstick, the bare window with a line edit and a label, shows what
# any window with text pays for setting up its fonts.
# Prints, per build, warm and cold: the time from process start to the window
# mapped and to its first painted frame, and the ratios to the bare window;
# then the instructions executed up to the map request (callgrind, stopped
# there by the preloaded bench_exit_at_map.so), unless BENCH_CALLGRIND=0.
# QT_SCALE_FACTOR and the Xvfb DPI (BENCH_DPI, default 96) pass through.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
RUNS=${RUNS:-9}
builds=()
for arg in "$@"; do
  if [[ $arg =~ ^[0-9]+$ ]]; then RUNS=$arg; else builds+=("$(cd "$arg" && pwd)"); fi
done
[ ${#builds[@]} -gt 0 ] || builds=("${BUILD_DIR:-$ROOT/build}")
BENCH="${builds[0]}/bench-bin"
for f in "$BENCH/bench_startup" "$BENCH/bench_minimal_window"; do
  [ -x "$f" ] || { echo "missing $f (build the first folder with -DMOUSECFG_BENCH=ON)"; exit 1; }
done
for b in "${builds[@]}"; do
  [ -x "$b/bin/mousecfg" ] || { echo "missing $b/bin/mousecfg"; exit 1; }
done

if [ -z "${MOUSECFG_BENCH_INNER:-}" ]; then
  # -noreset: a server that resets when its last client leaves turns away the
  # next run's connection now and then (and each reset is work beside the runs).
  exec env MOUSECFG_BENCH_INNER=1 xvfb-run -a -s "-screen 0 2560x1600x24 -dpi ${BENCH_DPI:-96} -nolisten tcp -noreset" \
    "$0" "${builds[@]}" "$RUNS"
fi

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=xcb QT_XCB_GL_INTEGRATION=none XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# app BUILD_INDEX warm|cold -> the command line of one mousecfg start.
app() {
  local b=${builds[$1]} dir
  if [ "$2" = warm ]; then dir="$WORK/warm$1"; else dir=$(mktemp -d "$WORK/cold.XXXXXX"); fi
  mkdir -p "$dir/conf" "$dir/cache"
  echo env XDG_CACHE_HOME="$dir/cache" "$b/bin/mousecfg" --simulate --config-dir "$dir/conf"
}
# one COMMAND... -> "MAP PAINT" in milliseconds. A run that measured nothing is
# tried again (twice at most); one that still fails ends the benchmark rather
# than weigh in a median as nothing.
one() {
  local out try
  for try in 1 2 3; do
    out=$("$BENCH/bench_startup" --runs 1 -- "$@" |
      awk -F= '/^median_ms=/ { m = $2 } /^paint_ms=/ { p = $2 } END { if (m != "" && p != "") print m, p }')
    [ -n "$out" ] && { echo "$out"; return; }
    echo "(no measure from $1, try $try)" >&2
  done
}
# got VALUE: the benchmark stops when a run gave no measure.
got() { [ -n "$1" ] || { echo "the benchmark stops: a program gave no measure three times" >&2; exit 1; }; }
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR] = $1} END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
range() { printf '%s\n' "$@" | sort -g | awk 'NR == 1 { lo = $1 } { hi = $1 } END { printf "%s-%s", lo, hi }'; }

# Warm-up: the file cache, and the warm folders filled as a user's are after an Apply: every
# slot saved (five profile files to read at each start).
one "$BENCH/bench_minimal_window" >/dev/null
for i in "${!builds[@]}"; do
  one $(app "$i" warm) >/dev/null
  "${builds[$i]}/bin/mousecfg-cli" --simulate --config-dir "$WORK/warm$i/conf" write >/dev/null
  one $(app "$i" warm) >/dev/null
done

declare -A MAP PAINT
bare_map=(); bare_paint=(); text_map=(); text_paint=()
for ((r = 1; r <= RUNS; r++)); do
  line="round $r:"
  read -r m p < <(one "$BENCH/bench_minimal_window" --text) || true
  got "$p"
  text_map+=("$m"); text_paint+=("$p")
  line+=" text $m/$p;"
  for i in "${!builds[@]}"; do
    for kind in warm cold; do
      read -r m p < <(one "$BENCH/bench_minimal_window") || true
      got "$p"
      bare_map+=("$m"); bare_paint+=("$p")
      read -r am ap < <(one $(app "$i" "$kind")) || true
      got "$ap"
      MAP[$i,$kind]+="$am "; PAINT[$i,$kind]+="$ap "
      line+=" bare $m/$p, #$((i + 1)) $kind $am/$ap;"
    done
  done
  echo "$line"
done

bm=$(median "${bare_map[@]}"); bp=$(median "${bare_paint[@]}")
echo
echo "Start-up (ms from process start, median of $RUNS, [range]; ratio to the bare window's median)"
printf '%-44s %-26s %-26s\n' "" "window mapped" "first painted frame"
printf '%-44s %-26s %-26s\n' "bare Qt window (${#bare_map[@]} runs)" "$bm [$(range "${bare_map[@]}")]" \
  "$bp [$(range "${bare_paint[@]}")]"
tm=$(median "${text_map[@]}"); tp=$(median "${text_paint[@]}")
printf '%-44s %-26s %-26s\n' "the same with a line edit and a label" \
  "$tm [$(range "${text_map[@]}")] $(awk -v a="$tm" -v b="$bm" 'BEGIN { printf "%.2fx", a / b }')" \
  "$tp [$(range "${text_paint[@]}")] $(awk -v a="$tp" -v b="$bp" 'BEGIN { printf "%.2fx", a / b }')"
for i in "${!builds[@]}"; do
  for kind in warm cold; do
    m=$(median ${MAP[$i,$kind]}); p=$(median ${PAINT[$i,$kind]})
    printf '%-44s %-26s %-26s\n' "#$((i + 1)) ${builds[$i]} $kind" \
      "$m [$(range ${MAP[$i,$kind]})] $(awk -v a="$m" -v b="$bm" 'BEGIN { printf "%.2fx", a / b }')" \
      "$p [$(range ${PAINT[$i,$kind]})] $(awk -v a="$p" -v b="$bp" 'BEGIN { printf "%.2fx", a / b }')"
  done
done

# Instructions to the map request.
SHIM="$BENCH/bench_exit_at_map.so"
if [ "${BENCH_CALLGRIND:-1}" != 0 ] && command -v valgrind >/dev/null && [ -f "$SHIM" ]; then
  count() {
    local out="$WORK/callgrind.out.$RANDOM"
    LD_PRELOAD="$SHIM" valgrind --tool=callgrind --trace-children=yes --callgrind-out-file="$out" "$@" >/dev/null 2>&1 || true
    sed -n 's/^summary: //p' "$out" 2>/dev/null | head -1
  }
  echo
  echo "Instructions to the window mapped (callgrind)"
  bi=$(count "$BENCH/bench_minimal_window")
  printf '%-44s %s M\n' "bare Qt window" "$(awk -v n="$bi" 'BEGIN { printf "%.1f", n / 1e6 }')"
  ti=$(count "$BENCH/bench_minimal_window" --text)
  printf '%-44s %s M %s\n' "the same with a line edit and a label" "$(awk -v n="$ti" 'BEGIN { printf "%.1f", n / 1e6 }')" \
    "$(awk -v a="$ti" -v b="$bi" 'BEGIN { printf "%.2fx", a / b }')"
  for i in "${!builds[@]}"; do
    for kind in warm cold; do
      n=$(count $(app "$i" "$kind"))
      printf '%-44s %s M %s\n' "#$((i + 1)) ${builds[$i]} $kind" "$(awk -v n="$n" 'BEGIN { printf "%.1f", n / 1e6 }')" \
        "$(awk -v a="$n" -v b="$bi" 'BEGIN { printf "%.2fx", a / b }')"
    done
  done
fi
