#!/usr/bin/env bash
# The button page of the real mousecfg --simulate on an X server (run by
# on-new-display.sh): "DPI +" is given to button 4 from the DPI submenu and a combo
# captured with ctrl+alt+Delete in the combo dialog to button 5, "Apply"
# writes them, and mousecfg-cli sim-show must find their device bytes in the
# simulated mouse. The same assignments made with `mousecfg-cli button` on the
# window's configuration before the edit must give the same frames.
# Screenshots of the page, its menus and each dialog land in
# $BUILD_DIR/screenshots, at scale 1 and, on a second X server at 192 DPI, at 2.
#   e2e-buttons.sh            the test
#   e2e-buttons.sh --shots S  screenshots only, at scale S
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

[ -x "$BIN/mousecfg-cli" ] || fail "no $BIN/mousecfg-cli (build first)"
if ! grep -q MirtBtnWindow "$BIN/mousecfg"; then
  echo "SKIP: this mousecfg was built without the button page"
  exit 77
fi

dialog() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
# The shipped model shows eight buttons in the CUSTOMIZE area (285,74): 220 × 30
# at x 56, y 25 + 55 × n.
open_menu() { click_in "$WIN" $((285 + 56 + 110)) $((74 + 25 + 55 * $1 + 15)); }
# Opens dialog $1 from the "Advance" submenu (entry $2) for button $3, sets DLG.
open_dialog() {
  open_menu "$3"
  local downs=()
  for ((i = 0; i < $2; i++)); do downs+=(Down); done
  xdotool key --delay 120 $(printf 'Down %.0s' $(seq 8)) Right "${downs[@]}" Return
  WANT=$1
  wait_for '[ -n "$(dialog "$WANT")" ]' 100 || fail "the dialog $1 did not open"
  DLG=$(dialog "$WANT")
  sleep 0.4
}
dialog_ok() { click_in "$DLG" $((75 + 55)) $((196 + 17)); }
dialog_cancel() { click_in "$DLG" $((215 + 55)) $((196 + 17)); }

start_mousecfg
cp -r "$CONF" "$WORK/before-Configs"
click_in "$WIN" $((285 + 116 + 55)) $((34 + 16)) # CUSTOMIZE
sleep 0.6

if [ "$SCALE" != 1 ]; then
  shot buttons-page-$SCALE
  open_menu 3
  xdotool key --delay 120 $(printf 'Down %.0s' $(seq 8)) Right
  sleep 0.4
  shot buttons-menu-$SCALE
  xdotool key Escape Escape
  sleep 0.3
  for d in "Single Key:0" "Combo Key:1" "FireKey Setting:2"; do
    open_dialog "${d%:*}" "${d#*:}" 3
    shot "buttons-dialog-$(echo "${d%:*}" | tr 'A-Z ' 'a-z-')-$SCALE"
    dialog_cancel
  done
  stop_mousecfg
  echo "PASS"
  exit 0
fi

shot buttons-page-1
# A combo for button 5, captured while the dialog holds the keyboard.
open_dialog "Combo Key" 1 4
xdotool key ctrl+alt+Delete
sleep 0.4
shot buttons-dialog-combo-key-1
dialog_ok
wait_for '[ -z "$(dialog "Combo Key")" ]' 30 || fail "OK did not close the combo dialog"
# "DPI +" for button 4: the "DPI" submenu is the tenth entry, "DPI +" its second.
open_menu 3
xdotool key --delay 120 $(printf 'Down %.0s' $(seq 10)) Right
sleep 0.4
shot buttons-menu-1
xdotool key --delay 120 Down Return
sleep 0.5
for d in "Single Key:0" "FireKey Setting:2"; do
  open_dialog "${d%:*}" "${d#*:}" 5
  shot "buttons-dialog-$(echo "${d%:*}" | tr 'A-Z ' 'a-z-')-1"
  dialog_cancel
done
shot buttons-page-assigned-1
# "Apply" (row of command buttons at y 592, the sixth of 83 × 30 from x 285).
click_at $((285 + 5 * 88 + 41)) $((592 + 15))
sleep 3
kill -0 "$PID" 2>/dev/null || fail "mousecfg ended while applying"
stop_mousecfg

# The simulated mouse holds the catalogue's bytes: DPI + 8a000000, the combo
# 8f with Ctrl and Alt (05) and Delete (4c).
"$BIN/mousecfg-cli" --simulate --config-dir "$CONF" sim-show >"$WORK/sim" || fail "sim-show failed"
grep -q '"bytes": "8a000000"' "$WORK/sim" || fail "no DPI + button in the simulated mouse"
grep -q '"bytes": "8f054c00"' "$WORK/sim" || fail "no ctrl+alt+Delete button in the simulated mouse"
note "simulated mouse: DPI + and ctrl+alt+Delete"

# The same from the command line on the configuration from before the edit.
"$BIN/mousecfg-cli" --config-dir "$CONF" frames >"$WORK/frames-window" || fail "frames failed"
cli() { "$BIN/mousecfg-cli" --config-dir "$WORK/before-Configs" "$@"; }
cli button 3 dpi+ && cli button 4 combo ctrl+alt+delete || fail "mousecfg-cli button failed"
cli frames >"$WORK/frames-cli" || fail "frames failed"
if ! cmp -s "$WORK/frames-window" "$WORK/frames-cli"; then
  diff "$WORK/frames-window" "$WORK/frames-cli" | head -20
  fail "the window and mousecfg-cli button give different frames"
fi
note "mousecfg-cli button gives the window's frames"

if [ -z "${MOUSECFG_E2E_NESTED:-}" ]; then
  MOUSECFG_E2E_NESTED=1 bash "$ROOT/tests/e2e/on-new-display.sh" -screen 0 2200x1500x24 -dpi 192 -nolisten tcp \
    -- bash "${BASH_SOURCE[0]}" --shots 2 | sed 's/^/  scale 2: /' || fail "the run at scale 2 failed"
fi
echo "PASS"
