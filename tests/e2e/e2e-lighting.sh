#!/usr/bin/env bash
# The lighting page of the real mousecfg --simulate on an X server (run by
# on-new-display.sh): "FULL LIGHTED" is chosen from the effect menu, the brightness set
# to 2 and the colour typed into the colour dialog's hex field as f80, "Apply"
# writes them, and mousecfg-cli sim-show must find the mode, brightness and
# colour in the simulated mouse. The same edit made with `mousecfg-cli light`
# on a fresh configuration must give the same frames. Screenshots of the page,
# the colour dialog and the lights on the mouse picture land in
# $BUILD_DIR/screenshots, at scale 1 and, on a second X server at 192 DPI, at 2.
#   e2e-lighting.sh            the test
#   e2e-lighting.sh --shots S  screenshots only, at scale S (the display's DPI gives it)
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

[ -x "$BIN/mousecfg-cli" ] || fail "no $BIN/mousecfg-cli (build first)"
if ! grep -q MirtColorWindow "$BIN/mousecfg"; then
  echo "SKIP: this mousecfg was built without the lighting page"
  exit 77
fi

color_dialog() { xdotool search --onlyvisible --name '^Color Edit$' 2>/dev/null | head -n 1; }
# The mouse picture (30,80, 230 × 306) with the lights drawn on it.
shot_preview() {
  eval "$(xdotool getwindowgeometry --shell "$WIN")"
  import -window root -crop $((230 * SCALE))x$((306 * SCALE))+$((X + 30 * SCALE))+$((Y + 80 * SCALE)) \
    "$SHOTS/$1.png" && note "screenshot $1.png"
}

# The page fills the LIGHTING tab's area (285,74). Its effect button is at
# 180,10 (175 × 30); with "FULL LIGHTED" the brightness slider is at 180,70
# (300 × 20) and the current colour at 180,114 (56 × 44).
# The menu lists the effects 1 to 11, then "OFF".
choose_effect() {
  click_in "$WIN" $((285 + 180 + 80)) $((74 + 25))
  xdotool key --delay 150 $(printf 'Down %.0s' $(seq "$1")) Return
  sleep 0.5
}
open_color_dialog() {
  click_in "$WIN" $((285 + 180 + 28)) $((74 + 114 + 22))
  wait_for '[ -n "$(color_dialog)" ]' 50 || fail "the colour dialog did not open"
  DLG=$(color_dialog)
  sleep 0.3
}

start_mousecfg
choose_effect 1

if [ "$SCALE" != 1 ]; then
  shot lighting-page-$SCALE
  open_color_dialog
  shot lighting-dialog-$SCALE
  xdotool key Escape
  sleep 0.3
  shot_preview lighting-preview-$SCALE
  choose_effect 6
  shot_preview lighting-preview-wave-$SCALE
  stop_mousecfg
  echo "PASS"
  exit 0
fi

# Brightness 2: a click on the slider gives it the focus, Home then Right.
click_in "$WIN" $((285 + 180 + 150)) $((74 + 80))
xdotool key --delay 100 Home Right
# The colour: "f80" into the hex field (218,140 of the dialog), Enter for OK.
open_color_dialog
shot lighting-dialog-1
click_in "$DLG" $((220 + 34)) $((140 + 13))
xdotool key ctrl+a
xdotool type --delay 80 f80
sleep 0.3
shot lighting-dialog-typed-1
xdotool key Return
wait_for '[ -z "$(color_dialog)" ]' 30 || fail "Enter did not close the colour dialog"
sleep 0.5
shot lighting-page-1
shot_preview lighting-preview-1
# "Apply" (row of command buttons at y 592, the sixth of 83 × 30 from x 285).
click_at $((285 + 5 * 88 + 41)) $((592 + 15))
sleep 3
kill -0 "$PID" 2>/dev/null || fail "mousecfg ended while applying"
stop_mousecfg

# The active profile of the simulated mouse: effect, speed and brightness of
# the mode block, the colour of the sensor block and entry 1 of the colour table.
# Each key comes once per profile, in profile order.
read -r mode breath bright colour entry1 <<<"$("$BIN/mousecfg-cli" --simulate --config-dir "$CONF" sim-show | awk '
  function num(s) { gsub(/[^0-9]/, "", s); return s }
  function str(s) { gsub(/[", ]/, "", s); return s }
  /"activeProfile":/ { active = num($2) }
  /"colours": \[/    { incol = 1; n = 0; next }
  incol && /\]/      { incol = 0 }
  incol              { if (++n == 2) C1[++nc] = str($1) }
  /"breath":/        { B[++nb] = num($2) }
  /"brightness":/    { BR[++nbr] = num($2) }
  /"ledMode":/       { M[++nm] = num($2) }
  /"colour":/        { C[++nco] = str($2) }
  /"profile":/       { P[num($2)] = ++np }
  END { k = P[active]; print M[k], B[k], BR[k], C[k], C1[k] }')"
note "simulated mouse: effect $mode, speed $breath, brightness $bright, colour $colour, colour table entry 1 $entry1"
[ "$mode" = 1 ] || fail "the mouse's effect is $mode, expected 1 (FULL LIGHTED)"
[ "$bright" = 2 ] || fail "the brightness is $bright, expected 2"
[ "$breath" = 0 ] || fail "FULL LIGHTED sends speed $breath, expected 0"
[ "$colour" = "#ff8800" ] || fail "the colour is $colour, expected #ff8800"
[ "$entry1" = "#ff8800" ] || fail "colour table entry 1 is $entry1, expected #ff8800"

# The same edit from the command line: on a copy of the window's
# configuration, the lighting is first set otherwise, then as in the window.
CLI_CONF="$WORK/cli-Configs"
cp -r "$CONF" "$CLI_CONF"
cli() { "$BIN/mousecfg-cli" --config-dir "$CLI_CONF" "$@"; }
"$BIN/mousecfg-cli" --config-dir "$CONF" frames >"$WORK/frames-window" || fail "frames failed"
cli light off && cli light full-lighted --brightness 3 --colour 00ff00 \
  || fail "mousecfg-cli light failed"
cli frames >"$WORK/frames-other" || fail "frames failed"
cmp -s "$WORK/frames-window" "$WORK/frames-other" && fail "other lighting, same frames"
cli light full-lighted --brightness 2 --colour ff8800 || fail "mousecfg-cli light failed"
cli frames >"$WORK/frames-cli" || fail "frames failed"
if ! cmp -s "$WORK/frames-window" "$WORK/frames-cli"; then
  diff "$WORK/frames-window" "$WORK/frames-cli"
  fail "the window and mousecfg-cli light give different frames"
fi
note "mousecfg-cli light gives the window's frames"
# Out of range: refused, nothing stored.
cli light full-lighted --brightness 4 2>"$WORK/err" && fail "brightness 4 taken"
grep -q 'brightness must be 1 to 3' "$WORK/err" || fail "no clear message for brightness 4: $(cat "$WORK/err")"

# Screenshots at scale 2 on a second X server.
if [ -z "${MOUSECFG_E2E_NESTED:-}" ]; then
  MOUSECFG_E2E_NESTED=1 bash "$ROOT/tests/e2e/on-new-display.sh" -screen 0 2200x1500x24 -dpi 192 -nolisten tcp \
    -- bash "${BASH_SOURCE[0]}" --shots 2 | sed 's/^/  scale 2: /' || fail "the run at scale 2 failed"
fi
echo "PASS"
