#!/usr/bin/env bash
# Runs a command on an X server of its own:
#   on-new-display.sh [Xvfb option...] -- command [argument...]
# Xvfb picks a free display number itself and says which (-displayfd), so runs
# side by side never meet on one number, as two `xvfb-run -a` can. The server
# never resets (-noreset): a reset when the last client leaves, say the probe
# that waits for the server, can turn away the program that connects next.
set -uo pipefail
options=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
  options+=("$1")
  shift
done
[ $# -gt 1 ] || { echo "usage: on-new-display.sh [Xvfb option...] -- command [argument...]" >&2; exit 2; }
shift
command -v Xvfb >/dev/null || { echo "SKIP: Xvfb is missing"; exit 77; }

dir=$(mktemp -d)
Xvfb -displayfd 3 -noreset "${options[@]}" 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
stop() {
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  rm -rf "$dir"
}
trap stop EXIT
# The number is written once the server takes connections.
for ((i = 0; i < 200; i++)); do
  [ -s "$dir/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.05
done
if ! [ -s "$dir/display" ]; then
  echo "Xvfb did not start:"
  cat "$dir/xvfb.log"
  exit 1
fi
# XVFB_LOG lets a failing script show what the server said.
DISPLAY=":$(head -n 1 "$dir/display")" XVFB_LOG="$dir/xvfb.log" "$@"
